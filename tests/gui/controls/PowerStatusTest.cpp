// The power item: what each power record shows.
#include "ControlsFixture.h"

#include <array>
#include <optional>

#include "ui/controls/MpDevicePower.h"
#include "ui/framework/Label.h"
#include "ui/framework/Progress.h"

namespace orvane::ui::test {
namespace {

constexpr int kMouse = 2;
constexpr int kMousePad = 3;

class PowerStatusTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(BuildItem());
    }

    // A new power item from the skin, with its children found.
    bool BuildItem() {
        power = Build<CMpDevicePowerUI>("XML\\CustomControlXML\\MpDevicePower.xml");
        if (power == nullptr) return false;
        value = power->FindSubControlByName<CLabelUI>("device_power_value");
        wireless = power->FindSubControlByName("device_wuxian_logo");
        status = power->FindSubControlByName("device_power_status");
        progress = power->FindSubControlByName<CProgressUI>("device_Power_progress");
        phone = power->FindSubControlByName("device_phone_type");
        return value && wireless && status && progress && phone;
    }

    CMpDevicePowerUI* power = nullptr;
    CLabelUI* value = nullptr;
    CControlUI* wireless = nullptr;
    CControlUI* status = nullptr;
    CProgressUI* progress = nullptr;
    CControlUI* phone = nullptr;
};

TEST_F(PowerStatusTest, EachRecordShowsItsLook) {
    const struct {
        const char* shot;
        int type;
        std::array<std::uint8_t, 6> record;
        const char* text;
        int progressValue;
        bool progressVisible;
        const char* statusImage;
        std::optional<bool> wirelessVisible;  // nullopt: left as the skin has it (hidden)
        const char* phoneTip;                 // nullptr: left alone
        const char* phoneImage;
    } cases[] = {
        {"power_mouse_battery", kMouse, {85, 2, 0, 0, 0, 0}, "85%", 15, true, "file='power/power.svg'", false, nullptr, nullptr},
        {"power_mouse_wireless_charging", kMouse, {40, 1, 0, 1, 0, 0}, "40%", 60, false, "file='power/wuxian_powering.svg'", true, nullptr, nullptr},
        {"power_mouse_wired_charging", kMouse, {40, 1, 0, 0, 0, 0}, "40%", 60, true, "file='power/powering.svg'", false, nullptr, nullptr},
        {"power_mouse_external", kMouse, {100, 0, 0, 1, 0, 0}, "100%", 0, true, "file='power/powered.svg'", true, nullptr, nullptr},
        {"power_pad_no_phone", kMousePad, {50, 2, 0, 1, 0, 0}, "50%", 50, true, "file='power/power.svg'", std::nullopt,
         "Phone_type_no_device", "file='power/Phone_type_no_device.svg'"},
        {"power_pad_iphone", kMousePad, {50, 0, 0, 0, 0, 1}, "50%", 50, true, "file='power/powered.svg'", std::nullopt,
         "Phone_type_iphone", "file='power/Phone_type_iphone.svg'"},
        {"power_pad_samsung", kMousePad, {50, 0, 0, 0, 0, 2}, "50%", 50, true, "file='power/powered.svg'", std::nullopt,
         "Phone_type_samsung", "file='power/Phone_type_samsung.svg'"},
        {"power_pad_other", kMousePad, {50, 0, 0, 0, 0, 3}, "50%", 50, true, "file='power/powered.svg'", std::nullopt,
         "Phone_type_other", "file='power/Phone_type_other.svg'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shot);
        ASSERT_TRUE(BuildItem());
        power->SetDeviceKind(c.type, 0);
        power->ShowPowerStatus(c.record);
        EXPECT_EQ(value->GetText(), c.text);
        EXPECT_EQ(progress->GetValue(), c.progressValue);
        EXPECT_EQ(progress->IsVisible(), c.progressVisible);
        EXPECT_EQ(status->GetBkImage(), c.statusImage);
        EXPECT_EQ(wireless->IsVisible(), c.wirelessVisible.value_or(false));
        EXPECT_EQ(phone->GetToolTip(), c.phoneTip != nullptr ? c.phoneTip : "");
        EXPECT_EQ(phone->GetBkImage(), c.phoneImage != nullptr ? c.phoneImage : "");
        Picture(power, c.shot);
    }
}

TEST_F(PowerStatusTest, UnknownChargeStateKeepsTheStatusLook) {
    power->SetDeviceKind(kMouse, 0);
    power->ShowPowerStatus(std::array<std::uint8_t, 6>{30, 1, 0, 1, 0, 0});
    power->ShowPowerStatus(std::array<std::uint8_t, 6>{20, 7, 0, 1, 0, 0});
    EXPECT_EQ(value->GetText(), "20%");
    EXPECT_EQ(progress->GetValue(), 80);
    EXPECT_FALSE(progress->IsVisible());
    EXPECT_EQ(status->GetBkImage(), "file='power/wuxian_powering.svg'");
}

TEST_F(PowerStatusTest, ShortRecordReadsTheRestAsZero) {
    power->SetDeviceKind(kMousePad, 0);
    const std::uint8_t record[] = {85, 1};
    power->ShowPowerStatus(record);
    EXPECT_EQ(value->GetText(), "85%");
    EXPECT_TRUE(progress->IsVisible());  // byte 3 reads 0: wired
    EXPECT_EQ(status->GetBkImage(), "file='power/powering.svg'");
    EXPECT_EQ(phone->GetToolTip(), "Phone_type_no_device");
}

TEST_F(PowerStatusTest, PhoneTipIsTranslated) {
    QTemporaryDir dir;
    QFile file(dir.filePath("lan.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<language><text id="Phone_type_iphone">iPhone charging</text></language>)");
    file.close();
    ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(file.fileName()));
    power->SetDeviceKind(kMousePad, 0);
    power->ShowPowerStatus(std::array<std::uint8_t, 6>{50, 0, 0, 0, 0, 1});
    EXPECT_EQ(phone->GetToolTip(), "iPhone charging");
}

TEST_F(PowerStatusTest, ItemMissingAChildShowsNothing) {
    // The layout row without its phone icon.
    delete phone;
    power->SetDeviceKind(kMouse, 0);
    power->ShowPowerStatus(std::array<std::uint8_t, 6>{85, 2, 0, 1, 0, 0});
    EXPECT_EQ(value->GetText(), "");
    EXPECT_EQ(progress->GetValue(), 0);
    EXPECT_TRUE(status->GetBkImage().isEmpty());
    EXPECT_FALSE(wireless->IsVisible());
}

TEST_F(PowerStatusTest, PowerLayoutFollowsThePowerFlag) {
    CControlUI* layout = power->FindSubControlByName("device_power_Layout");
    ASSERT_NE(layout, nullptr);
    power->SetPowerLayoutVisible(false);
    EXPECT_FALSE(layout->IsVisible());
    power->SetPowerLayoutVisible(true);
    EXPECT_TRUE(layout->IsVisible());
}

}  // namespace
}  // namespace orvane::ui::test

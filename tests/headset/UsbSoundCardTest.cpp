// Finding the headset's sound card in a sysfs tree laid out as the kernel lays it out: each
// card's device link leads to a USB interface whose parent holds the ids. And the ALSA library
// on such a tree: no card, no endpoints; a card without mixer controls, nothing available.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "headset/HeadsetAudio.h"
#include "headset/osconf/UsbSoundCard.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;
using osconf::UsbId;

class SysfsTree {
public:
    explicit SysfsTree(const TempHome& home) : home_(home), root_(home.Path() + "/sys") {}

    // Card `n` on a USB interface of the device with these ids (none: not a USB card).
    void AddCard(int n, const char* vendor, const char* product) {
        const std::string device = "sys/devices/pci0000:00/usb1/1-" + std::to_string(n);
        std::string target = home_.Path() + "/" + device + "/1-" + std::to_string(n) + ":1.0";
        if (vendor != nullptr) {
            home_.WriteFile(device + "/idVendor", std::string(vendor) + "\n");
            home_.WriteFile(device + "/idProduct", std::string(product) + "\n");
        } else {
            target = home_.Path() + "/sys/devices/pci0000:00/0000:00:1f.3";
        }
        fs::create_directories(target);
        const std::string card = root_ + "/class/sound/card" + std::to_string(n);
        fs::create_directories(card);
        fs::create_directory_symlink(target, card + "/device");
        // The card's other nodes must not be taken for cards.
        fs::create_directories(root_ + "/class/sound/controlC" + std::to_string(n));
    }

    const std::string& Root() const { return root_; }

private:
    const TempHome& home_;
    std::string root_;
};

TEST(UsbSoundCard, FindsTheCardOfTheGivenUsbDevice) {
    TempHome home;
    SysfsTree sys(home);
    sys.AddCard(0, nullptr, nullptr);
    sys.AddCard(1, "046d", "0a44");
    sys.AddCard(2, "0d8c", "01da");
    sys.AddCard(3, "0d8c", "01da");

    EXPECT_EQ(osconf::FindUsbSoundCard(sys.Root(), osconf::kHeadsetUsbId), 2) << "the lowest of two";
    EXPECT_EQ(osconf::FindUsbSoundCard(sys.Root(), UsbId{0x046D, 0x0A44}), 1);
    EXPECT_EQ(osconf::FindUsbSoundCard(sys.Root(), UsbId{0x1234, 0x5678}), std::nullopt);
    EXPECT_EQ(osconf::FindUsbSoundCard(home.Path() + "/nowhere", osconf::kHeadsetUsbId), std::nullopt);
}

TEST(UsbSoundCard, ParsesOnlyFourHexDigitsEachSide) {
    struct Case {
        const char* text;
        std::optional<UsbId> id;
    };
    const Case cases[] = {
        {"0d8c:01da", UsbId{0x0D8C, 0x01DA}}, {"046D:0A44", UsbId{0x046D, 0x0A44}}, {"0d8c", std::nullopt},
        {"0d8c:01da0", std::nullopt}, {"xyz0:0001", std::nullopt}, {":", std::nullopt}, {"0d8c:-1da", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto id = osconf::ParseUsbId(c.text);
        ASSERT_EQ(id.has_value(), c.id.has_value()) << c.text;
        if (id) {
            EXPECT_TRUE(id->vendor == c.id->vendor && id->product == c.id->product) << c.text;
        }
    }
}

TEST(AlsaAudioLibrary, OffersOnlyWhatTheCardHas) {
    TempHome home;
    SysfsTree sys(home);
    ::setenv("ORVANE_SYSFS_ROOT", sys.Root().c_str(), 1);
    auto library = AudioLibrary::ForHeadset(false);
    ASSERT_TRUE(library) << AudioLibrary::LibraryFile(AudioLibrary::Variant::kAlsa);
    CHs8127Profiledata document;

    HeadsetAudio none(library, document);
    EXPECT_TRUE(none.Init().empty());
    EXPECT_FALSE(none.Available()) << "no headset card: no endpoints";

    // A card that is listed but has no mixer this test can open: endpoints without any control.
    sys.AddCard(7, "0d8c", "01da");
    HeadsetAudio listed(library, document);
    EXPECT_TRUE(listed.Init().empty());
    EXPECT_TRUE(listed.Available());
    EXPECT_EQ(listed.Capture().record[0], 7u);
    EXPECT_FALSE(listed.VoiceEffectSupported());
    EXPECT_FALSE(listed.EqualiserAvailable());
    EXPECT_FALSE(listed.MicrophoneAvailable());
    EXPECT_FALSE(listed.MonitorAvailable());
    ::unsetenv("ORVANE_SYSFS_ROOT");
}

}  // namespace
}  // namespace orvane::test

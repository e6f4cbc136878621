// The GNOME backend on GSettings' in-memory backend: nothing reaches the desktop's real settings.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/GnomeMouseSettings.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

// Before anything in this process opens GSettings.
const bool kMemoryBackend = ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0;

bool MouseSchemaInstalled() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kGnomeMouseSchema, TRUE) : nullptr;
    if (schema == nullptr) return false;
    g_settings_schema_unref(schema);
    return true;
}

// A GSettings object on a schema of `source` (the installed ones when null).
class RawSettings {
public:
    explicit RawSettings(const char* id, GSettingsSchemaSource* source = nullptr) {
        if (source == nullptr) source = g_settings_schema_source_get_default();
        GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, FALSE);
        settings_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
    }
    ~RawSettings() { g_object_unref(settings_); }
    RawSettings(const RawSettings&) = delete;
    RawSettings& operator=(const RawSettings&) = delete;
    GSettings* get() const { return settings_; }
    std::string String(const char* key) const {
        gchar* v = g_settings_get_string(settings_, key);
        std::string s = v;
        g_free(v);
        return s;
    }

private:
    GSettings* settings_;
};

TEST(GnomeMouseSpeed, MapsOurTwentyStepsOntoMinusOneToOneWithTheDefaultsMeeting) {
    const std::pair<int, double> cases[] = {{1, -1.0}, {4, -6.0 / 9}, {10, 0.0}, {15, 0.5}, {20, 1.0}};
    for (const auto& [ours, gnome] : cases) {
        EXPECT_DOUBLE_EQ(GnomeSpeedFromPointerSpeed(ours), gnome) << ours;
        EXPECT_EQ(PointerSpeedFromGnomeSpeed(gnome), ours) << gnome;
    }
    for (int v = 1; v <= 20; ++v) EXPECT_EQ(PointerSpeedFromGnomeSpeed(GnomeSpeedFromPointerSpeed(v)), v);
    EXPECT_EQ(PointerSpeedFromGnomeSpeed(0.04), 10);
    EXPECT_EQ(PointerSpeedFromGnomeSpeed(-3.0), 1);
    EXPECT_EQ(PointerSpeedFromGnomeSpeed(std::nan("")), 10);
}

class GnomeMouseSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMemoryBackend);
        if (!MouseSchemaInstalled()) GTEST_SKIP() << kGnomeMouseSchema << " is not installed";
        raw = std::make_unique<RawSettings>(kGnomeMouseSchema);
        for (const char* key : {"speed", "accel-profile", "double-click"}) g_settings_reset(raw->get(), key);
        gnome = GnomeMouseSettings::Create(std::make_unique<FileSystemMouseSettings>(filePath));
        ASSERT_NE(gnome, nullptr);
    }

    test::TempHome home;
    std::string filePath = home.Path() + "/fallback.json";
    std::unique_ptr<RawSettings> raw;
    std::unique_ptr<GnomeMouseSettings> gnome;
};

TEST_F(GnomeMouseSettingsTest, PointerSpeedIsTheSpeedKey) {
    EXPECT_EQ(gnome->PointerSpeed(), 10) << "GNOME's default";
    EXPECT_TRUE(gnome->SetPointerSpeed(15));
    EXPECT_DOUBLE_EQ(g_settings_get_double(raw->get(), "speed"), 0.5);
    g_settings_set_double(raw->get(), "speed", -1.0);
    EXPECT_EQ(gnome->PointerSpeed(), 1);
    for (int refused : {0, 21}) EXPECT_FALSE(gnome->SetPointerSpeed(refused)) << refused;
    EXPECT_DOUBLE_EQ(g_settings_get_double(raw->get(), "speed"), -1.0);
}

TEST_F(GnomeMouseSettingsTest, PrecisionIsAnyAccelerationProfileButFlat) {
    const std::pair<const char*, bool> reads[] = {{"flat", false}, {"default", true}, {"adaptive", true}};
    for (const auto& [profile, on] : reads) {
        g_settings_set_string(raw->get(), "accel-profile", profile);
        EXPECT_EQ(gnome->PointerPrecision(), on) << profile;
    }
    const struct {
        const char* before;
        bool set;
        const char* after;
    } writes[] = {{"default", false, "flat"}, {"flat", true, "adaptive"}, {"default", true, "default"},
                  {"adaptive", true, "adaptive"}};
    for (const auto& w : writes) {
        g_settings_set_string(raw->get(), "accel-profile", w.before);
        EXPECT_TRUE(gnome->SetPointerPrecision(w.set));
        EXPECT_EQ(raw->String("accel-profile"), w.after) << w.before << " set " << w.set;
    }
}

TEST_F(GnomeMouseSettingsTest, DoubleClickIsTheMouseSchemasKeyAndWheelLinesStayInTheFile) {
    ASSERT_EQ(gnome->DoubleClickSchema(), kGnomeMouseSchema);
    EXPECT_TRUE(gnome->SetDoubleClickTime(700));
    EXPECT_EQ(g_settings_get_int(raw->get(), "double-click"), 700);
    EXPECT_EQ(gnome->DoubleClickTime(), 700);
    EXPECT_FALSE(gnome->SetDoubleClickTime(0));
    EXPECT_EQ(g_settings_get_int(raw->get(), "double-click"), 700);

    for (int lines : {7, kWheelPageScroll}) {
        EXPECT_TRUE(gnome->SetWheelScrollLines(lines));
        EXPECT_EQ(FileSystemMouseSettings(filePath).WheelScrollLines(), lines);
        EXPECT_EQ(gnome->WheelScrollLines(), lines);
    }
    EXPECT_TRUE(gnome->SetPointerSpeed(3));
    EXPECT_EQ(FileSystemMouseSettings(filePath).PointerSpeed(), FileSystemMouseSettings::kDefaultPointerSpeed)
        << "only the wheel lines go to the file";
}

TEST_F(GnomeMouseSettingsTest, TheProgramPicksGnomeWhereItsSchemaIsInstalled) {
    auto backend = CreateSystemMouseSettings();
    EXPECT_NE(dynamic_cast<GnomeMouseSettings*>(backend.get()), nullptr);
}

// Desktops whose mouse schema lacks a key, built from schema files of the test's own.
class GnomeSchemaVariantsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMemoryBackend);
        gchar* found = g_find_program_in_path("glib-compile-schemas");
        if (found == nullptr) GTEST_SKIP() << "glib-compile-schemas is not installed";
        compiler = found;
        g_free(found);
    }

    // Compiles schemas with the real ids on test paths, so the installed keys stay untouched.
    std::string Compile(bool mouseSchema, bool mouseDoubleClick, bool daemonDoubleClick) {
        const std::string dir = home.Path() + "/schemas" + std::to_string(++count);
        std::filesystem::create_directories(dir);
        std::ofstream xml(dir + "/test.gschema.xml");
        xml << "<schemalist>\n";
        if (mouseSchema) {
            xml << "<schema id='" << kGnomeMouseSchema << "' path='/orvane/test" << count << "/mouse/'>\n"
                << "<key name='speed' type='d'><default>0</default></key>\n"
                << "<key name='accel-profile' type='s'><default>'default'</default></key>\n";
            if (mouseDoubleClick) xml << "<key name='double-click' type='i'><default>400</default></key>\n";
            xml << "</schema>\n";
        }
        xml << "<schema id='" << kGnomeDaemonMouseSchema << "' path='/orvane/test" << count << "/daemon/'>\n";
        if (daemonDoubleClick) xml << "<key name='double-click' type='i'><default>400</default></key>\n";
        xml << "<key name='drag-threshold' type='i'><default>8</default></key>\n</schema>\n</schemalist>\n";
        xml.close();
        const auto r = test::RunProcess(compiler, {dir});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return dir;
    }
    std::unique_ptr<GnomeMouseSettings> Create(const std::string& dir) {
        return GnomeMouseSettings::Create(std::make_unique<FileSystemMouseSettings>(filePath), dir);
    }

    test::TempHome home;
    std::string filePath = home.Path() + "/fallback.json";
    std::string compiler;
    int count = 0;
};

TEST_F(GnomeSchemaVariantsTest, DoubleClickFallsBackToTheSettingsDaemonThenToTheFile) {
    const std::string dir = Compile(true, false, true);
    auto daemon = Create(dir);
    ASSERT_NE(daemon, nullptr);
    EXPECT_EQ(daemon->DoubleClickSchema(), kGnomeDaemonMouseSchema);
    EXPECT_TRUE(daemon->SetDoubleClickTime(650));
    GSettingsSchemaSource* source = g_settings_schema_source_new_from_directory(dir.c_str(), nullptr, FALSE, nullptr);
    ASSERT_NE(source, nullptr);
    {
        RawSettings raw(kGnomeDaemonMouseSchema, source);
        EXPECT_EQ(g_settings_get_int(raw.get(), "double-click"), 650);
    }
    g_settings_schema_source_unref(source);

    auto neither = Create(Compile(true, false, false));
    ASSERT_NE(neither, nullptr);
    EXPECT_EQ(neither->DoubleClickSchema(), "");
    EXPECT_TRUE(neither->SetDoubleClickTime(800));
    EXPECT_EQ(FileSystemMouseSettings(filePath).DoubleClickTime(), 800);
    EXPECT_EQ(neither->DoubleClickTime(), 800);
}

TEST_F(GnomeSchemaVariantsTest, NoBackendWithoutTheMouseSchema) {
    EXPECT_EQ(Create(Compile(false, false, true)), nullptr);
    EXPECT_EQ(Create(home.Path() + "/no-such-folder"), nullptr);
}

}  // namespace
}  // namespace orvane

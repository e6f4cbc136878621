#include "ProfileFixture.h"

#include "profiles/ShootPatternFile.h"

namespace orvane::test {
namespace {

class ShootPatternFileTest : public ::testing::Test {
protected:
    TempHome home;
    ShootPatternFiles files{home.Path() + "/user/", home.Path() + "/factory/"};
};

TEST_F(ShootPatternFileTest, AShotIsFourStepsAndMissingShotsBeforeItStayNull) {
    ASSERT_TRUE(files.SaveShot(0, 3, {true, 7, false, 12, 95}));
    const Json::Value saved = ReadJson(files.UserPath(0));
    ASSERT_EQ(saved["Events"].size(), 16u);
    for (Json::ArrayIndex i = 0; i < 12; ++i) EXPECT_TRUE(saved["Events"][i].isNull()) << i;
    EXPECT_EQ(saved["Events"][12], ParseOrDie(R"({"Action": "down", "Button": 1, "Delay": 10, "Type": 1})"));
    EXPECT_EQ(saved["Events"][13], ParseOrDie(R"({"Action": "up", "Button": 1, "Delay": 0, "Type": 1})"));
    EXPECT_EQ(saved["Events"][14], ParseOrDie(R"({"Action": "down", "Button": 7, "Delay": 5, "Type": 4})"));
    EXPECT_EQ(saved["Events"][15], ParseOrDie(R"({"Action": "up", "Button": 12, "Delay": 95, "Type": 5})"));
    EXPECT_EQ(files.Shot(0, 3), (ShotValues{true, 7, false, 12, 95}));
    EXPECT_EQ(files.Shot(0, 2), ShotValues{});
    EXPECT_EQ(home.ReadFile("user/" + ShootPatternFileName(0)).back(), '\n');
}

TEST_F(ShootPatternFileTest, SavingKeepsOtherMembersAndElements) {
    home.WriteFile("user/ShootData_1.Shoot", R"({"Name": "mine", "Events": [{"Action": "keep"}, 1, 2, 3, 4, 5, 6, 7, 8]})");
    ASSERT_TRUE(files.SaveShot(1, 1, {false, 3, true, 4, 50}));
    const Json::Value saved = ReadJson(files.UserPath(1));
    EXPECT_EQ(saved["Name"].asString(), "mine");
    EXPECT_EQ(saved["Events"][0]["Action"].asString(), "keep");
    EXPECT_EQ(saved["Events"][8].asInt(), 8);
    EXPECT_EQ(files.Shot(1, 1), (ShotValues{false, 3, true, 4, 50}));
}

TEST_F(ShootPatternFileTest, OutOfRangeValuesAreClampedAndWrongTypesReadAsZero) {
    home.WriteFile("user/ShootData_2.Shoot", R"({"Events": [{}, {}, {"Action": "DOWN", "Button": 900},
        {"Action": 5, "Button": -3, "Delay": -40}, {}, {}, {"Button": "x"}, {"Delay": 1e9}]})");
    EXPECT_EQ(files.Shot(2, 0), (ShotValues{true, 255, false, 0, 0}));
    EXPECT_EQ(files.Shot(2, 1), (ShotValues{false, 0, false, 0, kMaxShotPauseMs}));
    // Pattern and shot numbers out of range come back into range, never past the table.
    EXPECT_EQ(files.Shot(9, 99), ShotValues{});
    ASSERT_TRUE(files.SaveShot(0, 40, {false, 300, false, -2, -5}));
    EXPECT_EQ(files.Shot(0, 29), (ShotValues{false, 255, false, 0, 0}));
}

TEST_F(ShootPatternFileTest, ResetExportAndImportCopyWholeFilesByteForByte) {
    const std::string factory = home.WriteFile("factory/ShootData_0.Shoot", [] {
        Json::Value doc;
        for (int b = 0; b < kShotCount; ++b) WriteShot(doc, b, {b % 2 == 0, b, false, 2 * b, 100 + b});
        return doc.toStyledString() + "// a comment survives\n";
    }());
    ASSERT_TRUE(files.SaveShot(0, 5, {true, 1, true, 1, 1}));
    ASSERT_TRUE(files.ResetPattern(0));
    EXPECT_EQ(home.ReadFile("user/ShootData_0.Shoot"), home.ReadFile("factory/ShootData_0.Shoot"));
    EXPECT_EQ(files.Shot(0, 5), (ShotValues{false, 5, false, 10, 105}));

    ASSERT_TRUE(files.ExportPattern(0, home.Path() + "/out.Shoot"));
    EXPECT_EQ(home.ReadFile("out.Shoot"), home.ReadFile("factory/ShootData_0.Shoot"));
    EXPECT_EQ(files.ImportPattern(3, home.Path() + "/out.Shoot"), true);
    EXPECT_EQ(home.ReadFile("user/ShootData_3.Shoot"), home.ReadFile("out.Shoot"));

    // A missing factory file empties the user's, which then reads as missing.
    ASSERT_TRUE(files.ResetPattern(1));
    EXPECT_EQ(home.ReadFile("user/ShootData_1.Shoot"), "");
    EXPECT_EQ(files.Shot(1, 0), ShotValues{});
}

TEST_F(ShootPatternFileTest, AnIncompletePatternIsRefusedAndTheUsersFileKept) {
    ASSERT_TRUE(files.SaveShot(2, 0, {true, 9, true, 9, 9}));
    const std::string kept = home.ReadFile("user/ShootData_2.Shoot");
    Json::Value short29;
    for (int b = 0; b < kShotCount - 1; ++b) WriteShot(short29, b, {});
    const std::string bad[] = {"not json", "[]", R"({"Events": 3})", short29.toStyledString(),
                               R"({"Events": [)" + std::string(119, '1') + "]}"};
    for (const std::string& text : bad) {
        home.WriteFile("in.Shoot", text);
        EXPECT_EQ(files.ImportPattern(2, home.Path() + "/in.Shoot"), std::nullopt) << text.substr(0, 40);
        EXPECT_EQ(home.ReadFile("user/ShootData_2.Shoot"), kept);
    }
    EXPECT_EQ(files.ImportPattern(2, home.Path() + "/absent.Shoot"), std::nullopt);
}

TEST(ShootFactoryPatternsTest, EveryShippedPatternIsComplete) {
    for (int g = 0; g < kShootPatternCount; ++g) {
        const Json::Value doc = ReadJson(std::string(ORVANE_SOURCE_DIR) + "/DefaultData/" + ShootPatternFileName(g));
        EXPECT_TRUE(IsCompletePattern(doc)) << g;
        EXPECT_EQ(doc["Events"].size(), static_cast<Json::ArrayIndex>(kShotCount * kStepsPerShot)) << g;
    }
}

}  // namespace
}  // namespace orvane::test

namespace orvane::test {
namespace {

TEST_F(ShootPatternFileTest, UntilTheFirstEditTheFactoryPatternShowsAndAFirstEditKeepsItsOtherShots) {
    Json::Value factory;
    for (int b = 0; b < kShotCount; ++b) WriteShot(factory, b, {false, 1, false, b, 80});
    home.WriteFile("factory/ShootData_2.Shoot", factory.toStyledString());
    EXPECT_EQ(files.Shot(2, 9), (ShotValues{false, 1, false, 9, 80}));
    ASSERT_TRUE(files.SaveShot(2, 0, {true, 5, true, 5, 5}));
    EXPECT_EQ(files.Shot(2, 9), (ShotValues{false, 1, false, 9, 80}));
    EXPECT_EQ(ReadJson(files.UserPath(2))["Events"].size(), 120u);
    // A broken user file is not silently replaced by the factory copy.
    home.WriteFile("user/ShootData_2.Shoot", "{ broken");
    EXPECT_EQ(files.Shot(2, 9), ShotValues{});
}

}  // namespace
}  // namespace orvane::test

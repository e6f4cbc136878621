#pragma once
// Shared set-up for the profile tests: a fresh HOME with a device user data folder and a
// default profile of the test's own choosing.

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "profiles/JsonFileStore.h"
#include "profiles/ProfilePaths.h"
#include "tests/support/TempHome.h"

namespace orvane::test {

inline Json::Value ParseOrDie(const std::string& text) {
    Json::Value v;
    EXPECT_TRUE(ParseJsonText(text, v)) << text;
    return v;
}

inline Json::Value ReadJson(const std::string& path) { return JsonFileStore().ReadJsonValue(path); }

// Files in `folder` whose names start with `prefix`.
inline std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        std::string name = e.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    return names;
}

// Captures the debug log for the lifetime of the object.
class CapturedLog {
public:
    CapturedLog() : sink_(std::make_shared<CapturingDebugSink>()), previous_(SetDebugSink(sink_)) {}
    ~CapturedLog() { SetDebugSink(previous_); }
    std::vector<std::string> Lines() const { return sink_->Lines(); }

private:
    std::shared_ptr<CapturingDebugSink> sink_;
    std::shared_ptr<DebugSink> previous_;
};

class ProfileFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = UserDataFolder("mouse");
        defaultPath = home.Path() + "/DefaultData/mouse.Json";
        std::filesystem::create_directories(home.Path() + "/DefaultData");
    }

    void WriteDefault(const std::string& text) const { WriteText(defaultPath, text); }
    static void WriteText(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    static std::string ReadText(const std::string& path) {
        std::string content;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) return content;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
        std::fclose(f);
        return content;
    }

    TempHome home;
    std::string folder;       // user data folder, trailing slash
    std::string defaultPath;  // default profile, outside the user folder
};

}  // namespace orvane::test

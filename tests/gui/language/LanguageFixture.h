#pragma once
// Shared by the language tests: a temporary HOME, a program folder of its own (ORVANE_DATA_DIR)
// holding copies of the shipped DefaultData/Language.config and of the skin files the box and
// the languages need, that skin made current, the debug log captured, and the application font
// put back afterwards.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "tests/support/TempHome.h"
#include "ui/framework/ResourceManager.h"

namespace orvane::app::test {

inline std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class LanguageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("ORVANE_DATA_DIR")) oldDataDir_ = old;
        ::setenv("ORVANE_DATA_DIR", ProgramFolder().c_str(), 1);
        WriteProgramFile("DefaultData/Language.config", SourceFile("DefaultData/Language.config"));
        for (const char* file : {"res.xml", "msgwnd.ui", "lan_en.xml", "lan_cn.xml"}) {
            WriteProgramFile(std::string("skin/") + file, SourceFile(std::string("skin/") + file));
        }
        auto& resources = ui::CResourceManager::GetInstance();
        resources.SetResourcePath(QString::fromStdString(ProgramFolder() + "/skin"));
        ASSERT_TRUE(resources.LoadResource());
        ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
        font_ = QApplication::font();
        previousSink_ = SetDebugSink(log_);
    }

    void TearDown() override {
        SetDebugSink(previousSink_);
        QApplication::setFont(font_);
        ui::CResourceManager::GetInstance().Release();
        // Boxes delete themselves after their window is gone; let that happen within the test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (oldDataDir_) {
            ::setenv("ORVANE_DATA_DIR", oldDataDir_->c_str(), 1);
        } else {
            ::unsetenv("ORVANE_DATA_DIR");
        }
    }

    std::string ProgramFolder() const { return home.Path() + "/program"; }
    std::string WriteProgramFile(const std::string& relative, const std::string& content) const {
        return home.WriteFile("program/" + relative, content);
    }

    bool Logged(const std::string& fragment) const {
        const auto lines = log_->Lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(fragment) != std::string::npos; });
    }
    std::string LogText() const {
        std::string text;
        for (const auto& line : log_->Lines()) text += line + "\n";
        return text;
    }

    orvane::test::TempHome home;
    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();

private:
    std::optional<std::string> oldDataDir_;
    std::shared_ptr<DebugSink> previousSink_;
    QFont font_;
};

}  // namespace orvane::app::test

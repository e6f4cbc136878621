#pragma once
// Shared by the control tests: the program's skin made current with the controls registered, a
// window that records its notifications, and pictures of what a control shows.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "ui/controls/CustomControls.h"
#include "ui/framework/Container.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::ui::test {

struct Note {
    QString type;
    QString sender;
    WParam wParam = 0;
    bool operator==(const Note&) const = default;
};

inline void PrintTo(const Note& n, std::ostream* os) {
    *os << n.type.toStdString() << "(" << n.sender.toStdString() << ", " << n.wParam << ")";
}

class HostWindow : public WindowImplBase {
public:
    std::vector<Note> notes;

    long Count(const Note& note) const { return std::count(notes.begin(), notes.end(), note); }

protected:
    QString GetSkinFile() const override { return QString(ORVANE_SOURCE_DIR) + "/tests/gui/controls/host.ui"; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == "setfocus" || msg.sType == "killfocus" || msg.sType == "windowinit") return;
        notes.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : QString(), msg.wParam});
    }
    CControlUI* CreateControl(const QString& tag) override { return CreateCustomControl(tag); }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& resources = CResourceManager::GetInstance();
        resources.SetResourcePath(QString(ORVANE_SOURCE_DIR) + "/skin");
        RegisterCustomControls();
        previousSink_ = SetDebugSink(log_);
        window = std::make_unique<HostWindow>();
        ASSERT_TRUE(window->Create(nullptr, "controls"));
        window->ShowWindow();
        QCoreApplication::processEvents();
    }

    void TearDown() override {
        window.reset();
        SetDebugSink(previousSink_);
        CResourceManager::GetInstance().Release();
    }

    CContainerUI* Root() const { return dynamic_cast<CContainerUI*>(window->GetRoot()); }

    // Builds a skin file into the window, below the root.
    template <class T>
    T* Build(const QString& layout) {
        CControlUI* control = CDialogBuilder().Create(layout, window.get());
        EXPECT_NE(control, nullptr) << layout.toStdString();
        if (control == nullptr) return nullptr;
        Root()->Add(control);
        QCoreApplication::processEvents();
        return dynamic_cast<T*>(control);
    }

    // The control as it shows in the window, over what is behind it; kept as a PNG below
    // $ORVANE_CONTROL_SHOTS when that is set.
    QImage Picture(QWidget* widget, const QString& shotName = {}) const {
        QCoreApplication::processEvents();  // lays out what was just added
        QWidget* root = window->GetRoot()->GetWidget();
        const QImage image = root->grab(QRect(widget->mapTo(root, QPoint(0, 0)), widget->size())).toImage();
        const QString folder = qEnvironmentVariable("ORVANE_CONTROL_SHOTS");
        if (!folder.isEmpty() && !shotName.isEmpty()) {
            QDir().mkpath(folder);
            image.save(folder + "/" + shotName + ".png");
        }
        return image;
    }

    std::vector<std::string> LogLines() const { return log_->Lines(); }

    std::unique_ptr<HostWindow> window;

private:
    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();
    std::shared_ptr<DebugSink> previousSink_;
};

// A picture file of one colour, or a disc of that colour on transparency, for image strings.
inline QString SolidImage(const QTemporaryDir& dir, const QString& name, const QColor& color, bool disc = false, int size = 24) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(disc ? Qt::transparent : color);
    if (disc) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int dx = x - size / 2;
                const int dy = y - size / 2;
                if (dx * dx + dy * dy <= (size / 2 - 1) * (size / 2 - 1)) image.setPixelColor(x, y, color);
            }
        }
    }
    const QString path = dir.filePath(name + ".png");
    image.save(path);
    return path;
}

}  // namespace orvane::ui::test

#pragma once
// The macro panel on the emulated mouse through the main window: the macro tab shown, the panel's
// buttons clicked the way a user does, keys and buttons pressed as the desktop delivers them (key
// events carry the XKB keycode as their native scan code), and the mouse's macro memory read back.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "app/MenuWnd.h"
#include "editors/keys/CKeySetControlUI.h"
#include "editors/keys/CMacroControlUI.h"
#include "tests/gui/mousepage_logic/MousePageLogicFixture.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"

namespace orvane::test {

class MacroEditorTest : public MousePageLogicTest {
protected:
    CMacroControlUI& OpenMacroTab() {
        OpenConnected();
        Find<ui::COptionUI>("macro_Op_tab")->SetSelected(true);
        CMacroControlUI* panel = Page()->GetMacroItem();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }

    void Click(const char* name) { Find<ui::CControlUI>(name)->SendNotify("click"); }

    // A choice in the step menu, as the menu window reports it.
    void ChooseMenuItem(const char* item) {
        app::MenuCommand command{item, {}, {}};
        Window().SendMessage(ui::kMenuCommand, reinterpret_cast<ui::WParam>(&command), 0);
    }

    // A key as the desktop delivers it to the window: `evdev` is the Linux key code.
    void Key(uint16_t evdev, bool down, bool autoRepeat = false) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, 0, Qt::NoModifier, evdev + 8u, 0, 0, QString(),
                        autoRepeat);
        QApplication::sendEvent(&Window(), &event);
    }

    void SelectStep(int row) { Find<ui::CListUI>("macro_action_list")->SelectItem(row, false); }

    // The macro index and the selected macro's file as written.
    Json::Value MacroIndex() const { return JsonFileStore().ReadJsonValue(UserFile("macro.config")); }
    Json::Value MacroDocument(int macro) const {
        return JsonFileStore().ReadJsonValue(UserFile(MacroIndex()["MacroInfo"][macro]["Guid"].asString() + ".mac"));
    }
    // Step `row` as the panel's row holds it.
    Json::Value RowStep(int row) const {
        Json::Value value;
        Json::Reader().parse(Find<ui::CListUI>("macro_action_list")->GetItemAt(row)->GetUserData().toStdString(), value);
        return value;
    }

    // Macro 0 given to the right button and "key_butt_prosave" clicked; then the mouse's memories.
    void AssignMacroAndSave(int macro) {
        Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
        Page()->GetKeyButton(1)->click();
        CKeySetControlUI& keys = *Page()->GetKeySetItem();
        Find<ui::CComboUI>("keyset_function_combo")->SelectItem(keys.FindPageEntry(kPageMacro));
        Find<ui::CComboUI>("keyset_macro_combo")->SelectItem(macro, false);
        Find<ui::CComboUI>("keyset_macro_over_combo")->SelectItem(0, false);
        Click("key_butt_keysave");
        Click("key_butt_prosave");
        EXPECT_TRUE(WaitIdle());
    }

    std::vector<uint8_t> MacroMemoryPrefix(size_t bytes) {
        const auto memory = Firmware().MacroMemory();
        return {memory.begin(), memory.begin() + static_cast<std::ptrdiff_t>(std::min(bytes, memory.size()))};
    }
};

}  // namespace orvane::test

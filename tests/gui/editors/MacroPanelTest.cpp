// The macro panel end to end: macros added, renamed and deleted in the macro index and the key
// assignment panel's list; steps built by hand into the macro file; the file in the mouse's macro
// memory byte for byte once saved to the mouse; macros too large for it refused with a message.
#include "MacroEditorFixture.h"

#include "ui/framework/FileDialog.h"

namespace orvane::test {
namespace {

TEST_F(MacroEditorTest, AMacroBuiltByHandReachesTheFileAndTheMouseByteForByte) {
    CMacroControlUI& panel = OpenMacroTab();
    Click("macro_btn_name_add");
    ASSERT_EQ(MacroIndex()["MacroInfo"].size(), 1u);
    EXPECT_EQ(MacroIndex()["MacroInfo"][0]["MacroName"].asString(), "macro_1");
    EXPECT_EQ(Find<ui::CComboUI>("keyset_macro_combo")->GetCount(), 1);

    ChooseMenuItem("left_click");
    Find<ui::CEditUI>("mouse_x_right_edit")->SetText("300");  // keeps its low 8 bits: 44
    Click("macro_inset_moverightkey_btn");
    ASSERT_EQ(panel.Steps().size(), 3u);

    const Json::Value events = MacroDocument(0)["Events"];
    ASSERT_EQ(events.size(), 3u);
    const std::tuple<const char*, int, int, const char*> expected[] = {
        {"down", 1, 1, "50"}, {"up", 1, 1, "50"}, {"up", 44, 4, "50"}};
    for (Json::ArrayIndex i = 0; i < 3; ++i) {
        const auto& [action, button, type, delay] = expected[i];
        EXPECT_EQ(events[i]["Action"].asString(), action) << i;
        EXPECT_EQ(events[i]["Button"].asInt(), button) << i;
        EXPECT_EQ(events[i]["Type"].asInt(), type) << i;
        EXPECT_EQ(events[i]["Delay"].asString(), delay) << i;
    }
    EXPECT_EQ(MacroDocument(0)["Version"].asInt(), 64);

    AssignMacroAndSave(0);
    const std::vector<uint8_t> image = {0xAA, 0x55, 34, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
                                        18, 0,                                                  // offset of macro 0
                                        3, 0, 0, 0,                                             // its step count
                                        50, 0, 0x81, 1, 50, 0, 0x01, 1, 50, 0, 0x04, 44};
    EXPECT_EQ(MacroMemoryPrefix(image.size()), image);
    EXPECT_EQ(Page()->GetKeyList()[1].Assignment, (FunctionCode{0x70, 0x00, 0x00}));
}

TEST_F(MacroEditorTest, NamesFollowTheRulesAndRefusalsChangeNothing) {
    CMacroControlUI& panel = OpenMacroTab();
    Click("macro_btn_name_add");
    Click("macro_btn_name_add");
    // "MACRO_2" is taken whatever its case, so the third is macro_3.
    Find<ui::CEditUI>("macro_edit_macroname")->SetText("MACRO_2");
    Find<ui::CListUI>("macro_name_list")->SelectItem(0, false);
    EXPECT_EQ(AnswerMessage([&] { Click("macro_btn_name_edit"); }), LanguageText("message_text_5"));
    EXPECT_EQ(MacroIndex()["MacroInfo"][0]["MacroName"].asString(), "macro_1");
    Find<ui::CEditUI>("macro_edit_macroname")->SetText("Reload");
    EXPECT_TRUE(AnswerMessage([&] { Click("macro_btn_name_edit"); }).isEmpty());
    EXPECT_EQ(MacroIndex()["MacroInfo"][0]["MacroName"].asString(), "Reload");
    EXPECT_EQ(Find<ui::CComboUI>("keyset_macro_combo")->GetItemText(0), "Reload");
    Click("macro_btn_name_add");
    EXPECT_EQ(MacroIndex()["MacroInfo"][2]["MacroName"].asString(), "macro_1");

    // Deleting asks first: Cancel keeps everything.
    Find<ui::CListUI>("macro_name_list")->SelectItem(1, false);
    AnswerMessage([&] { Click("macro_btn_name_sub"); }, "cancel_btn");
    EXPECT_EQ(MacroIndex()["MacroInfo"].size(), 3u);
    AnswerMessage([&] { Click("macro_btn_name_sub"); });
    EXPECT_EQ(MacroIndex()["MacroInfo"].size(), 2u);
    EXPECT_EQ(Find<ui::CComboUI>("keyset_macro_combo")->GetCount(), 2);
    EXPECT_EQ(panel.GetMacroNames(), (std::vector<std::string>{"Reload", "macro_1"}));

    // Fifty at most.
    for (int i = 0; i < 60; ++i) Click("macro_btn_name_add");
    EXPECT_EQ(MacroIndex()["MacroInfo"].size(), 50u);
}

TEST_F(MacroEditorTest, ImportChecksTheFileWholeAndExportCopiesIt) {
    CMacroControlUI& panel = OpenMacroTab();
    const std::string home = std::getenv("HOME");
    WriteHomeFile("broken.mac", "{\"Events\": [{\"Action\": \"down\", \"Button\": 4");
    WriteHomeFile("wrong.mac", R"({"Events": [{"Action": "down", "Button": 4, "Type": 77, "Delay": "5"}]})");
    WriteHomeFile("good.mac", R"({"Events": [{"Action": "down", "Button": 4, "Type": 10, "Delay": 70000}], "Guid": "x", "MacroName": "Elsewhere", "Version": 64})");
    auto answer = [](std::string path) {
        return [path](const ui::FileDialogRequest&) { return std::optional<QString>(QString::fromStdString(path)); };
    };
    for (const char* bad : {"broken.mac", "wrong.mac", "missing.mac"}) {
        ui::SetFileDialogAnswerer(answer(home + "/" + bad));
        Click("macro_btn_import");
        EXPECT_TRUE(MacroIndex().isNull() || MacroIndex()["MacroInfo"].empty()) << bad;
    }
    ui::SetFileDialogAnswerer(answer(home + "/good.mac"));
    Click("macro_btn_import");
    ASSERT_EQ(MacroIndex()["MacroInfo"].size(), 1u);
    ASSERT_EQ(panel.Steps().size(), 1u);
    EXPECT_EQ(panel.Steps()[0].Delay, "65535") << "shown at most 65535";

    ui::SetFileDialogAnswerer(answer(home + "/out.mac"));
    Click("macro_btn_export");
    ui::SetFileDialogAnswerer({});
    std::string exported;
    ASSERT_TRUE(ReadWholeFile(home + "/out.mac", exported));
    EXPECT_NE(exported.find("Elsewhere"), std::string::npos);
}

TEST_F(MacroEditorTest, MacrosTooLargeForTheMouseAreRefusedWithTheEventsToRemove) {
    OpenMacroTab();
    Click("macro_btn_name_add");
    Json::Value doc;
    for (int i = 0; i < 300; ++i) doc["Events"].append(MacroEventToJson({"down", 4, 10, "1"}));
    doc["Guid"] = MacroIndex()["MacroInfo"][0]["Guid"];
    doc["Version"] = 64;
    ASSERT_EQ(JsonFileStore().wirtejsonFile(UserFile(doc["Guid"].asString() + ".mac"), doc), 0);
    const std::vector<uint8_t> before = Firmware().MacroMemory();

    // 16 + 6 + 4 x 300 bytes against 1024: 50 events too many.
    const QString shown = AnswerMessage([&] { AssignMacroAndSave(0); });
    EXPECT_TRUE(shown.contains("50")) << shown.toStdString();
    EXPECT_EQ(Firmware().MacroMemory(), before);
}

}  // namespace
}  // namespace orvane::test

#include "pages/MouseKeyInfo.h"

#include "protocol/KeyTable.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/Label.h"
#include "ui/framework/List.h"
#include "ui/framework/ResourceManager.h"

namespace orvane {
namespace {

constexpr int kRowHeight = 30;
constexpr int kTitleWidth = 157;
constexpr int kDescriptionWidth = 180;
constexpr ui::ArgbColor kTitleColor = 0xFFFFFFFF;
constexpr ui::ArgbColor kDescriptionColor = 0xFF45D5BC;

ui::CLabelUI* AddLabel(ui::CListElementUI& row, int width, ui::ArgbColor color) {
    auto* label = new ui::CLabelUI;
    label->setFixedWidth(width);
    label->SetTextColor(color);
    row.Add(label);
    return label;
}

ui::CListElementUI* RowAt(ui::CListUI& list, int index) {
    while (list.GetCount() <= index) {
        auto* row = new ui::CListElementUI;
        row->setFixedHeight(kRowHeight);
        AddLabel(*row, kTitleWidth, kTitleColor);
        AddLabel(*row, kDescriptionWidth, kDescriptionColor);
        list.Add(row);
    }
    return dynamic_cast<ui::CListElementUI*>(list.GetItemAt(index));
}

ui::CLabelUI* LabelAt(ui::CListElementUI& row, int index) {
    return index < row.GetCount() ? dynamic_cast<ui::CLabelUI*>(row.GetItemAt(index)) : nullptr;
}

}  // namespace

QString LanguageText(const QString& key) { return ui::CResourceManager::GetInstance().GetText(key); }

QString DescriptionText(const std::vector<TextPiece>& pieces) {
    QString text;
    for (const TextPiece& piece : pieces) {
        const QString part = QString::fromStdString(piece.text);
        text += piece.isLanguageKey ? LanguageText(part) : part;
    }
    return text;
}

std::vector<KeyInfo> DescribeKeys(const std::vector<KeyListEntry>& keys, const std::vector<std::string>& macroNames) {
    std::vector<KeyInfo> infos;
    const auto& buttons = LogicalButtons();
    for (size_t i = 0; i < keys.size(); ++i) {
        const QString title = i < buttons.size() ? LanguageText(buttons[i].nameText) : QString();
        infos.push_back({title, DescriptionText(DescribeFunctionCode(keys[i].Assignment, macroNames))});
    }
    return infos;
}

void ShowKeyInfoRow(ui::CListUI& list, int index, const KeyInfo& info, bool visible) {
    ui::CListElementUI* row = RowAt(list, index);
    if (row == nullptr) return;
    if (ui::CLabelUI* title = LabelAt(*row, 0)) title->SetText(info.title);
    if (ui::CLabelUI* description = LabelAt(*row, 1)) {
        description->SetText(description->fontMetrics().elidedText(info.description, Qt::ElideRight, kDescriptionWidth));
        description->SetToolTip(info.description);
    }
    row->SetVisible(visible);
}

void ShowKeyToolTip(ui::CDeviceKeyButtonUI& button, const KeyInfo& info) {
    button.SetToolTip(info.title + "\n" + LanguageText("Key_Set") + info.description);
}

void ShowLogoToolTip(ui::CDeviceKeyButtonUI& button, const QString& modeNameId) {
    const QString mode = modeNameId.isEmpty() ? QString() : LanguageText(modeNameId);
    button.SetToolTip(LanguageText("Logo") + "\n" + LanguageText("Light_Set") + "\n" + LanguageText("Overall_Light_Set") +
                      mode);
}

}  // namespace orvane

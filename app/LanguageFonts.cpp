#include "app/LanguageFonts.h"

#include "ui/framework/WindowImplBase.h"

#include <QApplication>

#include <array>

namespace orvane::app {
namespace {

enum class Style { kRegular, kBold, kUnderlined };

struct FontSpec {
    int id;
    int pixelSize;
    Style style;
};

constexpr std::array<FontSpec, 14> kFontTable = {{
    {kDefaultFontId, 15, Style::kRegular},
    {0, 15, Style::kBold},
    {1, 14, Style::kUnderlined},
    {2, 18, Style::kRegular},
    {3, 30, Style::kRegular},
    {4, 16, Style::kRegular},
    {5, 20, Style::kRegular},
    {6, 22, Style::kRegular},
    {7, 14, Style::kRegular},
    {8, 12, Style::kRegular},
    {9, 11, Style::kRegular},
    {10, 10, Style::kRegular},
    {11, 28, Style::kRegular},
    {50, 18, Style::kBold},
}};

// Empty until a language sets one: the application's face.
QString& CurrentFace() {
    static QString face;
    return face;
}

// The language faces are Windows fonts; here the Noto fonts of Font/ and of the system stand in.
void InstallFaceSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions("Meiryo UI", {"Noto Sans CJK JP", "Noto Sans"});
        QFont::insertSubstitutions("Arial Unicode MS", {"Noto Sans CJK SC", "Noto Sans"});
        QFont::insertSubstitutions("Noto Sans Thai", {"Noto Sans"});
        return true;
    }();
    (void)installed;
}

QFont MakeFont(const FontSpec& entry) {
    QFont font(CurrentFace().isEmpty() ? QApplication::font().family() : CurrentFace());
    font.setPixelSize(entry.pixelSize);
    font.setBold(entry.style == Style::kBold);
    font.setUnderline(entry.style == Style::kUnderlined);
    return font;
}

}  // namespace

std::optional<QString> LanguageFontFace(int index) {
    switch (index) {
        case 0: return QString("Meiryo UI");
        case 1:
        case 2: return QString("Arial Unicode MS");
        case 15: return QString("Noto Sans Thai");
        default: return std::nullopt;
    }
}

void ApplyLanguageFonts(const QString& face) {
    InstallFaceSubstitutes();
    CurrentFace() = face;
    QApplication::setFont(GetLanguageFont(kDefaultFontId));
    // A window given a DPI holds a font of its own, which the application font no longer reaches.
    for (ui::WindowImplBase* window : ui::WindowImplBase::Windows()) window->SetDPI(window->GetDPI());
}

QFont GetLanguageFont(int id) {
    for (const FontSpec& entry : kFontTable) {
        if (entry.id == id) return MakeFont(entry);
    }
    return MakeFont(kFontTable[0]);
}

}  // namespace orvane::app

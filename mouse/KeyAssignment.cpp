#include "mouse/KeyAssignment.h"

#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

uint8_t Low8(int value) { return static_cast<uint8_t>(value & 0xFF); }

// The row `entry` of a table; `fallback` when nothing is selected.
FunctionCode RowCode(std::span<const CodeRow> rows, int entry, const FunctionCode& fallback) {
    if (entry < 0 || static_cast<size_t>(entry) >= rows.size()) return fallback;
    return rows[static_cast<size_t>(entry)].code;
}

uint8_t PaceByte(const KeyFunctionForm& form) {
    return static_cast<uint8_t>((form.delay & 0xF) << 4 | (form.speed & 0xF));
}

int EntryOf(std::span<const CodeRow> rows, const FunctionCode& code) { return FindCodeRow(rows, code).value_or(-1); }

void ShowKeyboard(const FunctionCode& code, ShownFunction& shown) {
    KeyFunctionForm& form = shown.form;
    const uint8_t p1 = code[1];
    const uint8_t p2 = code[2];
    form.page = kPageKeyboard;
    if (p1 != 0 && p2 != 0 && p1 > 0x80) {
        form.page = kPageShortcut;
        form.entry = EntryOf(ShortcutRows(), code);
        return;
    }
    if (p1 != 0 && p2 != 0) {
        const auto modifier = FindModifierRow(p1);
        form.modifierOption = modifier ? ModifierOptionOfRow(*modifier) : 0;
        if (const auto key = FindKeyboardRowByUsage(p2)) form.keyName = KeyboardKeyRows()[static_cast<size_t>(*key)].nameKey;
        return;
    }
    for (const KeyboardKeyRow& row : KeyboardKeyRows()) {
        if (row.code == code) {
            form.modifierOption = 0;
            form.keyName = row.nameKey;
            return;
        }
    }
    form.modifierOption = -1;
    form.keyName.clear();
    shown.clearsCurrent = true;
}

void ShowMacro(const FunctionCode& code, int macroCount, KeyFunctionForm& form) {
    form.page = kPageMacro;
    const bool known = code[1] <= macroCount;
    if (code[0] == kFunctionMacro) {
        if (known) {
            form.entry = code[1];
            form.playMode = code[2];
        }
        return;
    }
    if (known) form.entry = code[1];
    form.repeatShown = known;
    form.repeatCount = code[2];
    form.playMode = kPlayModeRepeatCount;
}

}  // namespace

uint8_t ModifierBitOfOption(int option) { return option <= 0 ? 0 : static_cast<uint8_t>(1u << (option - 1)); }

int ModifierOptionOfRow(int row) { return (row + 1) % 5 + (row + 1) / 5; }

FunctionCode EncodeKeyFunction(const KeyFunctionForm& form, const FunctionCode& current, const FunctionCode& defaultCode) {
    switch (form.page) {
        case kPageMouseButton: return RowCode(MouseButtonRows(), form.entry, current);
        case kPagePointerMove:
            return {kFunctionPointerMove, PaceByte(form),
                    form.direction == 1 ? Low8(form.count | 0x80) : static_cast<uint8_t>(form.count & 0x7F)};
        case kPageWheel:
            // Downwards is the count negated as a signed byte.
            return {kFunctionWheel, PaceByte(form),
                    form.direction == 1 ? Low8((128 - form.count) | 0x80) : static_cast<uint8_t>(form.count & 0x7F)};
        case kPageDpi: return RowCode(DpiFunctionRows(), form.entry, current);
        case kPageRapidFire: return {kFunctionRapidFire, Low8(form.interval), Low8(form.fireCount)};
        case kPageKeyboard:
            return {kFunctionKeyboard, ModifierBitOfOption(form.modifierOption),
                    form.keyName.empty() ? uint8_t{0} : current[2]};
        case kPageConsumer: return RowCode(ConsumerKeyRows(), form.entry, current);
        case kPagePower: return RowCode(PowerKeyRows(), form.entry, current);
        case kPageMacro:
            if (form.entry < 0) return current;
            if (form.playMode == kPlayModeRepeatCount) return {kFunctionMacroRepeated, Low8(form.entry), Low8(form.repeatCount)};
            return {kFunctionMacro, Low8(form.entry), Low8(form.playMode < 0 ? 0 : form.playMode)};
        case kPageShootPattern:
            if (form.entry < 0 || form.entry >= kShootPatternCount) return current;
            return {kFunctionShootPattern, Low8(form.entry), 0};
        case kPageShortcut: return RowCode(ShortcutRows(), form.entry, current);
        case kPageSpecial: return kSpecialKeyCode;
        default: return defaultCode;
    }
}

ShownFunction ShowKeyFunction(const FunctionCode& code, const FunctionCode& defaultCode, int macroCount) {
    ShownFunction shown;
    KeyFunctionForm& form = shown.form;
    if (code == defaultCode || code[0] == 0) return shown;
    const uint8_t p1 = code[1];
    const uint8_t p2 = code[2];
    switch (code[0]) {
        case kFunctionMouseButton:
            form.page = kPageMouseButton;
            form.entry = EntryOf(MouseButtonRows(), code);
            break;
        case kFunctionDpi:
            form.page = kPageDpi;
            form.entry = EntryOf(DpiFunctionRows(), code);
            break;
        case kFunctionConsumer:
            form.page = kPageConsumer;
            form.entry = EntryOf(ConsumerKeyRows(), code);
            break;
        case kFunctionPower:
            form.page = kPagePower;
            form.entry = EntryOf(PowerKeyRows(), code);
            break;
        case kFunctionPointerMove:
        case kFunctionWheel: {
            const bool wheel = code[0] == kFunctionWheel;
            form.page = wheel ? kPageWheel : kPagePointerMove;
            form.delay = p1 >> 4;
            form.speed = p1 & 0xF;
            const bool negative = (p2 & 0x80) != 0;
            form.direction = negative ? 1 : 0;
            form.count = !negative ? p2 : wheel ? 128 - (p2 & 0x7F) : (p2 & 0x7F);
            break;
        }
        case kFunctionRapidFire:
            form.page = kPageRapidFire;
            form.interval = p1;
            form.fireCount = p2;
            break;
        case kFunctionKeyboard: ShowKeyboard(code, shown); break;
        case kFunctionMacro:
        case kFunctionMacroRepeated: ShowMacro(code, macroCount, form); break;
        case kFunctionShootPattern:
            form.page = kPageShootPattern;
            form.entry = p1 < kShootPatternCount ? p1 : -1;
            break;
        case kFunctionSpecial: form.page = kPageSpecial; break;
        default: form.page = kNoPage; break;
    }
    return shown;
}

std::optional<CapturedKey> CaptureKey(uint8_t scanCode, bool extended, int modifierOption, const FunctionCode& current) {
    const auto row = FindKeyboardRowByScanCode(scanCode, extended);
    if (!row) return std::nullopt;
    const KeyboardKeyRow& key = KeyboardKeyRows()[static_cast<size_t>(*row)];
    if (key.code[0] != kFunctionKeyboard) return std::nullopt;
    CapturedKey captured;
    if (*row < kModifierRows) {
        captured.modifierOption = ModifierOptionOfRow(*row);
        captured.code = {kFunctionKeyboard, ModifierBitOfOption(*captured.modifierOption), current[2]};
        return captured;
    }
    if (modifierOption < 0) captured.modifierOption = 0;
    captured.keyName = key.nameKey;
    captured.code = {kFunctionKeyboard, ModifierBitOfOption(modifierOption), key.code[2]};
    return captured;
}

}  // namespace orvane

#include "profiles/MacroRecording.h"

#include "profiles/MacroSteps.h"
#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

constexpr int kTypeModifier = 9;
constexpr int kTypeKey = 10;

}  // namespace

std::optional<RecordedStep> KeyStepOf(uint8_t scanCode, bool extended, bool down) {
    const auto row = FindKeyboardRowByScanCode(scanCode, extended);
    if (!row) return std::nullopt;
    const KeyboardKeyRow& key = KeyboardKeyRows()[static_cast<size_t>(*row)];
    RecordedStep step;
    step.down = down;
    step.nameKey = key.nameKey;
    step.keyboard = true;
    if (key.code[2] != 0) {
        step.type = kTypeKey;
        step.button = key.code[2];
    } else if (key.code[1] != 0) {
        step.type = kTypeModifier;
        step.button = key.code[1];
    } else {
        return std::nullopt;
    }
    return step;
}

std::optional<RecordedStep> MouseStepOf(unsigned message, int xButton) {
    int row = -1;
    if (message == kMessageXButtonDown || message == kMessageXButtonUp) {
        if (xButton != 1 && xButton != 2) return std::nullopt;
        row = (xButton == 2 ? 6 : 8) + (message == kMessageXButtonUp ? 1 : 0);
    } else {
        for (int i = 0; i < 6; ++i) {
            if (MacroMouseRows()[static_cast<size_t>(i)].message == message) row = i;
        }
    }
    if (row < 0) return std::nullopt;
    const MacroMouseRow& entry = MacroMouseRows()[static_cast<size_t>(row)];
    return RecordedStep{entry.typeByte & 0x7F, entry.buttonBit, (entry.typeByte & 0x80) != 0, entry.nameKey, false};
}

bool KeyRepeatFilter::Accept(uint8_t scanCode, bool extended, bool down) {
    const bool same = scan_ == scanCode && extended_ == extended;
    if (down) {
        if (same) return false;
        scan_ = scanCode;
        extended_ = extended;
    } else if (same) {
        scan_ = 0;
        extended_ = false;
    }
    return true;
}

bool MouseRepeatFilter::Accept(unsigned message) {
    if (message == last_) return false;
    last_ = message;
    return true;
}

std::optional<StepPlacement> PlaceRecordedStep(RecordKind kind, int rows, int selected) {
    if (rows >= kMaxMacroSteps) return std::nullopt;
    StepPlacement place;
    switch (kind) {
        case RecordKind::Append:
            place.insertAt = rows;
            place.first = rows == 0;
            place.previousRow = rows - 1;
            place.select = rows;
            break;
        case RecordKind::Before:
            if (selected < 0 || selected >= rows) return std::nullopt;
            place.insertAt = selected;
            place.first = selected == 0;
            place.previousRow = selected - 1;
            place.keepSelected = selected + 1;
            break;
        case RecordKind::After:
            if (selected < 0 || selected >= rows) return std::nullopt;
            place.insertAt = selected + 1;
            place.previousRow = selected;
            place.select = selected + 1;
            break;
    }
    if (place.first) place.previousRow = -1;
    return place;
}

int StepDelay(DelayMode mode, int fixedDelay, uint32_t nowMs, uint32_t& lastStepMs) {
    uint32_t delay = 0;
    if (mode == kDelayFixed) {
        delay = fixedDelay < 0 ? 0u : static_cast<uint32_t>(fixedDelay);
    } else if (mode == kDelayMeasured) {
        delay = nowMs - lastStepMs;  // unsigned: a wrapped clock still gives the elapsed time
        lastStepMs = nowMs;
    }
    return delay >= kMaxStepDelay ? kMaxStepDelay : static_cast<int>(delay);
}

}  // namespace orvane

#pragma once
// The rules of recording a macro from live input: which step a key or a mouse button becomes,
// the filters that drop auto-repeated presses, where a recorded step goes in the step list and
// what delay the step before it gets. The panel applies the outcome to its rows.

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

enum class RecordKind { Append, Before, After };
enum DelayMode : int { kDelayMeasured = 1, kDelayFixed = 2, kDelayNone = 3 };

// Hook messages of keys and mouse buttons (as the recording handlers read them).
inline constexpr unsigned kMessageKeyDown = 0x0100;
inline constexpr unsigned kMessageKeyUp = 0x0101;
inline constexpr unsigned kMessageSysKeyDown = 0x0104;
inline constexpr unsigned kMessageSysKeyUp = 0x0105;

struct RecordedStep {
    int type = 0;    // "Type"
    int button = 0;  // "Button"
    bool down = false;
    std::string nameKey;
    bool keyboard = false;  // name label in the keyboard style
};

// A key of the keyboard key table's scan-code rows; nullopt for any other key.
std::optional<RecordedStep> KeyStepOf(uint8_t scanCode, bool extended, bool down);
// A button message (0x0201 … 0x0208, 0x020B/0x020C with X button 1 back or 2 forward).
std::optional<RecordedStep> MouseStepOf(unsigned message, int xButton);

// Each recording handler keeps its own memory of the last input it accepted.
class KeyRepeatFilter {
public:
    // False for a press of the key last pressed and not yet released (an auto-repeat).
    bool Accept(uint8_t scanCode, bool extended, bool down);

private:
    uint8_t scan_ = 0;
    bool extended_ = false;
};

class MouseRepeatFilter {
public:
    // False for the same message as the last one accepted.
    bool Accept(unsigned message);

private:
    unsigned last_ = 0;
};

struct StepPlacement {
    int insertAt = 0;
    bool first = false;      // the new step is the first of the list: integer "Delay" 0, no other row changes
    int previousRow = -1;    // the row that gets the measured delay (after the insertion)
    int select = -1;         // the row to select and bring into view; -1 keeps the selection
    int keepSelected = -1;   // "before": the row that was selected, now one further down
};
// Where a recorded step goes among `rows` with `selected` selected (-1 none); nullopt when the
// input is dropped (2000 rows, or nothing selected for before and after).
std::optional<StepPlacement> PlaceRecordedStep(RecordKind kind, int rows, int selected);

// The delay of an input at `nowMs` (steady milliseconds): fixed, none, or the time since the last
// recorded input (which becomes now); at most 65535.
int StepDelay(DelayMode mode, int fixedDelay, uint32_t nowMs, uint32_t& lastStepMs);

}  // namespace orvane

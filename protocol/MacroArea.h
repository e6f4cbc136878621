#pragma once
// The mouse's macro memory image: header, offset table, then each macro's header and events.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

struct MacroEventBytes {
    uint16_t delayMs = 0;
    uint8_t type = 0;
    bool down = false;
    uint8_t code = 0;
};

// The "Delay" text of a macro event as the device takes it: a decimal number, low 16 bits kept.
uint16_t MacroDelayFromText(std::string_view text);

struct MacroAreaImage {
    int result = 0;              // see CompileMacroArea
    std::vector<uint8_t> image;  // empty unless there is something that fits
};

inline constexpr uint16_t kMacroAreaMagic = 0x55AA;
inline constexpr size_t kMacroAreaHeaderBytes = 16;
inline constexpr size_t kMacroUnitBytes = 128;

// result 0 with an empty image: no macros. result (excess / 4) + 1: does not fit, nothing to write.
// result 0 with an image: ready to write.
MacroAreaImage CompileMacroArea(const std::vector<std::vector<MacroEventBytes>>& macros, size_t capacityBytes);

}  // namespace orvane

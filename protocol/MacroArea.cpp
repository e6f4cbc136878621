#include "protocol/MacroArea.h"

#include <cctype>

namespace orvane {
namespace {

void PutWord(std::vector<uint8_t>& image, size_t offset, size_t value) {
    image[offset] = static_cast<uint8_t>(value & 0xFF);
    image[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

uint16_t MacroDelayFromText(std::string_view text) {
    // Leading blanks and digits only, like a decimal scan; anything else ends the number.
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = (value * 10 + static_cast<uint32_t>(text[i] - '0')) & 0xFFFF;
    return static_cast<uint16_t>(value);
}

MacroAreaImage CompileMacroArea(const std::vector<std::vector<MacroEventBytes>>& macros, size_t capacityBytes) {
    MacroAreaImage out;
    const size_t count = macros.size();
    if (count == 0) return out;
    size_t events = 0;
    for (const auto& m : macros) events += m.size();
    const size_t total = kMacroAreaHeaderBytes + 6 * count + 4 * events;
    if (total > capacityBytes) {
        out.result = static_cast<int>((total - capacityBytes) / 4) + 1;
        return out;
    }
    out.image.assign(total, 0);
    auto& image = out.image;
    PutWord(image, 0, kMacroAreaMagic);
    PutWord(image, 2, total);
    PutWord(image, 4, count);
    size_t at = kMacroAreaHeaderBytes + 2 * count;
    for (size_t i = 0; i < count; ++i) {
        PutWord(image, kMacroAreaHeaderBytes + 2 * i, at);
        PutWord(image, at, macros[i].size());
        at += 4;
        for (const auto& e : macros[i]) {
            PutWord(image, at, e.delayMs);
            image[at + 2] = static_cast<uint8_t>(e.type | (e.down ? 0x80 : 0x00));
            image[at + 3] = e.code;
            at += 4;
        }
    }
    return out;
}

}  // namespace orvane

#include "headset/osconf/OsConfText.h"

#include <charconv>
#include <cstring>
#include <cwchar>

#include "headset/osConfLib.h"

namespace orvane::osconf {

inline constexpr size_t kAreaChars = kOsConfAreaBytes / sizeof(wchar_t);

uint32_t AreaWord(void* const* area) {
    uint32_t word = 0;
    if (area != nullptr && *area != nullptr) std::memcpy(&word, *area, sizeof word);
    return word;
}

void PutAreaText(void** area, const std::string& text) {
    if (area == nullptr || *area == nullptr) return;
    auto* out = static_cast<wchar_t*>(*area);
    size_t n = 0;
    for (; n < text.size() && n + 1 < kAreaChars; ++n) out[n] = static_cast<unsigned char>(text[n]);
    out[n] = L'\0';
}

std::string DecimalText(int32_t value) { return std::to_string(value); }

std::string DecimalText(float value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::optional<double> AreaNumber(void* const* area) {
    if (area == nullptr || *area == nullptr) return std::nullopt;
    const auto* in = static_cast<const wchar_t*>(*area);
    // Narrowed to ASCII for from_chars, which ignores the locale's decimal point.
    char text[64];
    size_t n = 0;
    for (; n < kAreaChars && n + 1 < sizeof text && in[n] != L'\0'; ++n) {
        const wchar_t c = in[n];
        if (c > 0x7F) break;
        text[n] = static_cast<char>(c);
    }
    const char* begin = text;
    if (n > 0 && text[0] == '+') ++begin;
    double value = 0;
    const auto [end, error] = std::from_chars(begin, text + n, value, std::chars_format::fixed);
    if (error != std::errc() || end == begin) return std::nullopt;
    return value;
}

}  // namespace orvane::osconf

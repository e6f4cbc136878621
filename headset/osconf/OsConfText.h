#pragma once
// The value encoding shared by both sides of the audio library interface: a read leaves the
// value as decimal wide text in the value area; a write takes the first 32 bits of it.

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::osconf {

// The first 32 bits of the area `*area` points to; 0 when there is no area.
uint32_t AreaWord(void* const* area);
// `text` as wide text into `*area` (kOsConfAreaBytes), cut to fit with its terminator.
void PutAreaText(void** area, const std::string& text);
// Decimal text independent of the C locale: an integer, or a level such as "0.57".
std::string DecimalText(int32_t value);
std::string DecimalText(float value);
// The decimal number at the start of `*area`'s wide text (sign, digits, an optional fraction);
// nullopt when there is none.
std::optional<double> AreaNumber(void* const* area);

}  // namespace orvane::osconf

#include "profiles/DeviceMemoryInputs.h"

namespace orvane {

std::vector<FunctionCode> KeyCodesFromProfile(const std::vector<KeyListEntry>& keys) {
    std::vector<FunctionCode> codes;
    codes.reserve(keys.size());
    for (const auto& k : keys) codes.push_back(k.Assignment);
    return codes;
}

std::vector<std::vector<MacroEventBytes>> MacroEventsForDevice(const std::vector<DeviceMacro>& macros) {
    std::vector<std::vector<MacroEventBytes>> out;
    out.reserve(macros.size());
    for (const auto& m : macros) {
        std::vector<MacroEventBytes> events;
        events.reserve(m.events.size());
        for (const auto& e : m.events)
            events.push_back({MacroDelayFromText(e.Delay), static_cast<uint8_t>(e.Type), e.IsDown(),
                              static_cast<uint8_t>(e.Button)});
        out.push_back(std::move(events));
    }
    return out;
}

}  // namespace orvane

#include "tools/orvanectl/LightOptions.h"

#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace orvane::tool {
namespace {

bool ParseLevel(const std::string& text, uint8_t& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > kMaxLightLevel) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

bool ParseColour(const std::string& text, LightSetting& light) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    const unsigned long rgb = std::strtoul(text.c_str(), nullptr, 16);
    light.red = static_cast<uint8_t>(rgb >> 16);
    light.green = static_cast<uint8_t>(rgb >> 8);
    light.blue = static_cast<uint8_t>(rgb);
    return true;
}

}  // namespace

void PrintLight(const LightSetting& light, const std::string& modeName, bool json) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02x%02x%02x", light.red, light.green, light.blue);
    if (json) {
        Json::Value doc(Json::objectValue);
        doc["mode"] = light.mode;
        doc["name"] = modeName;
        doc["brightness"] = light.brightness;
        doc["speed"] = light.speed;
        doc["direction"] = light.direction != 0 ? "left" : "right";
        doc["colourful"] = light.multiColor != 0;
        doc["colour"] = colour;
        std::cout << doc.toStyledString();
        return;
    }
    std::printf("mode        %u %s\n", light.mode, modeName.c_str());
    std::printf("brightness  %u\nspeed       %u\n", light.brightness, light.speed);
    std::printf("direction   %s\ncolourful   %s\ncolour      %s\n", light.direction != 0 ? "left" : "right",
                light.multiColor != 0 ? "yes" : "no", colour);
}

bool ParseLightOptions(const Args& args, const std::function<bool(int)>& knownMode, LightSetting& light) {
    if (args.empty()) return false;
    char* end = nullptr;
    const long mode = std::strtol(args[0].c_str(), &end, 10);
    if (args[0].empty() || *end != '\0' || mode < 0 || mode > 255 || !knownMode(static_cast<int>(mode))) return false;
    light.mode = static_cast<uint8_t>(mode);
    bool colourful = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--colourful") {
            colourful = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        if (option == "--colour") {
            if (!ParseColour(value, light)) return false;
            // A chosen colour ends colour cycling, as in the panel.
            light.multiColor = 0;
        } else if (option == "--brightness") {
            if (!ParseLevel(value, light.brightness)) return false;
        } else if (option == "--speed") {
            if (!ParseLevel(value, light.speed)) return false;
        } else if (option == "--direction") {
            if (value != "left" && value != "right") return false;
            light.direction = value == "left" ? 1 : 0;
        } else {
            return false;
        }
    }
    if (colourful) light.multiColor = 1;
    return true;
}

}  // namespace orvane::tool

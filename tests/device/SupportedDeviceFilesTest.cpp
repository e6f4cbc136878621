// The files that name the supported devices outside the program agree with its catalogue: the
// udev rule gives access to exactly the catalogue's VID:PID pairs, and the AppStream metadata
// offers the program for exactly those devices.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

#include "device/DeviceCatalogue.h"

namespace orvane {
namespace {

using Pairs = std::set<std::pair<unsigned, unsigned>>;

std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/" + relative);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Pairs Matches(const std::string& text, const std::regex& pattern) {
    Pairs pairs;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
        pairs.emplace(std::stoul((*it)[1].str(), nullptr, 16), std::stoul((*it)[2].str(), nullptr, 16));
    }
    return pairs;
}

Pairs CataloguePairs() {
    Pairs pairs;
    for (const DeviceRecord& row : SupportedInterfaces()) {
        // Keyboard rows match no device in this build.
        if (row.vid != 0 || row.pid != 0) pairs.emplace(row.vid, row.pid);
    }
    return pairs;
}

TEST(SupportedDeviceFiles, TheUdevRuleAndTheAppStreamModaliasesNameExactlyTheCatalogue) {
    const Pairs catalogue = CataloguePairs();
    ASSERT_FALSE(catalogue.empty());
    const std::string rule = SourceFile("udev/70-orvane-q730.rules");
    EXPECT_EQ(Matches(rule, std::regex(R"rx(ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})")rx")), catalogue);
    const std::string metainfo = SourceFile("dist/org.orvane.q730.metainfo.xml.in");
    EXPECT_EQ(Matches(metainfo, std::regex(R"(<modalias>usb:v([0-9A-F]{4})p([0-9A-F]{4})d\*</modalias>)")), catalogue);
}

}  // namespace
}  // namespace orvane

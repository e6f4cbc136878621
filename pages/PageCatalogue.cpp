#include "pages/PageCatalogue.h"

namespace orvane {

const std::array<PageTemplate, kCatalogueRowCount>& PageTemplates() {
    static constexpr std::array<PageTemplate, kCatalogueRowCount> rows = {{
        {"common\\device_ico\\4718\\DeviceOption.xml", "tab_header_device", "device_power_switch",
         "XML\\DeviceXml\\mousedevice1.xml", 6, 8, 0, -1, "vexal_light"},
        {"common\\device_ico\\4706\\DeviceOption.xml", "tab_header_device", "device_power_switch",
         "XML\\DeviceXml\\keyboarddevice.xml", 126, 126, 0, -1, "vexal_light"},
        {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch",
         "XML\\DeviceXml\\mousepaddevice.xml", 15, 0, 0, -1, "vexal_light"},
        {"XML\\CustomControlXML\\DeviceOption.xml", "tab_header_device", "device_power_switch",
         "XML\\DeviceXml\\hs8127device.xml", 13, 0, 0, -1, "vexal_light"},
        {"common\\device_ico\\4760\\DeviceOption.xml", "tab_header_device", "device_power_switch",
         "XML\\DeviceXml\\keyboarddevice1.xml", 126, 126, 0, -1, "vexal_light"},
    }};
    return rows;
}

}  // namespace orvane

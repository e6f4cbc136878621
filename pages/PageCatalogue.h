#pragma once
// What each model's page is built from, by catalogue row: its selector entry layout, the
// containers the entry joins, the page layout and what the page's picture carries.

#include <array>

#include "device/DeviceCatalogue.h"

namespace orvane {

struct PageTemplate {
    const char* optionItemXml;
    const char* optionGroup;
    const char* powerSwitchContainer;
    const char* pageXml;
    int lightPositions;
    int keyButtons;
    int powerValue;
    int logoLightIndex;
    const char* lightConfigName;
};

// Row i is the page of Catalogue()[i].
const std::array<PageTemplate, kCatalogueRowCount>& PageTemplates();

}  // namespace orvane

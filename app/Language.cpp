#include "app/Language.h"

#include "app/LanguageFonts.h"
#include "profiles/LanguageList.h"
#include "app/LanguageStore.h"
#include "platform/DebugLog.h"
#include "ui/framework/ResourceManager.h"

#include <optional>

namespace orvane::app {
namespace {

constexpr const char* kFallbackName = "en";
constexpr const char* kFallbackFile = "lan_en.xml";

void ShowEnglish(ui::CResourceManager& resources) {
    resources.SetLanguage(kFallbackName);
    if (!resources.LoadLanguage(kFallbackFile)) DebugLog("language: the English texts cannot be loaded either");
}

}  // namespace

int GetLanguageIndex() {
    const int id = ReadStoredLanguageId();
    if (id == 0) return 0;
    const std::vector<LanguageEntry> list = ReadLanguageList();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].id == id) return static_cast<int>(i);
    }
    return 0;
}

bool LanguageSwitch::ApplyLanguage(int index) {
    if (index == current_) return false;
    if (const std::optional<QString> face = LanguageFontFace(index)) ApplyLanguageFonts(*face);
    current_ = index;

    auto& resources = ui::CResourceManager::GetInstance();
    const std::vector<LanguageEntry> list = ReadLanguageList();
    if (index < 0 || static_cast<size_t>(index) >= list.size()) {
        DebugLog("language " + std::to_string(index) + " is not in the language list; showing English");
        ShowEnglish(resources);
    } else {
        const LanguageEntry& entry = list[static_cast<size_t>(index)];
        resources.SetLanguage(QString::fromStdString(entry.name));
        if (entry.file.empty() || !resources.LoadLanguage(QString::fromStdString(entry.file))) {
            DebugLog("language " + std::to_string(index) + " (\"" + entry.name + "\"): no usable text file \"" +
                     entry.file + "\"; showing English");
            ShowEnglish(resources);
        }
        StoreLanguageId(entry.id);
    }
    resources.ReloadText();
    return true;
}

}  // namespace orvane::app

#include "app/Fonts.h"

#include "platform/DebugLog.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QFontDatabase>

#include <array>
#include <vector>

namespace orvane::app {
namespace {

constexpr std::array kPrivateFontFiles = {
    "Simplified_Chinese.ttf",
    "Corvinel-Regular.otf",
    "NotoSansThai-Regular.ttf",
    "NotoSansCJKtc-Regular.otf",
};

std::vector<int>& LoadedFontIds() {
    static std::vector<int> ids;
    return ids;
}

}  // namespace

QString PrivateFontFolder() {
    return QString::fromStdString(ProgramDataFolder()) + "/Font";
}

int LoadPrivateFonts(const QString& folder) {
    int loaded = 0;
    for (const char* file : kPrivateFontFiles) {
        const QString path = QDir(folder).filePath(file);
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) {
            DebugLog(("font " + path + " not loaded (missing or not a font)").toStdString());
            continue;
        }
        LoadedFontIds().push_back(id);
        ++loaded;
    }
    return loaded;
}

int RemovePrivateFonts() {
    auto& ids = LoadedFontIds();
    int removed = 0;
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) removed += QFontDatabase::removeApplicationFont(*it) ? 1 : 0;
    ids.clear();
    return removed;
}

}  // namespace orvane::app

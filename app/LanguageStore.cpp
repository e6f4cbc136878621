#include "app/LanguageStore.h"

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/FileNotices.h"
#include "platform/UserFolders.h"
#include "profiles/JsonFields.h"

#include <QFileInfo>
#include <QSettings>

namespace orvane::app {
namespace {

constexpr const char* kLanguageKey = "LANGUAGE";
constexpr size_t kMaxStoreBytes = 1u << 20;

// QSettings opens the file with a plain open(): a FIFO there would block the program for good.
// True when the store is a regular file (or absent); otherwise the reason is noted.
bool StoreIsUsable(const std::string& path) {
    const FileReadResult file = ReadRegularFile(path, kMaxStoreBytes);
    if (file.status == FileReadStatus::kRead || file.status == FileReadStatus::kMissing) return true;
    NoteFileProblem(DescribeFileReadFailure(path, file, kMaxStoreBytes) + "; the settings store is not used");
    return false;
}

// The path is taken anew each time: QSettings' own user scope keeps the first HOME it saw.
// QSettings writes through a temporary file and a rename (atomic sync is its default).
QSettings OpenStore() {
    return QSettings(QString::fromStdString(ProductSettingsPath()), QSettings::IniFormat);
}

}  // namespace

std::string ProductSettingsPath() {
    return ConfigHomeFolder() + "/" + kProductFolderName + "/settings.ini";
}

int ReadStoredLanguageId() {
    if (!QFileInfo::exists(QString::fromStdString(ProductSettingsPath())) || !StoreIsUsable(ProductSettingsPath())) return 0;
    const QSettings store = OpenStore();
    // What a damaged file still yields is used; the next write replaces the file whole.
    if (store.status() != QSettings::NoError) DebugLog("settings store " + ProductSettingsPath() + " is damaged");
    return json::ParseDecimal(store.value(kLanguageKey).toString().toStdString());
}

bool StoreLanguageId(int languageId) {
    const std::string path = ProductSettingsPath();
    if (!MakeFolders(path.substr(0, path.rfind('/')))) {
        DebugLog("settings store " + path + ": cannot create its folder");
        return false;
    }
    if (!StoreIsUsable(path)) return false;
    {
        QSettings store = OpenStore();
        store.setValue(kLanguageKey, QString::number(languageId));
    }
    // Checked on disk: QSettings answers reads from its cache, and keeps reporting a format error of
    // a damaged file even after it has replaced it.
    std::string written;
    if (!ReadWholeFile(path, written, kMaxStoreBytes) ||
        written.find(std::string(kLanguageKey) + "=" + std::to_string(languageId) + "\n") == std::string::npos) {
        DebugLog("settings store " + path + ": \"LANGUAGE\" not written");
        return false;
    }
    DebugLog("写成功！");
    return true;
}

}  // namespace orvane::app

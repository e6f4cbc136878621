#include "online/UpdateTime.h"

#include <ctime>

#include "platform/UserFolders.h"
#include "profiles/JsonFileStore.h"

namespace orvane::online {
namespace {

// Longer than any date; a longer text is not one.
constexpr size_t kMaxDateText = 32;

}  // namespace

std::string UpdateTimeFilePath() {
    return DataHomeFolder() + "/" + kProductFolderName + "/updatetime.config";
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday);
}

std::string ReadLastCheckDate(const std::string& path, const std::string& today) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    if (root.isObject() && root["updatelasttime"].isObject()) {
        const Json::Value& value = root["updatelasttime"]["value"];
        if (value.isString() && !value.asString().empty() && value.asString().size() <= kMaxDateText) {
            return value.asString();
        }
    }
    WriteLastCheckDate(path, today);
    return today;
}

bool WriteLastCheckDate(const std::string& path, const std::string& date) {
    MakeFolders(path.substr(0, path.rfind('/')));
    Json::Value root(Json::objectValue);
    root["updatelasttime"]["value"] = date;
    return JsonFileStore().wirtejsonFile(path, root) == 0;
}

}  // namespace orvane::online

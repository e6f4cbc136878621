#include "platform/FileNotices.h"

#include <mutex>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

FileNoticeHandler& Handler() {
    static FileNoticeHandler handler;
    return handler;
}

}  // namespace

void NoteFileProblem(const std::string& message) {
    DebugLog(message);
    FileNoticeHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = Handler();
    }
    if (handler) handler(message);
}

FileNoticeHandler SetFileNoticeHandler(FileNoticeHandler handler) {
    std::lock_guard lock(HandlerMutex());
    std::swap(Handler(), handler);
    return handler;
}

}  // namespace orvane

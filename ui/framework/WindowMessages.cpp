#include "ui/framework/WindowMessages.h"

#include <map>
#include <mutex>
#include <string>

namespace orvane::ui {

unsigned RegisterWindowMessage(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, unsigned, std::less<>> numbers;
    constexpr unsigned kFirstRegistered = 0xC000;

    std::lock_guard lock(mutex);
    if (auto it = numbers.find(name); it != numbers.end()) return it->second;
    const unsigned number = kFirstRegistered + static_cast<unsigned>(numbers.size());
    numbers.emplace(std::string(name), number);
    return number;
}

}  // namespace orvane::ui

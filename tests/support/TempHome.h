#pragma once
// A fresh temporary HOME (with XDG folders unset) for tests that touch user files.

#include <string>

namespace orvane::test {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file below HOME, creating folders; returns its full path.
    std::string WriteFile(const std::string& relative, const std::string& content) const;
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::string path_;
    std::string oldHome_;
    bool hadHome_ = false;
};

}  // namespace orvane::test

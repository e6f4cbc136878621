#include "tests/support/TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvane::test {

TempHome::TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "orvane-home-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
    if (const char* old = std::getenv("HOME")) {
        oldHome_ = old;
        hadHome_ = true;
    }
    ::setenv("HOME", path_.c_str(), 1);
    for (const char* v : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "ORVANE_SIM_STATE"}) ::unsetenv(v);
}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    if (hadHome_) ::setenv("HOME", oldHome_.c_str(), 1);
    else ::unsetenv("HOME");
}

std::string TempHome::WriteFile(const std::string& relative, const std::string& content) const {
    std::filesystem::path full = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
}

std::string TempHome::ReadFile(const std::string& relative) const {
    std::ifstream in(std::filesystem::path(path_) / relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempHome::Exists(const std::string& relative) const {
    return std::filesystem::exists(std::filesystem::path(path_) / relative);
}

}  // namespace orvane::test

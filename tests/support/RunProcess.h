#pragma once
// Runs a program to completion with extra environment, capturing its output.

#include <map>
#include <string>
#include <vector>

namespace orvane::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {});

}  // namespace orvane::test

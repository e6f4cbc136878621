#include "profiles/JsonFileStore.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <sys/stat.h>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/FileNotices.h"

namespace orvane {
namespace {

std::string ErrorLine(const char* function, int error) {
    char line[96];
    std::snprintf(line, sizeof line, "%s 错误吗：：%d\n", function, error);
    return line;
}

// Length of the well-formed UTF-8 sequence at `s[i]`, or 0 when it is malformed (overlong
// forms, surrogates and values above U+10FFFF included).
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t n = Utf8SequenceLength(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

}  // namespace

FileReadResult JsonFileStore::ReadFile(const std::string& path) const {
    FileReadResult file = ReadRegularFile(path, kMaxDataFileBytes);
    DebugLog(ErrorLine("readjsonFile", file.error));
    if (const std::string problem = DescribeFileReadFailure(path, file, kMaxDataFileBytes); !problem.empty()) {
        NoteFileProblem(problem + "; it was not read");
    }
    return file;
}

std::string JsonFileStore::readjsonFile(const std::string& path) const { return ReadFile(path).content; }

bool ParseJsonText(std::string_view text, Json::Value& root) {
    root = Json::Value();
    try {
        Json::Reader reader;
        Json::Value parsed;
        if (!reader.parse(text.data(), text.data() + text.size(), parsed, true)) return false;
        root = std::move(parsed);
        return true;
    } catch (const std::exception&) {
        // The reader throws on nesting beyond its stack limit.
        root = Json::Value();
        return false;
    }
}

JsonFileResult JsonFileStore::ReadJsonChecked(const std::string& path) const {
    JsonFileResult result;
    const FileReadResult file = ReadFile(path);
    if (file.content.empty()) {
        DebugLog(path);
        const bool present = file.status != FileReadStatus::kRead && file.status != FileReadStatus::kMissing;
        if (present) result.status = JsonFileStatus::kUnreadable;
        return result;
    }
    result.status = ParseJsonText(file.content, result.value) ? JsonFileStatus::kParsed : JsonFileStatus::kUnparsable;
    return result;
}

Json::Value JsonFileStore::ReadJsonValue(const std::string& path) const {
    return ReadJsonChecked(path).value;
}

int JsonFileStore::wirtejsonFile(const std::string& path, const Json::Value& value) const {
    std::string text;
    try {
        Json::StyledWriter writer;
        text = writer.write(value);
    } catch (const std::exception&) {
        DebugLog(ErrorLine("wirtejsonFile", EINVAL));
        return 1;
    }
    text += "\n";
    if (text.size() > kMaxDataFileBytes) {
        DebugLog(ErrorLine("wirtejsonFile", EFBIG));
        return 1;
    }
    errno = 0;
    bool ok = WriteFileAtomically(path, text);
    DebugLog(ErrorLine("wirtejsonFile", ok ? 0 : errno));
    return ok ? 0 : 1;
}

std::string JsonFileStore::KeepAside(const std::string& path) const {
    const std::string base = path + ".broken-" + MakeTimeStampName();
    std::string aside = base;
    struct stat st {};
    for (int n = 1; ::lstat(aside.c_str(), &st) == 0; ++n) aside = base + "-" + std::to_string(n);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        NoteFileProblem(path + " could not be used and could not be renamed; it is left as it is");
        return {};
    }
    NoteFileProblem(path + " could not be used; it is kept as " + aside);
    return aside;
}

std::string JsonFileStore::MakeTimeStampName() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return MakeTimeStampName(local, static_cast<int>(ms));
}

std::string JsonFileStore::MakeTimeStampName(const std::tm& localTime, int milliseconds) {
    char name[64];
    std::snprintf(name, sizeof name, "%d_%02d_%02d_%02d_%02d_%02d_%03d", localTime.tm_year + 1900,
                  localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                  localTime.tm_sec, milliseconds);
    return name;
}

std::string ToProfileText(std::string_view text) { return ValidUtf8(text); }

std::string FromProfileText(std::string_view text) { return ValidUtf8(text); }

}  // namespace orvane

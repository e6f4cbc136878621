#pragma once
// The command results in words, in one place: what each result code means (for --help and
// the man page) and the sentence that tells the user why one command failed.

#include <span>
#include <string>
#include <string_view>

#include "protocol/CommandChannel.h"

namespace orvane {

struct ResultCodeMeaning {
    int code;
    const char* meaning;
};

// Every result code of the command methods, success first.
std::span<const ResultCodeMeaning> ResultCodeMeanings();

// The method name of a command id ("WriteParameters" for 0x06); nullptr for an unknown id.
const char* CommandName(uint8_t commandId);

// Why `command` ended with `result`, said of `device`: "the mouse reported an error (status
// 0xFF) to WriteParameters", "the mouse was unplugged during ReadKeyTable", "no answer to
// BeginTransfer within 1000 ms", ... `detail` is the channel's LastFailureDetail(); when it does
// not belong to this failure, the result code's meaning is given instead.
std::string DescribeCommandFailure(std::string_view command, int result, const CommandFailureDetail& detail,
                                   std::string_view device = "the mouse");

}  // namespace orvane

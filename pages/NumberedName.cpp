#include "pages/NumberedName.h"

#include <climits>

namespace orvane {

std::optional<NumberedName> SplitNumberedName(const QString& text) {
    const qsizetype underscore = text.lastIndexOf('_');
    if (underscore < 0) return std::nullopt;
    NumberedName split{text.left(underscore + 1), 0};
    const QString rest = text.mid(underscore + 1);
    qsizetype i = 0;
    while (i < rest.size() && rest[i].isSpace()) ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) negative = rest[i++] == '-';
    long long value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        value = value * 10 + (rest[i].unicode() - '0');
        if (value > INT_MAX) value = INT_MAX + 1LL;  // saturates like the C conversion's range error
    }
    if (negative) value = -value;
    split.number = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    return split;
}

}  // namespace orvane

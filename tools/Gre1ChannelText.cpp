#include "tools/Gre1ChannelText.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {
bool IsDigits(const std::string& text, std::size_t first, std::size_t last)
{
    if (first >= last)
        return false;
    for (std::size_t i = first; i < last; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

bool ParseNumber(const std::string& value, std::int32_t* number)
{
    std::size_t digits = (!value.empty() && value[0] == '-') ? 1 : 0;
    if (!IsDigits(value, digits, value.size()))
        return false;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), *number);
    return error == std::errc() && end == value.data() + value.size();
}

// Megahertz as "%.4f" writes it: optional minus, digits, point, four digits.
bool ParseFrequency(const std::string& value, double* megahertz)
{
    std::size_t first = (!value.empty() && value[0] == '-') ? 1 : 0;
    std::size_t point = value.find('.');
    if (point == std::string::npos || value.size() - point != 5 || !IsDigits(value, first, point) ||
        !IsDigits(value, point + 1, value.size()))
        return false;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), *megahertz);
    return error == std::errc() && end == value.data() + value.size();
}

bool ParseFlag(const std::string& value, bool* flag)
{
    if (value == "S")
        *flag = true;
    else if (value == "R")
        *flag = false;
    else
        return false;
    return true;
}
} // namespace

bool Gre1ChannelText::Parse(const std::string& text, ScannerChannel* channel, std::string* error)
{
    if (text.empty() || text.back() != '^') {
        *error = "text does not end with ^";
        return false;
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t caret = text.find('^'); caret != std::string::npos; caret = text.find('^', start)) {
        fields.push_back(text.substr(start, caret - start));
        start = caret + 1;
    }

    ScannerChannel result;
    const std::string order = "CVFDLP";
    std::size_t next = 0; // index into order of the earliest letter still allowed
    for (const std::string& field : fields) {
        if (field.empty()) {
            *error = "empty field";
            return false;
        }
        std::size_t place = order.find(field[0]);
        if (place == std::string::npos) {
            *error = std::string("unknown field ") + (field[0] >= ' ' && field[0] < 127 ? field.substr(0, 1) : "?");
            return false;
        }
        if (place < next) {
            *error = std::string("field ") + field[0] + " out of order or repeated";
            return false;
        }
        // C and V may be left out; F, D, L and P may not.
        std::size_t required = std::max<std::size_t>(next, 2);
        if (place > required) {
            *error = std::string("field ") + order[required] + " missing";
            return false;
        }
        next = place + 1;
        std::string value = field.substr(1);
        bool ok = true;
        switch (field[0]) {
        case 'C':
            ok = ParseNumber(value, &result.number);
            result.hasNumber = ok;
            break;
        case 'V':
            ok = !value.empty();
            result.carNumber = value;
            break;
        case 'F':
            ok = ParseFrequency(value, &result.megahertz);
            result.frequency = value;
            break;
        case 'D':
            ok = ParseFlag(value, &result.delay);
            break;
        case 'L':
            ok = ParseFlag(value, &result.lockout);
            break;
        case 'P':
            ok = ParseFlag(value, &result.priority);
            break;
        }
        if (!ok) {
            *error = std::string("bad value in field ") + field[0];
            return false;
        }
    }
    if (next < order.size()) {
        *error = std::string("field ") + order[std::max<std::size_t>(next, 2)] + " missing";
        return false;
    }
    *channel = result;
    return true;
}

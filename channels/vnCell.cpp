#include "channels/vnCell.h"

#include <cfloat>
#include <charconv>
#include <limits>
#include <system_error>
#include <utility>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// word is lower case ASCII.
bool EqualsNoCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

// text is an optional sign and digits only. Values beyond the 32-bit range
// saturate to its nearest limit.
std::int32_t ReadInt(std::string_view text)
{
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{1} << 31; // magnitude of INT32_MIN
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(magnitude >= limit ? limit - 1 : magnitude);
}

// text is an optional sign, digits and exactly one point. A point without
// digits reads as 0, like the C library's atof; magnitudes beyond the double
// range saturate to the largest double, those below it become 0.
double ReadDouble(std::string_view text)
{
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() == 1)
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view whole = text.substr(0, text.find('.'));
        value = whole.find_first_not_of('0') != std::string_view::npos ? DBL_MAX : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace

vnCell::vnCell(std::string_view text, bool detectType)
{
    if (detectType)
        FromText(text);
    else
        SetString(text);
}

bool vnCell::GetBool() const
{
    const bool* value = std::get_if<bool>(&m_value);
    return value ? *value : false;
}

std::int32_t vnCell::GetInt() const
{
    const std::int32_t* value = std::get_if<std::int32_t>(&m_value);
    return value ? *value : -1;
}

double vnCell::GetDouble() const
{
    const double* value = std::get_if<double>(&m_value);
    return value ? *value : -1.0;
}

std::string_view vnCell::GetString() const
{
    const std::string* value = std::get_if<std::string>(&m_value);
    return value ? std::string_view(*value) : std::string_view();
}

std::string vnCell::ToText() const
{
    std::string text;
    AppendText(text);
    return text;
}

void vnCell::AppendText(std::string& out) const
{
    switch (GetType()) {
    case vnCellType::Empty:
        break;
    case vnCellType::Bool:
        out += std::get<bool>(m_value) ? "True" : "False";
        break;
    case vnCellType::Int: {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::get<std::int32_t>(m_value));
        out.append(buffer, result.ptr);
        break;
    }
    case vnCellType::Double: {
        // The largest double has 309 digits before the point.
        char buffer[352];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(m_value),
                                          std::chars_format::fixed, 6);
        out.append(buffer, result.ptr);
        break;
    }
    case vnCellType::String:
        out += std::get<std::string>(m_value);
        break;
    }
}

vnCellType vnCell::FromText(std::string_view text)
{
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        Reset();
        return vnCellType::Empty;
    }
    if (EqualsNoCase(trimmed, "true") || EqualsNoCase(trimmed, "yes")) {
        SetBool(true);
        return vnCellType::Bool;
    }
    if (EqualsNoCase(trimmed, "false") || EqualsNoCase(trimmed, "no")) {
        SetBool(false);
        return vnCellType::Bool;
    }

    // A number is digits with a sign only in front and at most one point.
    bool notANumber = false;
    bool sawPoint = false;
    for (std::size_t i = 0; i < trimmed.size() && !notANumber; ++i) {
        const char c = trimmed[i];
        if (c >= '0' && c <= '9')
            continue;
        if (c == '+' || c == '-')
            notANumber = i != 0;
        else if (c == '.')
            notANumber = std::exchange(sawPoint, true);
        else
            notANumber = true;
    }
    if (notANumber) {
        SetString(trimmed);
        return vnCellType::String;
    }
    if (sawPoint) {
        SetDouble(ReadDouble(trimmed));
        return vnCellType::Double;
    }
    SetInt(ReadInt(trimmed));
    return vnCellType::Int;
}

void vnCell::CopyFrom(const vnCell* other)
{
    // Copying an Empty cell empties this one, as a copy should.
    if (other && other != this)
        m_value = other->m_value;
}

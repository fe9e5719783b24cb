#include "channels/vnCell.h"

#include "channels/vnText.h"

#include <cfloat>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>
#include <utility>

namespace {

// A number cell's text has six decimals, as a file of numbers is written.
constexpr int kDoubleDecimals = 6;

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
    // Up to 15 digits make an integer a double holds exactly, and 10 to a
    // power up to 22 is exact too: one correctly rounded division then gives
    // the same value from_chars would, at a fraction of its cost.
    if (text.size() <= 16) {
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::uint64_t digits = 0;
        std::size_t point = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '.')
                point = i;
            else
                digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        }
        const double value = static_cast<double>(digits) / kPowers[text.size() - 1 - point];
        return negative ? -value : value;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view whole = text.substr(0, text.find('.'));
        value = whole.find_first_not_of('0') != std::string_view::npos ? DBL_MAX : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace

namespace {

using TextAllocator = std::allocator<char>;

struct HeapText
{
    char* data;
    std::size_t size;
};

// A heap text's address and length in the 15 value bytes: 8 and 7 bytes.
HeapText LoadHeap(const unsigned char* bytes)
{
    HeapText text{};
    std::memcpy(&text.data, bytes, sizeof text.data);
    for (int i = 6; i >= 0; --i)
        text.size = (text.size << 8) | bytes[8 + i];
    return text;
}

void StoreHeap(unsigned char* bytes, HeapText text)
{
    std::memcpy(bytes, &text.data, sizeof text.data);
    for (int i = 0; i < 7; ++i)
        bytes[8 + i] = static_cast<unsigned char>(text.size >> (8 * i));
}

} // namespace

vnCell::vnCell(std::string_view text, bool detectType)
{
    if (detectType)
        FromText(text);
    else
        SetString(text);
}

vnCell::vnCell(const vnCell& other)
{
    CopyFrom(&other);
}

vnCell::vnCell(vnCell&& other) noexcept
{
    Take(other);
}

vnCell& vnCell::operator=(const vnCell& other)
{
    CopyFrom(&other);
    return *this;
}

vnCell& vnCell::operator=(vnCell&& other) noexcept
{
    if (this != &other) {
        Reset();
        Take(other);
    }
    return *this;
}

void vnCell::Take(vnCell& other) noexcept
{
    std::memcpy(m_bytes, other.m_bytes, kInlineCapacity);
    m_tag = other.m_tag;
    other.m_tag = 0;
}

void vnCell::ReleaseHeap() noexcept
{
    const HeapText text = LoadHeap(m_bytes);
    TextAllocator().deallocate(text.data, text.size);
}

void vnCell::SetScalar(vnCellType type, const void* value, std::size_t size)
{
    Reset();
    std::memcpy(m_bytes, value, size);
    m_tag = static_cast<std::uint8_t>(type);
}

void vnCell::SetBool(bool value)
{
    const unsigned char byte = value ? 1 : 0;
    SetScalar(vnCellType::Bool, &byte, 1);
}

void vnCell::SetInt(std::int32_t value)
{
    SetScalar(vnCellType::Int, &value, sizeof value);
}

void vnCell::SetDouble(double value)
{
    SetScalar(vnCellType::Double, &value, sizeof value);
}

void vnCell::SetString(std::string_view text)
{
    SetText(vnCellType::String, text);
}

void vnCell::SetText(vnCellType type, std::string_view text)
{
    const auto typeBits = static_cast<unsigned>(type);
    // The text may be this cell's own: copy it before letting go of the old.
    if (text.size() <= kInlineCapacity) {
        unsigned char copy[kInlineCapacity];
        if (!text.empty())
            std::memcpy(copy, text.data(), text.size());
        Reset();
        std::memcpy(m_bytes, copy, text.size());
        m_tag = static_cast<std::uint8_t>(typeBits | (text.size() << kLengthShift));
        return;
    }
    const HeapText copy{TextAllocator().allocate(text.size()), text.size()};
    std::memcpy(copy.data, text.data(), text.size());
    Reset();
    StoreHeap(m_bytes, copy);
    m_tag = static_cast<std::uint8_t>(typeBits | kHeapFlag);
}

std::string_view vnCell::Text() const
{
    if (OnHeap()) {
        const HeapText text = LoadHeap(m_bytes);
        return {text.data, text.size};
    }
    return {reinterpret_cast<const char*>(m_bytes), static_cast<std::size_t>(m_tag >> kLengthShift)};
}

bool vnCell::GetBool() const
{
    if (GetType() != vnCellType::Bool)
        return false;
    if (HoldsText())
        return vnText::ReadCellTruthWord(Text()).value_or(false);
    return m_bytes[0] != 0;
}

std::int32_t vnCell::GetInt() const
{
    if (GetType() != vnCellType::Int)
        return -1;
    if (HoldsText())
        return ReadInt(Text());
    std::int32_t value;
    std::memcpy(&value, m_bytes, sizeof value);
    return value;
}

double vnCell::GetDouble() const
{
    if (GetType() != vnCellType::Double)
        return -1.0;
    if (HoldsText())
        return ReadDouble(Text());
    double value;
    std::memcpy(&value, m_bytes, sizeof value);
    return value;
}

std::string_view vnCell::GetString() const
{
    return GetType() == vnCellType::String ? Text() : std::string_view();
}

bool vnCell::operator==(const vnCell& other) const
{
    if (GetType() != other.GetType())
        return false;
    switch (GetType()) {
    case vnCellType::Empty:
        return true;
    case vnCellType::Bool:
        return GetBool() == other.GetBool();
    case vnCellType::Int:
        return GetInt() == other.GetInt();
    case vnCellType::Double:
        return GetDouble() == other.GetDouble();
    case vnCellType::String:
        return GetString() == other.GetString();
    }
    return false;
}

std::string vnCell::GetSourceText() const
{
    return HoldsText() ? std::string(Text()) : ToText();
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
        out += GetBool() ? "True" : "False";
        break;
    case vnCellType::Int: {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, GetInt());
        out.append(buffer, result.ptr);
        break;
    }
    case vnCellType::Double:
        out += vnText::FixedText(GetDouble(), kDoubleDecimals);
        break;
    case vnCellType::String:
        out += GetString();
        break;
    }
}

vnCellType vnCell::FromText(std::string_view text)
{
    const std::string_view trimmed = vnText::TrimBlanks(text);
    if (trimmed.empty()) {
        Reset();
        return vnCellType::Empty;
    }
    if (vnText::ReadCellTruthWord(trimmed)) {
        SetText(vnCellType::Bool, trimmed);
        return vnCellType::Bool;
    }

    // A number is digits with a sign only in front and at most one point.
    bool notANumber = false;
    bool sawPoint = false;
    for (std::size_t i = 0; i < trimmed.size() && !notANumber; ++i) {
        const char c = trimmed[i];
        if (vnText::IsDigit(c))
            continue;
        if (c == '+' || c == '-')
            notANumber = i != 0;
        else if (c == '.')
            notANumber = std::exchange(sawPoint, true);
        else
            notANumber = true;
    }
    const vnCellType type = notANumber ? vnCellType::String : sawPoint ? vnCellType::Double : vnCellType::Int;
    SetText(type, trimmed);
    return type;
}

void vnCell::CopyFrom(const vnCell* other)
{
    // Copying an Empty cell empties this one, as a copy should.
    if (!other || other == this)
        return;
    if (other->HoldsText()) {
        SetText(other->GetType(), other->Text());
    } else {
        Reset();
        std::memcpy(m_bytes, other->m_bytes, kInlineCapacity);
        m_tag = other->m_tag;
    }
}

static_assert(sizeof(vnCell) == 16, "a cell is meant to stay small");

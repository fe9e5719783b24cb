#include "channels/vnDelimitedReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include <sys/mman.h>

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kMaxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

// Room is set aside once this much text has shown how long rows are.
constexpr std::uint64_t kSampleBytes = 1 << 12;

// Asks for huge pages behind a large array where the system grants them on
// request: touching hundreds of megabytes for the first time page by page
// can cost more than parsing the text that fills them.
void AdviseHugePages(const void* data, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t huge = std::uintptr_t{1} << 21;
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (address + huge - 1) & ~(huge - 1);
    const std::uintptr_t end = (address + bytes) & ~(huge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    static_cast<void>(data);
    static_cast<void>(bytes);
#endif
}

// Cells are made ready this many bytes ahead of those filled.
constexpr std::size_t kPrefaultWindow = std::size_t{8} << 20;

// Faults in the pages of a range, writable, with one call: without huge pages
// a page fault per 4 KiB of a large array costs more than the parsing.
void PrefaultPages(const void* data, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t page = 4096;
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = address & ~(page - 1);
    const std::uintptr_t end = address + bytes;
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    static_cast<void>(data);
    static_cast<void>(bytes);
#endif
}

} // namespace

bool vnDelimitedReader::Feed(std::string_view text, bool atEnd)
{
    if (m_error != 0)
        return false;
    try {
        // Lines that lie inside a piece free of NUL bytes need no search.
        const bool pieceHoldsNul = !text.empty() && std::memchr(text.data(), '\0', text.size());
        std::size_t position = 0;
        for (;;) {
            const void* hit =
                position < text.size() ? std::memchr(text.data() + position, '\n', text.size() - position) : nullptr;
            if (!hit)
                break;
            const auto lineFeed = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
            const std::string_view piece = text.substr(position, lineFeed - position);
            position = lineFeed + 1;
            bool taken;
            if (m_pending.empty()) {
                taken = TakeLine(piece, true, pieceHoldsNul);
            } else {
                m_pending.append(piece);
                taken = TakeLine(m_pending, true, true);
                m_pending.clear();
            }
            if (!taken)
                return false;
        }

        const std::string_view rest = text.substr(position);
        if (!atEnd) {
            m_pending.append(rest);
            return true;
        }
        bool taken = true;
        if (m_pending.empty()) {
            if (rest.find_first_not_of('\0') != npos)
                taken = TakeLine(rest, false, pieceHoldsNul);
        } else {
            m_pending.append(rest);
            if (m_pending.find_first_not_of('\0') != npos)
                taken = TakeLine(m_pending, false, true);
            m_pending.clear();
        }
        return taken;
    } catch (const std::bad_alloc&) {
        m_error = ENOMEM;
    } catch (const std::length_error&) {
        m_error = ENOMEM;
    }
    return false;
}

bool vnDelimitedReader::TakeLine(std::string_view line, bool endedByLineFeed, bool mayHoldNul)
{
    m_bytesTaken += line.size() + 1;
    if (mayHoldNul && !line.empty() && std::memchr(line.data(), '\0', line.size())) {
        m_scratch.clear();
        for (char c : line)
            if (c != '\0')
                m_scratch += c;
        line = m_scratch;
    }
    if (endedByLineFeed && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    if (!m_reserved && m_bytesTaken >= kSampleBytes)
        Reserve();

    const std::size_t rowStart = m_cells.size();
    std::size_t width = 0;
    try {
        width = m_parser.ParseLine(line, m_cells);
    } catch (...) {
        m_cells.resize(rowStart);
        throw;
    }

    const std::size_t maxWidth = std::max(m_maxWidth, width);
    const std::uint64_t rows = m_widths.size() + 1;
    const std::uint64_t fields = m_cells.size();
    if (width > kMaxCount || rows > kMaxCount || rows * maxWidth - fields > std::max(fields, m_paddingAllowance)) {
        m_cells.resize(rowStart);
        m_error = EFBIG;
        return false;
    }
    try {
        m_widths.push_back(static_cast<std::int32_t>(width));
    } catch (...) {
        m_cells.resize(rowStart);
        throw;
    }
    m_maxWidth = maxWidth;
    if (m_cells.size() >= m_prefaultAt)
        Prefault();
    return true;
}

// Faults in the next window of the reserved cells before they are filled.
void vnDelimitedReader::Prefault()
{
    const std::size_t used = m_cells.size() * sizeof(vnCell);
    const std::size_t capacity = m_cells.capacity() * sizeof(vnCell);
    const auto* base = reinterpret_cast<const char*>(m_cells.data());
    // Moving to a larger array touched the cells it moved, nothing beyond.
    if (base != m_prefaultBase) {
        m_prefaultBase = base;
        m_prefaulted = used;
    }
    const std::size_t from = std::max(m_prefaulted, used);
    const std::size_t to = std::min(capacity, from + kPrefaultWindow);
    if (to > from)
        PrefaultPages(base + from, to - from);
    m_prefaulted = to;
    // The next window is asked for when half of this one is filled.
    m_prefaultAt =
        to >= capacity ? std::numeric_limits<std::size_t>::max() : (to - kPrefaultWindow / 2) / sizeof(vnCell);
}

// Sets aside room for the cells and rows of the whole text, estimated from the
// rows read so far, so that a large file is not copied again and again as the
// arrays grow.
void vnDelimitedReader::Reserve()
{
    m_reserved = true;
    if (m_expectedBytes <= m_bytesTaken || m_widths.empty())
        return;
    const double scale = static_cast<double>(m_expectedBytes) / static_cast<double>(m_bytesTaken);
    const double cells = static_cast<double>(m_cells.size()) * scale * 1.1;
    const double rows = static_cast<double>(m_widths.size()) * scale * 1.1;
    // A guess that cannot be had is no error: the arrays then grow as usual.
    try {
        if (cells < static_cast<double>(kMaxCount)) {
            m_cells.reserve(static_cast<std::size_t>(cells));
            AdviseHugePages(m_cells.data(), m_cells.capacity() * sizeof(vnCell));
            m_prefaultAt = m_cells.size();
        }
        if (rows < static_cast<double>(kMaxCount))
            m_widths.reserve(static_cast<std::size_t>(rows));
    } catch (const std::exception&) {}
}

bool vnDelimitedReader::MoveTo(vnCellTable& table)
{
    std::vector<vnCell> cells = std::move(m_cells);
    std::vector<std::int32_t> widths = std::move(m_widths);
    const std::size_t columns = m_maxWidth;
    m_cells.clear();
    m_widths.clear();
    m_maxWidth = 0;
    m_reserved = false;
    m_bytesTaken = 0;
    m_prefaultAt = std::numeric_limits<std::size_t>::max();
    m_prefaultBase = nullptr;
    m_prefaulted = 0;

    const auto rows = static_cast<std::int32_t>(widths.size());
    const bool even = std::all_of(widths.begin(), widths.end(),
                                  [columns](std::int32_t width) { return static_cast<std::size_t>(width) == columns; });
    if (even)
        return table.Assign(rows, static_cast<std::int32_t>(columns), std::move(cells));

    std::vector<vnCell> padded;
    try {
        padded.reserve(widths.size() * columns);
    } catch (const std::exception&) {
        table.Clear();
        m_error = ENOMEM;
        return false;
    }
    auto cell = cells.begin();
    for (const std::int32_t width : widths) {
        padded.insert(padded.end(), std::make_move_iterator(cell), std::make_move_iterator(cell + width));
        cell += width;
        padded.resize(padded.size() + columns - static_cast<std::size_t>(width));
    }
    return table.Assign(rows, static_cast<std::int32_t>(columns), std::move(padded));
}

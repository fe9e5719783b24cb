#include "channels/vnDelimitedFile.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Files are bytes: Windows would otherwise turn line ends around.
#ifdef _WIN32
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
constexpr int kReadFlags = O_RDONLY | O_BINARY;
constexpr int kOverwriteFlags = O_WRONLY | O_TRUNC | O_BINARY;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC;
constexpr int kOverwriteFlags = O_WRONLY | O_TRUNC | O_CLOEXEC;
#endif

// The writer hands the text to the file in blocks of about this size.
constexpr std::size_t kBlock = 1 << 16;
// The reader tells its progress after each step of this many bytes.
constexpr std::size_t kProgressStep = 1 << 20;

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }
    // Closes now; false with errno set when closing fails.
    bool Close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void AppendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    std::size_t i = 0;
    for (;;) {
        const std::size_t special = text.find_first_of("\"\n", i);
        if (special == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        if (text[special] == '"') {
            out.append(text.substr(i, special + 1 - i));
            out += '"';
        } else {
            std::size_t end = special;
            if (end > i && text[end - 1] == '\r')
                --end;
            out.append(text.substr(i, end - i));
            out += ' ';
        }
        i = special + 1;
    }
    out += '"';
}

// A name for the temporary file next to the target, unlikely to be taken.
std::string TemporaryName(const std::string& target, unsigned attempt)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto mix = static_cast<unsigned long long>(now) ^ (static_cast<unsigned long long>(::getpid()) << 32) ^
        (static_cast<unsigned long long>(attempt) * 0x9E3779B97F4A7C15ull);
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = target + ".tmp-";
    for (unsigned long long v = mix; v != 0; v /= 36)
        name += digits[v % 36];
    return name;
}

// The file that an existing name stands for: behind symbolic links on
// POSIX systems; on Windows the name itself.
bool ResolveTarget(const std::string& fileName, std::string* target)
{
#ifdef _WIN32
    *target = fileName;
    return true;
#else
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(fileName.c_str(), nullptr), &std::free);
    if (!resolved)
        return false;
    *target = resolved.get();
    return true;
#endif
}

// Gives the new file the permissions of the one it replaces. Windows keeps
// no such bits: a read-only file has been refused before.
bool KeepPermissions(int fd, const struct stat& existing)
{
#ifdef _WIN32
    static_cast<void>(fd);
    static_cast<void>(existing);
    return true;
#else
    if (::fchmod(fd, existing.st_mode & 07777) != 0)
        return false;
    // Only a privileged user can hand the file back to its owner; for
    // anyone else the new file is theirs, as with any replaced file.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
        static_cast<void>(::fchown(fd, existing.st_uid, existing.st_gid));
    return true;
#endif
}

bool SyncFile(int fd)
{
#ifdef _WIN32
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

// The character that ends the text's lines: a carriage return when the
// text has carriage returns and no line feed at all, as old Mac programs
// write it; a stray carriage return in a line does not make it so.
char LineEndOf(std::string_view text)
{
    return text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos ? '\r' : '\n';
}

// The fields of a table's first row, up to its last one that is not empty:
// how many columns a separator makes of a header.
std::int32_t FirstRowFields(const vnCellTable& table)
{
    std::int32_t fields = table.GetRowCount() > 0 ? table.GetColumnCount() : 0;
    while (fields > 0 && table.GetCell(0, fields - 1)->GetType() == vnCellType::Empty)
        --fields;
    return fields;
}

vnDelimitedFile::Markup MarkupOf(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return vnDelimitedFile::Markup::None;
    if (text[first] == '{' || text[first] == '[')
        return vnDelimitedFile::Markup::Json;
    return text[first] == '<' ? vnDelimitedFile::Markup::Xml : vnDelimitedFile::Markup::None;
}

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

// The folder a file is in, as a user would look for it.
std::string FolderOf(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    return (error ? std::filesystem::path(fileName) : absolute).parent_path().string();
}

} // namespace

bool vnDelimitedFile::Fail(int error)
{
    m_error = std::generic_category().message(error);
    return false;
}

bool vnDelimitedFile::Fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

bool vnDelimitedFile::FailHere(int error, int id, std::vector<std::string> arguments)
{
    // Permissions and read-only disks refuse this place, not every place.
    if (error != EACCES && error != EPERM && error != EROFS)
        return Fail(error);
    m_refusedHere = true;
    arguments.push_back(std::generic_category().message(error));
    return Fail(vnWords::Say(id, arguments));
}

// The complete copy is written and on disk; it now goes into the file
// itself. Should that fail part way, the copy stays beside the file and the
// reason names it.
bool vnDelimitedFile::ReplaceInPlace(const std::string& temporary, const std::string& target)
{
    FileDescriptor source(::open(temporary.c_str(), kReadFlags));
    FileDescriptor file(source.Get() >= 0 ? ::open(target.c_str(), kOverwriteFlags) : -1);
    if (file.Get() < 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Fail(error);
    }
    m_targetChanged = true;
    std::vector<char> block(kBlock);
    for (;;) {
        const ssize_t got = ::read(source.Get(), block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || !WriteAll(file.Get(), std::string_view(block.data(), static_cast<std::size_t>(got))))
            return Fail(vnWords::Say(IDS_WRITE_IN_PLACE_FAILED, {std::generic_category().message(errno), temporary}));
        if (got == 0)
            break;
    }
    if (!SyncFile(file.Get()) || !file.Close())
        return Fail(vnWords::Say(IDS_WRITE_REPLACE_FAILED, {std::generic_category().message(errno), temporary}));
    ::unlink(temporary.c_str());
    return true;
}

void vnDelimitedFile::ChooseSeparator(std::string separators, std::int64_t rows, SeparatorTest fits)
{
    m_separators = std::move(separators);
    m_separatorRows = rows;
    m_fits = std::move(fits);
}

// Reads the first rows with each separator in turn. Only the start of the
// text is read for this, a step at a time, until the rows are there. Of
// several that fit, the one that splits the first row into the most fields
// is taken: a name may hold another separator ("Frequency, MHz").
char vnDelimitedFile::PickSeparator(std::string_view start, char lineEnd)
{
    constexpr std::size_t kStep = 1 << 12;
    char widest = m_separators.front();
    std::int32_t widestFields = -1;
    char fitting = 0;
    std::int32_t fittingFields = -1;
    for (const char separator : m_separators) {
        vnDelimitedReader reader(vnDelimitedReader::kDefaultPaddingAllowance, m_maxLineBytes);
        reader.SetSeparator(separator);
        reader.SetLineEnd(lineEnd);
        reader.KeepRows(m_separatorRows);
        std::string_view rest = start;
        bool reading = true;
        while (reading && !rest.empty() && reader.GetRowCount() < m_separatorRows) {
            const std::string_view step = rest.substr(0, kStep);
            rest.remove_prefix(step.size());
            reading = reader.Feed(step, rest.empty());
        }
        vnCellTable rows;
        reader.MoveTo(rows);
        const std::int32_t fields = FirstRowFields(rows);
        if (m_fits(rows) && fields > fittingFields) {
            fitting = separator;
            fittingFields = fields;
        }
        if (fields > widestFields) {
            widest = separator;
            widestFields = fields;
        }
    }
    m_separatorFits = fittingFields >= 0;
    return m_separatorFits ? fitting : widest;
}

bool vnDelimitedFile::Read(const std::string& fileName)
{
    vnInputFile input(m_maxBytes);
    return ReadInput(input, input.ReadFile(fileName));
}

bool vnDelimitedFile::ReadDescriptor(int fd)
{
    vnInputFile input(m_maxBytes);
    return ReadInput(input, input.ReadDescriptor(fd));
}

// The table changes only once bytes have come: a file refused, too large or
// failing on its first read leaves it as it was.
bool vnDelimitedFile::ReadInput(vnInputFile& input, bool read)
{
    m_error.clear();
    m_encoding = vnTextEncoding::Utf8;
    if (!m_table)
        return Fail(EINVAL);
    if (read)
        return ReadBytes(input.GetBytes(), true);
    if (!input.GetBytes().empty())
        ReadBytes(input.GetBytes(), false);
    return Fail(input.GetError());
}

bool vnDelimitedFile::ReadText(std::string_view bytes)
{
    m_error.clear();
    m_encoding = vnTextEncoding::Utf8;
    if (!m_table)
        return Fail(EINVAL);
    if (bytes.size() > m_maxBytes) {
        m_table->Clear();
        return Fail(vnWords::Say(IDS_FILE_TOO_LARGE, {vnText::ByteSize(m_maxBytes)}));
    }
    return ReadBytes(bytes, true);
}

// Without complete, the bytes end where a read failed: their last line, cut
// short, is left out.
bool vnDelimitedFile::ReadBytes(std::string_view bytes, bool complete)
{
    m_cancelled = false;
    m_rowLines.clear();
    m_rowsPast = 0;
    m_firstLinePast = 0;
    m_markup = Markup::None;
    vnTextDecoder decoder(bytes);
    m_encoding = decoder.GetEncoding();
    // The first piece tells what the text is, how its lines end and what
    // separates its fields.
    const std::string_view first = decoder.Next();
    if (m_refuseMarkup && (m_markup = MarkupOf(first)) != Markup::None)
        return Fail(vnWords::Say(m_markup == Markup::Json ? IDS_READ_IS_JSON : IDS_READ_IS_XML));
    m_lineEnd = LineEndOf(first);
    m_separator = ',';
    m_separatorFits = true;
    if (!m_separators.empty() && m_fits)
        m_separator = PickSeparator(first, m_lineEnd);
    vnDelimitedReader reader(vnDelimitedReader::kDefaultPaddingAllowance, m_maxLineBytes);
    reader.SetSeparator(m_separator);
    reader.SetLineEnd(m_lineEnd);
    reader.KeepRows(m_keepRows);
    bool reading = true;
    std::uint64_t done = 0;
    for (std::string_view piece = first; reading && !piece.empty(); piece = decoder.Next()) {
        // In steps, so that progress is told and a cancel is heard.
        while (reading && !piece.empty()) {
            const std::string_view step = piece.substr(0, kProgressStep);
            piece.remove_prefix(step.size());
            reading = reader.Feed(step);
            done = std::min<std::uint64_t>(done + step.size(), bytes.size());
            if (m_progress && !m_progress(done, bytes.size())) {
                m_cancelled = true;
                return Fail(vnWords::Say(IDS_READ_CANCELLED));
            }
        }
    }
    std::string reason;
    if (!reading)
        reason = reader.GetReason();
    else if (!decoder.GetError().empty())
        reason = vnWords::Say(IDS_READ_AT_LINE, {std::to_string(reader.GetLineNumber()), decoder.GetError()});
    else if (complete && !reader.Feed({}, true))
        reason = reader.GetReason();
    m_rowsPast = reader.GetRowsPast();
    m_firstLinePast = reader.GetFirstLinePast();
    if (!reader.MoveTo(*m_table, m_keepRows >= 0 ? &m_rowLines : nullptr))
        return Fail(reader.GetReason());
    return reason.empty() || Fail(std::move(reason));
}

void vnDelimitedFile::AppendRow(std::string& out, std::int32_t row) const
{
    const std::int32_t columns = m_table->GetColumnCount();
    for (std::int32_t column = 0; column < columns; ++column) {
        if (column > 0)
            out += ',';
        const vnCell* cell = m_table->GetCell(row, column);
        if (cell->GetType() == vnCellType::String)
            AppendQuoted(out, cell->GetString());
        else
            cell->AppendText(out);
    }
    out += "\r\n";
}

std::string vnDelimitedFile::WriteText() const
{
    std::string text;
    if (m_table)
        for (std::int32_t row = 0; row < m_table->GetRowCount(); ++row)
            AppendRow(text, row);
    return text;
}

bool vnDelimitedFile::Write(const std::string& fileName)
{
    m_error.clear();
    m_targetChanged = false;
    m_refusedHere = false;
    if (!m_table || fileName.empty() || fileName.find('\0') != std::string::npos)
        return Fail(fileName.empty() ? ENOENT : EINVAL);

    // An existing target: write through symbolic links to the file itself,
    // keep its permissions, and keep a file we may not write to as it is.
    std::string target = fileName;
    struct stat existing
    {};
    const bool exists = ::stat(fileName.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return Fail(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return Fail(vnWords::Say(IDS_NOT_REGULAR_FILE));
        if (::access(fileName.c_str(), W_OK) != 0)
            return FailHere(errno, IDS_WRITE_MAY_NOT_CHANGE);
        if (!ResolveTarget(fileName, &target))
            return Fail(errno);
    } else if (IsSeparator(target.back())) {
        return Fail(EISDIR);
    }

    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(target, attempt);
        fd = ::open(temporary.c_str(), kCreateFlags, 0666);
        if (fd < 0 && errno != EEXIST)
            return FailHere(errno, IDS_WRITE_FOLDER_REFUSED, {FolderOf(target)});
    }
    if (fd < 0)
        return Fail(EEXIST);
    FileDescriptor file(fd);

    const auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        return Fail(error);
    };

    if (exists && !KeepPermissions(file.Get(), existing))
        return fail(errno);

    std::string buffer;
    buffer.reserve(2 * kBlock);
    for (std::int32_t row = 0; row < m_table->GetRowCount(); ++row) {
        AppendRow(buffer, row);
        if (buffer.size() >= kBlock) {
            if (!WriteAll(file.Get(), buffer))
                return fail(errno);
            buffer.clear();
        }
    }
    if (!WriteAll(file.Get(), buffer) || !SyncFile(file.Get()) || !file.Close())
        return fail(errno);
    // Renaming would give this name a new file and leave the file's other
    // names (hard links) with the old content.
    if (exists && existing.st_nlink > 1)
        return ReplaceInPlace(temporary, target);
#ifdef _WIN32
    // rename() does not replace an existing file on Windows.
    if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::string reason = std::system_category().message(static_cast<int>(::GetLastError()));
        ::unlink(temporary.c_str());
        return Fail(reason);
    }
    return true;
#else
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);

    // Make the rename itself durable; the file is complete either way.
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0)
        ::fsync(directory.Get());
    return true;
#endif
}

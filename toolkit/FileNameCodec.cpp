#include "toolkit/FileNameCodec.h"

#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;
constexpr auto kFileScheme = QLatin1String("file://");

// The length of the valid UTF-8 sequence at i, or 0 when it is not one.
qsizetype Utf8SequenceAt(const QByteArray& bytes, qsizetype i)
{
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    // Lead byte pattern, sequence length, the lowest code point it may hold.
    struct Form
    {
        unsigned char mask;
        unsigned char value;
        qsizetype length;
        char32_t lowest;
    };
    static constexpr Form forms[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& candidate : forms)
        if ((lead & candidate.mask) == candidate.value)
            form = &candidate;
    if (!form)
        return 0;
    const qsizetype length = form->length;
    char32_t code = lead & static_cast<unsigned char>(~form->mask);
    const char32_t lowest = form->lowest;
    if (i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

bool HasEscapes(const QString& name)
{
    for (const QChar c : name)
        if (c.unicode() >= kFirstEscape && c.unicode() <= kLastEscape)
            return true;
    return false;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    for (qsizetype i = 0; i < bytes.size();) {
        if (const qsizetype length = Utf8SequenceAt(bytes, i); length > 0) {
            name += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        } else {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        const bool escape = i < name.size() && name[i].unicode() >= kFirstEscape && name[i].unicode() <= kLastEscape;
        if (i < name.size() && !escape)
            continue;
        bytes += name.mid(start, i - start).toUtf8();
        if (escape)
            bytes += static_cast<char>(name[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes;
}

std::string NativeFilePath(const QString& name)
{
    return EncodeFileName(QFileInfo(name).absoluteFilePath()).toStdString();
}

bool FileNameExists(const QString& name)
{
    if (QFileInfo::exists(name))
        return true;
    // QFileInfo would look for the name re-encoded as UTF-8.
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(EncodeFileName(name).toStdString()), error);
}

QString FileNameToText(const QString& name)
{
    if (!HasEscapes(name))
        return name;
    return kFileScheme + QString::fromLatin1(EncodeFileName(name).toPercentEncoding("/"));
}

QString FileNameFromText(const QString& text)
{
    if (!text.startsWith(kFileScheme))
        return text;
    return DecodeFileName(QByteArray::fromPercentEncoding(text.mid(kFileScheme.size()).toLatin1()));
}

#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// File names between the system's bytes and the QStrings that dialogs, menus
// and settings carry. A POSIX file name is bytes, not always valid UTF-8
// (a name copied from an old Latin-1 disk); QFile::decodeName turns each
// invalid byte into U+FFFD and the name is lost. Here valid UTF-8 decodes as
// UTF-8 and each byte outside it becomes the lone surrogate U+DC80 + byte,
// which no valid text holds, so EncodeFileName gives the bytes back exactly.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// A path as documents keep it: absolute, in the system's bytes.
std::string NativeFilePath(const QString& name);

// Whether a file or folder of this name exists.
bool FileNameExists(const QString& name);

// A file name as one line of text that keeps every byte: the name itself
// when it is valid UTF-8, otherwise its file URL with each byte outside
// ASCII percent-encoded ("file:///home/ann/caf%E9.csv").
QString FileNameToText(const QString& name);
QString FileNameFromText(const QString& text);

#pragma once
// Small text files of whole lines, shared by the files that carry state between screens and runs:
// written in UTF-8 with "\r\n" after every line; read as UTF-8, or as Windows-1252 when the bytes are
// not UTF-8, with any line end. Kept by the rules of disk/plain_file.h: links are never followed.
#include <QString>
#include <QStringList>

#include <optional>

namespace files {

// Anything larger was not written by this program and is refused without being read.
inline constexpr qint64 kLineFileMaxBytes = 64 * 1024;

// The file's lines, each whole without its line end (CR LF, LF or CR alone; the last line may
// lack one). Nothing when the path is not a regular file (a link is not), cannot be read, is larger
// than kLineFileMaxBytes or holds a NUL byte. A regular file that cannot be opened or read also
// sets `openFailure`, when given, to a text naming the file and the reason.
std::optional<QStringList> readLineFile(const QString& path, QString* openFailure = nullptr);

// Replaces the file's content with the lines, each ended by "\r\n" (with `onlyIfMissing`, only when
// nothing has the name yet), as disk::savePlainFile saves. On failure returns a text naming the
// file and the reason.
[[nodiscard]] std::optional<QString> writeLineFile(const QString& path, const QStringList& lines, bool onlyIfMissing = false);

}  // namespace files

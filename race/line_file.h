#pragma once
// Small text files of whole lines, shared by the files that carry state between screens and runs:
// UTF-8, every line written with "\r\n", any line end accepted when read.
#include <QString>
#include <QStringList>

#include <optional>

namespace race {

// Anything larger was not written by this program and is refused without being read.
inline constexpr qint64 kLineFileMaxBytes = 64 * 1024;

// The file's lines, each whole without its line end (CR LF, LF or CR alone; the last line may
// lack one). Nothing when the file cannot be read, is larger than kLineFileMaxBytes or is not UTF-8.
std::optional<QStringList> readLineFile(const QString& path);

// Replaces the file's content with the lines, each ended by "\r\n", through a temporary file
// renamed over the old one, so a failed write leaves the old content whole. On failure returns a
// text naming the file and the reason.
[[nodiscard]] std::optional<QString> writeLineFile(const QString& path, const QStringList& lines);

}  // namespace race

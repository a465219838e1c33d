#include "line_file.h"

#include <QStringDecoder>

#include <array>

#include "disk/plain_file.h"

namespace files {

namespace {

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines << text.sliced(start, i - start).toString();
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines << text.sliced(start).toString();
    return lines;
}

// Windows-1252 is Latin-1 except for 0x80 to 0x9F; the five codes it leaves unassigned keep
// their Latin-1 meaning, as Windows itself decodes them.
QString fromWindows1252(const QByteArray& bytes)
{
    static constexpr std::array<char16_t, 32> k80To9F{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(k80To9F[byte - 0x80]) : QChar(byte);
    }
    return text;
}

}  // namespace

std::optional<QStringList> readLineFile(const QString& path, QString* openFailure)
{
    const disk::Read read = disk::readPlainFile(path, kLineFileMaxBytes, disk::Links::Refused);
    if (read.trouble == disk::Trouble::Unreadable && openFailure) *openFailure = disk::failureText(path, read.reason);
    if (!read.ok() || read.bytes.contains('\0')) return std::nullopt;

    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder.decode(read.bytes);
    return splitLines(decoder.hasError() ? fromWindows1252(read.bytes) : text);
}

std::optional<QString> writeLineFile(const QString& path, const QStringList& lines, bool onlyIfMissing)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    return disk::savePlainFile(path, bytes, kLineFileMaxBytes, onlyIfMissing ? disk::Replace::OnlyIfMissing : disk::Replace::Always);
}

}  // namespace files

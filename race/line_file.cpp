#include "race/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace race {

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

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

}  // namespace

std::optional<QStringList> readLineFile(const QString& path)
{
    // Only a regular file: opening a pipe or a device would wait for a writer that never comes.
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLineFileMaxBytes) return std::nullopt;
    // The size can lie (a file still growing); reading one byte past the limit tells.
    const QByteArray bytes = file.read(kLineFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLineFileMaxBytes) return std::nullopt;

    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return splitLines(text);
}

std::optional<QString> writeLineFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failure(path, file.errorString());
    // An uncommitted save file is discarded, leaving the old content in place. The bytes wait in
    // a buffer; commit() would write them and, should that fail (a full disk), still replace the
    // file with an empty one, so they are flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush()) return failure(path, file.errorString());
    if (!file.commit()) return failure(path, file.errorString());
    return std::nullopt;
}

}  // namespace race

#include "line_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

QString systemFailure(const QString& path, int error)
{
    return failure(path, error == ELOOP ? QStringLiteral("it is a symbolic link, which is not followed") : qt_error_string(error));
}

bool writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += written;
    }
    return ftruncate(fd, bytes.size()) == 0 && fsync(fd) == 0;
}

// A save killed before its rename leaves its temporary file (the file's name, a dot and six
// letters or digits); one older than a minute belongs to no save still running.
void removeLeftovers(const QString& path)
{
    const QFileInfo file(path);
    const QString prefix = file.fileName() + u'.';
    const auto isLeftover = [&prefix](const QString& name) {
        return name.size() == prefix.size() + 6 && name.startsWith(prefix)
               && std::all_of(name.cbegin() + prefix.size(), name.cend(),
                              [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
    };
    const QDir folder = file.dir();
    const qint64 minuteAgo = QDateTime::currentSecsSinceEpoch() - 60;
    for (const QString& name : folder.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        struct stat status {};
        const QByteArray leftoverPath = QFile::encodeName(folder.filePath(name));
        if (isLeftover(name) && lstat(leftoverPath.constData(), &status) == 0 && status.st_mtime < minuteAgo)
            unlink(leftoverPath.constData());
    }
}

// A new file beside the target, never one that is already there (nor a link).
int createBeside(const QByteArray& target, QByteArray& created)
{
    static const QByteArray kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target + '.';
        for (int i = 0; i < 6; ++i) created += kLetters[QRandomGenerator::global()->bounded(int(kLetters.size()))];
        const int fd = open(created.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// For a folder where no new file may be made but the file itself may be written. Not a link
// nor anything but a regular file; should the write fail, the old content is put back.
std::optional<QString> rewriteInPlace(const QString& path, const QByteArray& target, const QByteArray& bytes, int creationError)
{
    const int fd = open(target.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    // With no file to rewrite, the folder's refusal is the reason.
    if (fd < 0) return systemFailure(path, errno == ENOENT ? creationError : errno);
    struct stat status {};
    QByteArray old;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLineFileMaxBytes) {
        close(fd);
        return failure(path, QStringLiteral("it is not a file this program wrote"));
    }
    old.resize(status.st_size);
    std::optional<QString> result;
    if (pread(fd, old.data(), size_t(old.size()), 0) != old.size()) result = systemFailure(path, errno);
    else if (!writeAll(fd, bytes)) {
        result = systemFailure(path, errno);
        (void)writeAll(fd, old);
    }
    close(fd);
    return result;
}

}  // namespace

std::optional<QStringList> readLineFile(const QString& path, QString* openFailure)
{
    // Only a regular file: opening a pipe or a device would wait for a writer that never comes,
    // and a link planted in the folder could lead anywhere.
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (openFailure) *openFailure = failure(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kLineFileMaxBytes) return std::nullopt;
    // The size can lie (a file still growing); reading one byte past the limit tells.
    const QByteArray bytes = file.read(kLineFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        if (openFailure) *openFailure = failure(path, file.errorString());
        return std::nullopt;
    }
    if (bytes.size() > kLineFileMaxBytes || bytes.contains('\0')) return std::nullopt;

    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder.decode(bytes);
    return splitLines(decoder.hasError() ? fromWindows1252(bytes) : text);
}

std::optional<QString> writeLineFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";

    removeLeftovers(path);
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createBeside(target, temporary);
    if (fd < 0) return errno == EACCES || errno == EPERM ? rewriteInPlace(path, target, bytes, errno) : systemFailure(path, errno);

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    close(fd);
    // rename() replaces whatever has the name, a link included, and never what a link points at.
    if (written && rename(temporary.constData(), target.constData()) == 0) return std::nullopt;
    const int error = written ? errno : writeError;
    unlink(temporary.constData());
    return systemFailure(path, error);
}

}  // namespace files

#include "disk/plain_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace disk {

namespace {

constexpr int kRandomLetters = 6;
constexpr qint64 kLeftoverAgeSeconds = 60;

QString systemReason(int error)
{
    return error == ELOOP ? QStringLiteral("it is a symbolic link, which is not followed") : qt_error_string(error);
}

// A regular file opened without waiting, or why not. What has the name is looked at before it is
// opened (opening a device or a pipe can wait, or do something), and again once it is open, in
// case it was swapped in between.
int openRegular(const QByteArray& name, int flags, Links links, Trouble& trouble, QString& reason)
{
    const auto refuse = [&](Trouble why, const QString& text) {
        trouble = why;
        reason = text;
        return -1;
    };
    const QString notRegular = QStringLiteral("it is not a regular file");
    struct stat status {};
    if ((links == Links::Followed ? stat(name.constData(), &status) : lstat(name.constData(), &status)) != 0) {
        const int error = errno;
        return refuse(error == ENOENT || error == ENOTDIR ? Trouble::Missing : Trouble::Unreadable, qt_error_string(error));
    }
    if (!S_ISREG(status.st_mode)) return refuse(Trouble::NotAFile, S_ISLNK(status.st_mode) ? systemReason(ELOOP) : notRegular);
    const int fd = open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC | (links == Links::Refused ? O_NOFOLLOW : 0));
    if (fd < 0) {
        const int error = errno;
        return refuse(error == ELOOP ? Trouble::NotAFile : error == ENOENT ? Trouble::Missing : Trouble::Unreadable,
                      systemReason(error));
    }
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return refuse(Trouble::NotAFile, notRegular);
    }
    return fd;
}

QString tooLarge(qint64 maxBytes) { return QStringLiteral("it is larger than %1 bytes").arg(maxBytes); }

// The hidden name a save of `name` writes first: nothing of the player's has such a name.
QString temporaryPrefix(const QString& name)
{
    return u'.' + QCoreApplication::applicationName() + QStringLiteral("-save-") + name + u'-';
}

bool isTemporaryOf(const QString& candidate, const QString& prefix)
{
    if (candidate.size() != prefix.size() + kRandomLetters || !candidate.startsWith(prefix)) return false;
    for (qsizetype i = prefix.size(); i < candidate.size(); ++i)
        if (candidate[i].unicode() >= 128 || !candidate[i].isLetterOrNumber()) return false;
    return true;
}

// A save killed before its rename leaves its temporary file; one older than a minute belongs to
// no save still running. Nothing but such a regular file is ever removed.
void removeLeftovers(const QDir& folder, const QString& name)
{
    const QString prefix = temporaryPrefix(name);
    const qint64 minuteAgo = QDateTime::currentSecsSinceEpoch() - kLeftoverAgeSeconds;
    // Listed without a name filter: a wildcard is a regular expression, whose library would add
    // half a megabyte to the game's memory for this one use.
    for (const QString& candidate : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray path = QFile::encodeName(folder.filePath(candidate));
        struct stat status {};
        if (isTemporaryOf(candidate, prefix) && lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode)
            && status.st_mtime < minuteAgo)
            unlink(path.constData());
    }
}

// A new file under a temporary name beside the target, never one that is already there (nor a link)
int createTemporary(const QDir& folder, const QString& name, QByteArray& created)
{
    static const QByteArray kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString temporary = temporaryPrefix(name);
        for (int i = 0; i < kRandomLetters; ++i)
            temporary += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(kLetters.size()))]);
        created = QFile::encodeName(folder.filePath(temporary));
        const int fd = open(created.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
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

// For a folder where no new file may be made but the file itself may be written: only a regular
// file with no other name; should the write fail, the old content is put back.
std::optional<QString> rewriteInPlace(const QString& path, const QByteArray& bytes, qint64 maxBytes, int creationError)
{
    Trouble trouble = Trouble::None;
    QString reason;
    const int fd = openRegular(QFile::encodeName(path), O_RDWR, Links::Refused, trouble, reason);
    // With no file to rewrite, the folder's refusal is the reason.
    if (trouble == Trouble::Missing) return failureText(path, qt_error_string(creationError));
    if (fd < 0) return failureText(path, reason);
    struct stat status {};
    std::optional<QString> result;
    QByteArray old;
    if (fstat(fd, &status) != 0) result = failureText(path, qt_error_string(errno));
    else if (status.st_nlink > 1)
        result = failureText(path, QStringLiteral("it has other names (hard links), and a save never writes through one"));
    else if (status.st_size > maxBytes) result = failureText(path, QStringLiteral("it is not a file this program wrote"));
    else {
        old.resize(status.st_size);
        if (pread(fd, old.data(), size_t(old.size()), 0) != old.size()) result = failureText(path, qt_error_string(errno));
        else if (!writeAll(fd, bytes)) {
            result = failureText(path, qt_error_string(errno));
            (void)writeAll(fd, old);
        }
    }
    close(fd);
    return result;
}

// Puts the written temporary file in the target's place, only where nothing has the name yet
// when asked. Where the file system has no hard links, a plain rename does.
bool moveIntoPlace(const QByteArray& temporary, const QByteArray& target, Replace replace)
{
    if (replace == Replace::OnlyIfMissing) {
        if (link(temporary.constData(), target.constData()) == 0 || errno == EEXIST) {
            unlink(temporary.constData());
            return true;
        }
        if (errno != EPERM && errno != EOPNOTSUPP) return false;
    }
    return rename(temporary.constData(), target.constData()) == 0;
}

}  // namespace

QString failureText(const QString& path, const QString& reason)
{
    return QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

Opened openPlainFile(const QString& path, qint64 maxBytes, Links links)
{
    Opened opened;
    const int fd = openRegular(QFile::encodeName(path), O_RDONLY, links, opened.trouble, opened.reason);
    if (fd < 0) return opened;
    struct stat status {};
    if (fstat(fd, &status) == 0 && status.st_size > maxBytes) {
        close(fd);
        return {nullptr, Trouble::TooLarge, tooLarge(maxBytes)};
    }
    opened.file = std::make_unique<QFile>();
    if (!opened.file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return {nullptr, Trouble::Unreadable, opened.file->errorString()};
    }
    return opened;
}

Read readPlainFile(const QString& path, qint64 maxBytes, Links links)
{
    Opened opened = openPlainFile(path, maxBytes, links);
    if (!opened.file) return {{}, opened.trouble, opened.reason};
    // The size can lie (a file still growing); reading one byte past the cap tells.
    QByteArray bytes = opened.file->read(maxBytes + 1);
    if (opened.file->error() != QFileDevice::NoError) return {{}, Trouble::Unreadable, opened.file->errorString()};
    if (bytes.size() > maxBytes) return {{}, Trouble::TooLarge, tooLarge(maxBytes)};
    return {std::move(bytes), Trouble::None, {}};
}

std::optional<QString> savePlainFile(const QString& path, const QByteArray& bytes, qint64 maxBytes, Replace replace)
{
    const QFileInfo place(path);
    removeLeftovers(place.dir(), place.fileName());
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createTemporary(place.dir(), place.fileName(), temporary);
    if (fd < 0) {
        const int error = errno;
        struct stat status {};
        if (replace == Replace::OnlyIfMissing && lstat(target.constData(), &status) == 0) return std::nullopt;
        if (error == EACCES || error == EPERM) return rewriteInPlace(path, bytes, maxBytes, error);
        return failureText(path, qt_error_string(error));
    }

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    close(fd);
    if (written && moveIntoPlace(temporary, target, replace)) return std::nullopt;
    const int error = written ? errno : writeError;
    unlink(temporary.constData());
    return failureText(path, qt_error_string(error));
}

}  // namespace disk

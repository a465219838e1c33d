#include "best_time_file.h"

#include "disk/folders.h"
#include "line_file.h"
#include "race/rules/caption_number.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace files {

namespace {

const QString kRecordPath = QStringLiteral("C:\\Windows\\tapdash.ini");
const QString kCreatedRecordPath = QStringLiteral("C:\\windows\\tapdash.ini");
const BestTimeRecord kDefaultRecord{QStringLiteral("Zeblo"), QStringLiteral("99.9")};
// Another game holds the record for the milliseconds of its own update.
constexpr std::chrono::milliseconds kLockRetry{20};

std::optional<double> timeNumber(const QString& time) { return race::parseNumber(time.toStdString()); }

std::optional<QString> writeRecord(const QString& path, const BestTimeRecord& record, bool onlyIfMissing = false)
{
    return writeLineFile(path, {record.name, record.time}, onlyIfMissing);
}

QString quoted(const QString& path) { return u'"' + QDir::toNativeSeparators(path) + u'"'; }

// Keeps a bad record file beside the record as "tapdash.ini.bad", replacing an older one (a link
// of that name included, never what it points at). The record keeps its name until the update's
// one save replaces it, so another game never finds it missing in between; where the file system
// has no hard links it is moved aside instead.
std::optional<QString> keepBadFile(const QString& path)
{
    const QString bad = path + QStringLiteral(".bad");
    const QByteArray from = QFile::encodeName(path), to = QFile::encodeName(bad);
    if ((unlink(to.constData()) == 0 || errno == ENOENT)
        && (link(from.constData(), to.constData()) == 0
            || ((errno == EPERM || errno == EOPNOTSUPP) && std::rename(from.constData(), to.constData()) == 0)))
        return std::nullopt;
    return quoted(path) + QStringLiteral(" cannot be kept as ") + quoted(bad) + QStringLiteral(": ") + qt_error_string(errno);
}

// The record file locked against every other game, for as long as this object lives. A game that
// ends, however it ends, lets go of its lock, so no lock outlives the game that took it.
class RecordLock {
public:
    enum class State {
        Held,
        Busy,       // another running game holds it
        NoFile,     // nothing, or nothing but a regular file, has the record's name
        Unlocked,   // a file that cannot be locked: the update goes on without the lock
    };

    ~RecordLock() { release(); }

    void release()
    {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

    State tryLock(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        // A game that saved meanwhile has renamed a new file over the one it held.
        for (int attempt = 0; attempt < 3; ++attempt) {
            release();
            struct stat named {}, locked {};
            if (lstat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode)) return State::NoFile;
            fd_ = open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd_ < 0) fd_ = open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd_ < 0) return State::Unlocked;  // the read that follows says why
            if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
                if (errno == EWOULDBLOCK) return State::Busy;
                std::fprintf(stderr, "%s: the best time is kept without a lock: %s\n",
                             qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(qt_error_string(errno)));
                return State::Unlocked;
            }
            if (fstat(fd_, &locked) == 0 && lstat(name.constData(), &named) == 0 && locked.st_dev == named.st_dev
                && locked.st_ino == named.st_ino)
                return State::Held;
        }
        return State::Busy;
    }

private:
    int fd_ = -1;
};

// One record update, from the race's end until it has judged and saved. It lives beside the
// application, not the screen, so a wait for another game loses no record when the screen goes.
class RecordUpdate : public QObject {
public:
    RecordUpdate(std::unique_ptr<RecordBoard> board, const QString& path, std::chrono::milliseconds lockWait)
        : board_(std::move(board)), path_(path), winner_{board_->winnerName(), board_->winnerTime()}, deadline_(lockWait)
    {
    }
    // At the program's end: saved without waiting any longer
    ~RecordUpdate() override
    {
        if (!done_) finish(nullptr);
    }

    // Takes the lock and updates the record, unless another game holds it and the wait is not
    // over. True once the update is done.
    bool attempt()
    {
        RecordLock lock;
        RecordLock::State state = lock.tryLock(path_);
        if (state == RecordLock::State::NoFile) {
            // Something to lock: the default record in place of nothing (a record another game
            // made meanwhile is kept) or of anything but a regular file
            const bool nothing = !QFileInfo::exists(path_) && !QFileInfo(path_).isSymLink();
            failure_ = writeRecord(bestTimeFilePath(kCreatedRecordPath), kDefaultRecord, nothing);
            state = failure_ ? RecordLock::State::Unlocked : lock.tryLock(path_);
        }
        if (state == RecordLock::State::Busy && !deadline_.hasExpired()) {
            // The sentence stays empty until the record is judged.
            if (!std::exchange(waiting_, true)) board_->setBestTimeLine({});
            return false;
        }
        if (state == RecordLock::State::Busy)
            std::fprintf(stderr, "%s: another game kept the best time locked; saved without waiting longer\n",
                         qUtf8Printable(QCoreApplication::applicationName()));
        finish(&lock);
        return true;
    }

private:
    // Reads, judges and saves, then lets go of the lock before a message box waits for the player.
    void finish(RecordLock* lock)
    {
        done_ = true;
        const std::optional<QString> message = judgeAndSave();
        if (lock) lock->release();
        if (message) board_->messageBox(*message);
    }

    // Every change to the file is one save at the end, renamed into place: once it is there,
    // another game may take the new file and judge against it while this one lets go of the old.
    std::optional<QString> judgeAndSave()
    {
        // After a failure nothing more is written: a bad file that could not be kept aside must not
        // be overwritten, and any other write to the file would fail alike.
        BestTimeRecord best = kDefaultRecord;
        bool changed = false;
        if (!failure_) {
            QString unreadable;
            if (const std::optional<BestTimeRecord> stored = readBestTimeFile(path_, &unreadable)) best = *stored;
            else if (unreadable.isEmpty()) {
                failure_ = keepBadFile(path_);
                changed = true;
            } else {
                // Not damaged, only out of reach: left where it is, and no record is judged.
                board_->setBestTimeLine({});
                return QStringLiteral("The best time could not be read.\n") + unreadable;
            }
        }
        const std::optional<double> winner = timeNumber(winner_.time);
        if (winner && std::floor(*winner) < std::floor(*timeNumber(best.time))) {
            board_->showNewRecord();
            best = winner_;  // this run's record, kept or not
            changed = true;
        }
        if (changed && !failure_) failure_ = writeRecord(path_, best);
        board_->setBestTimeLine(QStringLiteral("Best time so far is ") + best.name + QStringLiteral(" with a time of ") + best.time);
        if (failure_) return QStringLiteral("The best time could not be saved.\n") + *failure_;
        return std::nullopt;
    }

    std::unique_ptr<RecordBoard> board_;
    const QString path_;
    const BestTimeRecord winner_;
    const QDeadlineTimer deadline_;
    std::optional<QString> failure_;
    bool waiting_ = false, done_ = false;
};

}  // namespace

QString bestTimeFilePath(const QString& designPath)
{
    if (designPath.compare(kRecordPath, Qt::CaseInsensitive) != 0) return designPath;
    const QString data = disk::xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
    if (data.isEmpty()) return {};
    const QString folder = QDir(data).filePath(QCoreApplication::applicationName());
    // A folder that cannot be made shows up as the reason when the file is written.
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("tapdash.ini"));
}

std::optional<BestTimeRecord> readBestTimeFile(const QString& path, QString* openFailure)
{
    const std::optional<QStringList> lines = readLineFile(path, openFailure);
    if (!lines || lines->size() < 2 || !timeNumber(lines->at(1))) return std::nullopt;
    return BestTimeRecord{lines->at(0), lines->at(1)};
}

void updateBestTime(std::unique_ptr<RecordBoard> board, std::chrono::milliseconds lockWait)
{
    const QString path = bestTimeFilePath(kRecordPath);
    if (path.isEmpty()) {
        board->noRecordFolder();
        board->setBestTimeLine({});
        return;
    }
    auto* update = new RecordUpdate(std::move(board), path, lockWait);
    if (update->attempt()) {
        delete update;
        return;
    }
    update->setParent(QCoreApplication::instance());
    auto* retry = new QTimer(update);
    QObject::connect(retry, &QTimer::timeout, update, [update] {
        if (update->attempt()) update->deleteLater();
    });
    retry->start(kLockRetry);
}

}  // namespace files

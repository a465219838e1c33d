#include "best_time_file.h"

#include "line_file.h"
#include "race/rules/caption_number.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <utility>

namespace files {

namespace {

const QString kRecordPath = QStringLiteral("C:\\Windows\\tapdash.ini");
const QString kCreatedRecordPath = QStringLiteral("C:\\windows\\tapdash.ini");
const BestTimeRecord kDefaultRecord{QStringLiteral("Zeblo"), QStringLiteral("99.9")};
// An update takes milliseconds; a lock older than this was left by a game that died on
// another machine sharing the folder (a dead game on this one is noticed at once).
constexpr int kStaleLockMs = 10'000;
constexpr int kLockWaitMs = 15'000;

std::optional<double> timeNumber(const QString& time) { return race::parseNumber(time.toStdString()); }

std::optional<QString> writeRecord(const QString& path, const BestTimeRecord& record)
{
    return writeLineFile(path, {record.name, record.time});
}

QString quoted(const QString& path) { return u'"' + QDir::toNativeSeparators(path) + u'"'; }

// Moves a bad record file aside, replacing an older one (a link of that name included, never
// what it points at), and starts again from the default.
std::optional<QString> replaceBadFile(const QString& path)
{
    const QString bad = path + QStringLiteral(".bad");
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(bad).constData()) != 0)
        return quoted(path) + QStringLiteral(" cannot be kept as ") + quoted(bad) + QStringLiteral(": ") + qt_error_string(errno);
    return writeRecord(path, kDefaultRecord);
}

// The data folder as the XDG base-directory rules give it: a relative XDG_DATA_HOME is ignored,
// and without HOME there is none.
QString dataFolder()
{
    QString base = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        const QString home = QFile::decodeName(qgetenv("HOME"));
        if (home.isEmpty() || QDir::isRelativePath(home)) return {};
        base = home + QStringLiteral("/.local/share");
    }
    return QDir(base).filePath(QCoreApplication::applicationName());
}

}  // namespace

QString bestTimeFilePath(const QString& designPath)
{
    if (designPath.compare(kRecordPath, Qt::CaseInsensitive) != 0) return designPath;
    const QString folder = dataFolder();
    if (folder.isEmpty()) return {};
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

namespace {

// The sentence names what the file holds now.
void showBestTime(RecordBoard& board, const QString& path)
{
    const BestTimeRecord best = readBestTimeFile(path).value_or(kDefaultRecord);
    board.setBestTimeLine(QStringLiteral("Best time so far is ") + best.name + QStringLiteral(" with a time of ") + best.time);
}

}  // namespace

void updateBestTime(RecordBoard& board)
{
    const QString path = bestTimeFilePath(kRecordPath);
    if (path.isEmpty()) {
        static bool told = false;
        if (!std::exchange(told, true))
            board.messageBox(QStringLiteral("The best time cannot be kept: neither XDG_DATA_HOME nor HOME names a folder for it."));
        board.setBestTimeLine({});
        return;
    }

    // Read, compare and write as one step, against another game sharing the folder. A lock that
    // cannot be made at all (a read-only folder, a full disk) leaves the save to meet the same
    // trouble and report it.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError) {
        showBestTime(board, path);
        board.messageBox(QStringLiteral("The best time could not be saved.\n") + quoted(path) + QStringLiteral(": another game kept it locked"));
        return;
    }

    // After a failure nothing more is written: a bad file that could not be kept aside must not
    // be overwritten, and any other write to the file would fail alike.
    std::optional<QString> failure;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        failure = writeRecord(bestTimeFilePath(kCreatedRecordPath), kDefaultRecord);

    BestTimeRecord best = kDefaultRecord;
    if (!failure) {
        QString unreadable;
        if (const std::optional<BestTimeRecord> stored = readBestTimeFile(path, &unreadable)) best = *stored;
        else if (unreadable.isEmpty()) failure = replaceBadFile(path);
        else {
            // Not damaged, only out of reach: left where it is, and no record is judged.
            board.setBestTimeLine({});
            board.messageBox(QStringLiteral("The best time could not be read.\n") + unreadable);
            return;
        }
    }

    const std::optional<double> winner = timeNumber(board.winnerTime());
    if (winner && std::floor(*winner) < std::floor(*timeNumber(best.time))) {
        board.showNewRecord();
        if (!failure) failure = writeRecord(path, {board.winnerName(), board.winnerTime()});
    }

    showBestTime(board, path);
    lock.unlock();  // not held while a message box waits for the player
    if (failure) board.messageBox(QStringLiteral("The best time could not be saved.\n") + *failure);
}

}  // namespace files

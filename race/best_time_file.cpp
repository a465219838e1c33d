#include "race/best_time_file.h"

#include "race/caption_number.h"
#include "race/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>

namespace race {

namespace {

const QString kRecordPath = QStringLiteral("C:\\Windows\\tapdash.ini");
const QString kCreatedRecordPath = QStringLiteral("C:\\windows\\tapdash.ini");
const BestTimeRecord kDefaultRecord{QStringLiteral("Zeblo"), QStringLiteral("99.9")};

std::optional<double> timeNumber(const QString& time) { return parseNumber(time.toStdString()); }

std::optional<QString> writeRecord(const QString& path, const BestTimeRecord& record)
{
    return writeLineFile(path, {record.name, record.time});
}

QString quoted(const QString& path) { return u'"' + QDir::toNativeSeparators(path) + u'"'; }

// Moves a bad record file aside, replacing an older one, and starts again from the default.
std::optional<QString> replaceBadFile(const QString& path)
{
    QFile bad(path + QStringLiteral(".bad"));
    if (bad.exists() && !bad.remove()) return quoted(bad.fileName()) + QStringLiteral(": ") + bad.errorString();
    QFile file(path);
    if (!file.rename(bad.fileName()))
        return quoted(path) + QStringLiteral(" cannot be kept as ") + quoted(bad.fileName()) + QStringLiteral(": ")
            + file.errorString();
    return writeRecord(path, kDefaultRecord);
}

}  // namespace

QString bestTimeFilePath(const QString& designPath)
{
    if (designPath.compare(kRecordPath, Qt::CaseInsensitive) != 0) return designPath;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made shows up as the reason when the file is written.
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("tapdash.ini"));
}

std::optional<BestTimeRecord> readBestTimeFile(const QString& path)
{
    const std::optional<QStringList> lines = readLineFile(path);
    if (!lines || lines->size() < 2 || !timeNumber(lines->at(1))) return std::nullopt;
    return BestTimeRecord{lines->at(0), lines->at(1)};
}

void updateBestTime(RecordBoard& board)
{
    const QString path = bestTimeFilePath(kRecordPath);
    // After a failure nothing more is written: a bad file that could not be kept aside must not
    // be overwritten, and any other write to the file would fail alike.
    std::optional<QString> failure;
    if (!QFileInfo(path).isFile()) failure = writeRecord(bestTimeFilePath(kCreatedRecordPath), kDefaultRecord);

    BestTimeRecord best = kDefaultRecord;
    if (!failure) {
        if (const std::optional<BestTimeRecord> stored = readBestTimeFile(path)) best = *stored;
        else failure = replaceBadFile(path);
    }

    const std::optional<double> winner = timeNumber(board.winnerTime());
    if (winner && std::floor(*winner) < std::floor(*timeNumber(best.time))) {
        board.showNewRecord();
        if (!failure) failure = writeRecord(path, {board.winnerName(), board.winnerTime()});
    }

    best = readBestTimeFile(path).value_or(kDefaultRecord);
    board.setBestTimeLine(QStringLiteral("Best time so far is ") + best.name + QStringLiteral(" with a time of ") + best.time);
    if (failure) board.messageBox(QStringLiteral("The best time could not be saved.\n") + *failure);
}

}  // namespace race

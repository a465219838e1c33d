#pragma once
// The best-time file: the record holder's name and the record time, two lines that outlive the
// program. It is kept in the player's data folder; the design's Windows paths map onto it.
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace files {

struct BestTimeRecord {
    QString name;  // line 1
    QString time;  // line 2, as the race clock showed it
};

// The real file behind a design path. "C:\Windows\tapdash.ini" in any letter case, as on the
// design's file system, is tapdash.ini in the application's data folder ($XDG_DATA_HOME/tapdash
// or ~/.local/share/tapdash), which is created when missing; empty when the player has no data
// folder. Any other path is already real and returned unchanged.
QString bestTimeFilePath(const QString& designPath);

// The record a best-time file holds; nothing when the file is unreadable, has fewer than two
// lines or its second line is not a number. A file that cannot be opened or read also sets
// `openFailure`, when given, to a text naming the file and the reason.
std::optional<BestTimeRecord> readBestTimeFile(const QString& path, QString* openFailure = nullptr);

// The results screen as the record update sees it. An update that waits for another game may
// outlive the screen: a board whose screen has gone answers nothing and tells its message on
// standard error instead.
class RecordBoard {
public:
    virtual ~RecordBoard() = default;
    virtual QString winnerName() = 0;                        // caption of Label1(1)
    virtual QString winnerTime() = 0;                        // caption of Label7(1)
    virtual void showNewRecord() = 0;                        // Label8, then Label9 visible
    virtual void setBestTimeLine(const QString& text) = 0;   // caption of Label5
    virtual void messageBox(const QString& text) = 0;        // modal, OK only
    // The record cannot be kept: neither XDG_DATA_HOME nor HOME names a folder for it
    virtual void noRecordFolder() = 0;
};

// How long an update waits for another game that holds the record before it saves without it
inline constexpr std::chrono::milliseconds kRecordLockWait{10'000};

// Checks the winner's time against the stored record, stores a new record and writes the
// best-time sentence, as one step against other games sharing the file: the record file itself
// is locked (flock), so a lock ends with the game that held it, however it ends, and nothing else
// in the folder (a leftover lock file of any kind) can stand in the way. While another running
// game holds it, the update returns at once and tries again from the event loop every few
// milliseconds, so the screens keep painting and ticking; after `lockWait` it saves without the
// lock and says so on standard error. An update still waiting when the program ends saves then.
// A bad file is kept beside the record as "tapdash.ini.bad" and the record starts again from the
// default; a new record that cannot be written is reported, while the board still shows it as
// this run's record. A file that cannot be read is reported and left alone, and the sentence stays
// empty, as it does without a data folder (said once).
void updateBestTime(std::unique_ptr<RecordBoard> board, std::chrono::milliseconds lockWait = kRecordLockWait);

}  // namespace files

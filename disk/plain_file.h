#pragma once
// The rules for every file the program opens, reads or writes, kept here alone:
// - Only a regular file is opened. A named pipe, device, socket or folder is refused before it is
//   opened, so nothing ever waits on one or reads it endlessly.
// - A file larger than its reader's cap is refused before any of it is read.
// - A save never writes through a link. It writes a new file under a hidden temporary name and
//   renames it over whatever had the name (a symbolic link included, never what it points at), so
//   the old content stays whole until the new content is. Only where the folder allows no new file
//   is a file rewritten in place, and then never one with other names (hard links).
// - Failures come back as a text naming the file and the reason, for one message.
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QFile;

namespace disk {

// Whether reading goes through a symbolic link: the player's own pictures may be links, the
// files the program keeps are not.
enum class Links { Refused, Followed };

enum class Trouble {
    None,
    Missing,     // nothing has the name (or a folder on the way is not one)
    NotAFile,    // a link where links are refused, or not a regular file
    TooLarge,    // larger than the cap
    Unreadable,  // a regular file the system will not let be read
};

struct Opened {
    std::unique_ptr<QFile> file;  // open for reading when there is no trouble
    Trouble trouble = Trouble::None;
    QString reason;  // what is wrong, in words
};

// The file, open for reading from its start
Opened openPlainFile(const QString& path, qint64 maxBytes, Links links);

struct Read {
    QByteArray bytes;
    Trouble trouble = Trouble::None;
    QString reason;
    bool ok() const { return trouble == Trouble::None; }
};

// The file's whole content; a file that grows past the cap while it is read is refused too.
Read readPlainFile(const QString& path, qint64 maxBytes, Links links);

enum class Replace { Always, OnlyIfMissing };

// Saves the bytes as the file's whole content (with OnlyIfMissing, only when nothing has the name
// yet; a file made meanwhile by another program is kept). Temporary files of saves killed more than
// a minute ago, and only those, are removed on the way. maxBytes caps what an in-place rewrite
// reads of the old content to put it back should the write fail.
// On failure returns a text naming the file and the reason; the old file is then as it was.
[[nodiscard]] std::optional<QString> savePlainFile(const QString& path, const QByteArray& bytes, qint64 maxBytes,
                                                   Replace replace = Replace::Always);

// "\"/absolute/path\": reason", as every failure names its file
QString failureText(const QString& path, const QString& reason);

}  // namespace disk

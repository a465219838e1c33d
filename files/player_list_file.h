#pragma once
// The player-list file "temp.tmp": who played the last race started from the entry screen, eight
// lines, a name line and a runner file line for each of players 1 to 4.
#include <QString>

#include <array>
#include <optional>

namespace files {

struct PlayerFields {
    QString name;        // name box text; an empty name line means the player does not run
    QString runnerFile;  // runner file label caption: "None" or a full path
    friend bool operator==(const PlayerFields&, const PlayerFields&) = default;
};
using PlayerList = std::array<PlayerFields, 4>;  // players 1 to 4

// What the file records of the entry rows: each row unchanged, except that a player named
// exactly "Disabled" gets an empty name and an empty runner file.
PlayerList playerListFromEntry(const PlayerList& entryRows);

// Replaces the file with the eight lines of the list, each ended by "\r\n". On failure returns a
// text naming the file and the reason; the old file is then left as it was.
[[nodiscard]] std::optional<QString> writePlayerList(const QString& path, const PlayerList& players);

// The list a file holds, each line whole without its line end. Missing lines are empty; a
// missing or unreadable file (too large for a player list, holding a NUL byte, or a link) reads
// as all empty; one not in UTF-8 is read as Windows-1252.
PlayerList readPlayerList(const QString& path);

}  // namespace files

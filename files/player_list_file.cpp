#include "player_list_file.h"

#include "line_file.h"

#include <QStringList>

namespace files {

PlayerList playerListFromEntry(const PlayerList& entryRows)
{
    PlayerList players = entryRows;
    for (PlayerFields& player : players)
        if (player.name == QLatin1String("Disabled")) player = {};
    return players;
}

std::optional<QString> writePlayerList(const QString& path, const PlayerList& players)
{
    QStringList lines;
    for (const PlayerFields& player : players) lines << player.name << player.runnerFile;
    return writeLineFile(path, lines);
}

PlayerList readPlayerList(const QString& path)
{
    const QStringList lines = readLineFile(path).value_or(QStringList{});
    const auto line = [&lines](qsizetype index) { return index < lines.size() ? lines[index] : QString(); };
    PlayerList players;
    for (qsizetype i = 0; i < qsizetype(players.size()); ++i)
        players[i] = {line(2 * i), line(2 * i + 1)};
    return players;
}

}  // namespace files

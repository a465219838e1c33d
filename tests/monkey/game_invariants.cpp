#include "game_invariants.h"

#include <algorithm>
#include <limits>
#include <map>

#include <QApplication>
#include <QFileInfo>

#include "app/forms.h"
#include "entry/player_list_file.h"
#include "monkey.h"
#include "race/caption_number.h"
#include "race/line_file.h"
#include "ui/window.h"

namespace {

// A caption holding a plainly written whole number from lowest to highest
bool wholeNumberIn(const QString& caption, int lowest, int highest)
{
    bool ok = false;
    const int n = caption.toInt(&ok);
    return ok && caption == QString::number(n) && n >= lowest && n <= highest;
}

}  // namespace

QString GameInvariants::check(bool programEnded)
{
    // Every rule runs, so the places seen stay current.
    for (const QString& broken : {windows(programEnded), textBoxes(), raceScreen(), places(), files()})
        if (!broken.isEmpty()) return broken;
    return {};
}

// One window per screen at most, none left over from an unloaded screen, and one always up
// until the program ends
QString GameInvariants::windows(bool programEnded) const
{
    std::map<QString, int> perCaption;
    int visible = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!dynamic_cast<ui::Window*>(widget) || !widget->isVisible()) continue;
        ++visible;
        if (++perCaption[widget->windowTitle()] > 1)
            return QStringLiteral("two windows captioned \"%1\" are shown").arg(widget->windowTitle());
    }
    int shown = 0;
    for (const NamedScreen& screen : allScreens()) shown += screen.form->isShown();
    if (visible != shown) return QStringLiteral("%1 windows are visible for %2 shown screens").arg(visible).arg(shown);
    if (shown == 0 && !programEnded) return QStringLiteral("no screen is shown, yet the program runs on");
    return {};
}

// Names and file names are one line of whole characters, names at most ten of them
QString GameInvariants::textBoxes() const
{
    entry::Form2& entry = forms().Form2;
    entry::Form6& picker = forms().Form6;
    std::vector<std::pair<QString, qsizetype>> texts;  // with the most characters each may hold
    if (entry.isLoaded())
        for (int player = 1; player <= 4; ++player) texts.emplace_back(entry.nameBox(player)->Text(), entry::kNameLength);
    if (picker.isLoaded()) texts.emplace_back(picker.Text1->Text(), std::numeric_limits<qsizetype>::max());
    for (const auto& [text, most] : texts)
        if (!text.isValidUtf16() || text.contains(u'\n') || text.contains(u'\r') || text.size() > most)
            return QStringLiteral("a text box holds \"%1\"").arg(text);
    return {};
}

QString GameInvariants::raceScreen() const
{
    race::Form1& race = forms().Form1;
    if (!race.isLoaded()) return {};
    int lanesShown = 0;
    for (const race::Lane& lane : race::Lanes) {
        const QString counter = race.label(lane.counterLabel)->Caption();
        if (!wholeNumberIn(counter, 0, 100)) return QStringLiteral("lane %1's counter reads \"%2\"").arg(lane.number).arg(counter);
        if (!race.isShown() || !race.label(lane.nameLabel)->Visible()) continue;
        ++lanesShown;
        if (!race.label(lane.keyLabel)->Visible() || !race.label(lane.counterLabel)->Visible() ||
            !race.Picture1(lane.number)->Visible())
            return QStringLiteral("lane %1 is only partly shown").arg(lane.number);
    }
    if (!wholeNumberIn(race.Label15->Caption(), 0, 5))
        return QStringLiteral("the countdown Label15 reads \"%1\"").arg(race.Label15->Caption());
    if (race.isShown() && race.Label13->Caption() != QString::number(lanesShown))
        return QStringLiteral("Label13 reads \"%1\" with %2 lanes shown").arg(race.Label13->Caption()).arg(lanesShown);
    return {};
}

// Places 1..FinishCount, each held by one finished lane, given in the order the lanes finished;
// while the race runs, result row n names the lane in place n.
QString GameInvariants::places()
{
    race::Form1& race = forms().Form1;
    results::Form3& results = forms().Form3;
    std::array<int, 4> now{};
    for (int lane = 1; lane <= 4; ++lane) now[lane - 1] = race.engine.lanePlace(lane);
    const std::array<int, 4> before = std::exchange(places_, now);

    std::vector<int> held;
    for (const race::Lane& lane : race::Lanes) {
        const int i = lane.number - 1, place = now[i];
        if ((place != 0) != (race.engine.laneStep(lane.number) == 4))
            return QStringLiteral("lane %1 has place %2 at step %3").arg(lane.number).arg(place).arg(race.engine.laneStep(lane.number));
        if (place == 0) continue;
        held.push_back(place);
        if (before[i] != 0 && before[i] != place)
            return QStringLiteral("lane %1 moved from place %2 to %3").arg(lane.number).arg(before[i]).arg(place);
        for (int other = 0; other < 4; ++other)
            if (before[i] == 0 && before[other] != 0 && now[other] > place)
                return QStringLiteral("lane %1 finished after lane %2 but is placed ahead").arg(lane.number).arg(other + 1);
        if (!race.isLoaded() || !results.isLoaded()) continue;
        const QString player = race.label(lane.nameLabel)->Caption();
        const QString row = results.Label1.exists(place) ? results.Label1(place)->Caption() : QStringLiteral("(none)");
        if (row != player)
            return QStringLiteral("result row %1 names \"%2\", not lane %3's player \"%4\"").arg(place).arg(row).arg(lane.number).arg(player);
    }
    std::sort(held.begin(), held.end());
    for (size_t n = 0; n < held.size(); ++n)
        if (held[n] != int(n) + 1) return QStringLiteral("places held are not 1 to %1").arg(held.size());
    if (int(held.size()) != race.engine.finishCount())
        return QStringLiteral("%1 places held for %2 finished").arg(held.size()).arg(race.engine.finishCount());
    return {};
}

QString GameInvariants::files() const
{
    const QString playerList = QStringLiteral("temp.tmp");
    if (QFileInfo::exists(playerList)) {
        const auto lines = race::readLineFile(playerList);
        if (!lines || lines->size() != 8)
            return QStringLiteral("temp.tmp holds %1 lines").arg(lines ? QString::number(lines->size()) : "unreadable");
    }
    if (QFileInfo::exists(bestTimeFile_)) {
        const auto lines = race::readLineFile(bestTimeFile_);
        if (!lines || lines->size() != 2 || !race::parseNumber(lines->at(1).toStdString()))
            return QStringLiteral("the best-time file holds \"%1\"").arg(lines ? lines->join(u'|') : "unreadable");
    }
    return {};
}

// "Play": the entry recorded in the player-list file, then the race screen set up from it.
#include <array>

#include "app/forms.h"
#include "app/program.h"
#include "files/player_list_file.h"

namespace entry {

namespace {

// The labels of lane 1..4 in the order they are made visible
constexpr std::array<std::array<race::RaceLabel, 3>, 4> kLaneLabelsInShowingOrder{{
    {race::Label5, race::Label2, race::Label1},
    {race::Label3, race::Label4, race::Label6},
    {race::Label8, race::Label7, race::Label9},
    {race::Label11, race::Label10, race::Label12},
}};

}  // namespace

void sayNobodyPlays(ui::Stage& stage)
{
    stage.msgBox(QStringLiteral("Sorry, I'm afraid you have to have at least one person playing."),
                 QStringLiteral("Tapdash Message"));
}

void Form2::Command1_Click()
{
    files::PlayerList rows;
    for (int player = 1; player <= 4; ++player)
        rows[player - 1] = {nameBox(player)->Text(), Label11(player)->Caption()};
    // Without the file "Same Players" would later start some other race, so none starts now.
    if (const auto failure = files::writePlayerList(QStringLiteral("temp.tmp"), files::playerListFromEntry(rows))) {
        stage().msgBox(QStringLiteral("The player list could not be saved to %1.").arg(*failure), kProgramTitle);
        return;
    }

    int playerCount = 0;
    race::Form1& race = forms().Form1;
    race.load();
    for (const race::Lane& lane : race::kLanes) {
        if (check(lane.number)->Value() != 1) continue;
        ++playerCount;
        race.label(lane.nameLabel)->setCaption(nameBox(lane.number)->Text());
        for (race::RaceLabel label : kLaneLabelsInShowingOrder[lane.number - 1]) race.label(label)->setVisible(true);
        race.Picture1(lane.number)->setVisible(true);
    }

    if (playerCount == 0) {
        race.unload();
        sayNobodyPlays(stage());
        return;
    }

    race.Label13->setCaption(QString::number(playerCount));
    race.show();
    for (int player = 1; player <= 4; ++player)
        if (check(player)->Value() == 1)
            race.giveRunnerStrip(player, Label11(player)->Caption(), nameBox(player)->Text());
    // After any runner message: the countdown's first second starts once the set-up is over
    race.startCountdown();
    hide();
}

}  // namespace entry

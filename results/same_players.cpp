// "Same Players": the race screen set up again from the player-list file the last "Play" wrote.
#include "app/forms.h"
#include "files/player_list_file.h"
#include "race/rules/caption_number.h"

namespace results {

void Form3::Command3_Click()
{
    race::Form1& raceScreen = forms().Form1;
    raceScreen.unload();
    forms().Form2.load();

    // A missing or short file reads as players with empty names, who do not run. A name comes
    // back as a name box would hold it.
    const files::PlayerList players = files::readPlayerList(QStringLiteral("temp.tmp"));
    for (const race::Lane& lane : race::kLanes) {
        NameField = ui::TextBox::fitted(players[lane.number - 1].name, entry::kNameLength);
        FileField = players[lane.number - 1].runnerFile;
        if (NameField.isEmpty()) continue;
        raceScreen.giveRunnerStrip(lane.number, FileField, NameField);
        raceScreen.label(lane.nameLabel)->setCaption(NameField);
        raceScreen.label(lane.counterLabel)->setVisible(true);
        raceScreen.label(lane.nameLabel)->setVisible(true);
        raceScreen.label(lane.keyLabel)->setVisible(true);
        const auto runners = static_cast<long long>(race::captionNumber(raceScreen.Label13->Caption().toStdString()));
        raceScreen.Label13->setCaption(QString::fromStdString(race::numberCaption(runners + 1)));
        raceScreen.Picture1(lane.number)->setVisible(true);
    }

    // The race logic needs a runner: with nobody left, back to the entry screen instead.
    if (raceScreen.Label13->Caption() == QLatin1String("0")) {
        entry::sayNobodyPlays(stage());
        raceScreen.unload();
        forms().Form2.show();
        unload();
        return;
    }

    raceScreen.show();
    raceScreen.startCountdown();
    unload();
}

}  // namespace results

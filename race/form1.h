#pragma once
// The race screen: the race logic of RaceEngine wired to real controls, keys and timers.
#include "app/screen.h"
#include "pads/pads.h"
#include "race/rules/race_engine.h"
#include "race/rules/race_screen.h"
#include "ui/design.h"

namespace race {

class Form1 : public Screen, private RaceScreen {
public:
    explicit Form1(Forms&);

    ui::Ref<ui::PictureBox> Picture2{this};
    ui::Array<ui::PictureClip> PictureClip1{this};
    ui::Array<ui::PictureBox> Picture1{this};
    ui::Ref<ui::TextBox> Text2{this}, Text1{this};
    ui::Ref<ui::Timer> Timer2{this}, Timer1{this};
    ui::Ref<ui::Line> Line5{this}, Line4{this}, Line3{this}, Line2{this}, Line1{this};
    ui::Ref<ui::Label> Label17{this};
    ui::Array<ui::Shape> Shape2{this};
    ui::Ref<ui::Shape> Shape1{this};
    ui::Ref<ui::Label> Label16{this}, Label15{this}, Label13{this}, Label12{this}, Label11{this}, Label10{this},
        Label9{this}, Label8{this}, Label7{this}, Label6{this}, Label5{this}, Label4{this}, Label3{this},
        Label2{this}, Label1{this};

    // The screen's variables LaneStep, LanePlace, FinishCount and ClockTicks live in here.
    RaceEngine engine{*this};

    // A label by the number in its name, for code that walks the lanes
    ui::Ref<ui::Label>& label(RaceLabel);

    // Gives PictureClip1(lane) the runner strip of a player's runner file: "None" is the default
    // strip of Picture2. A file that cannot be used is reported, naming the player and the file,
    // and the player runs with the default strip.
    void giveRunnerStrip(int lane, const QString& runnerFile, const QString& playerName);
    // Once the running lanes have their strips and the screen is shown: each running lane shows
    // its runner's first frame, and the countdown starts.
    void startCountdown();
    // A press on pad n, the pad of lane n's player, while the race screen is shown
    void padPressed(int pad, pads::Button);

protected:
    void design(ui::Design&) override;
    void Form_Load() override { engine.Form_Load(); }
    void Form_KeyDown(int& KeyCode, int Shift) override { engine.Form_KeyDown(KeyCode, Shift); }
    void onCloseButton() override;

private:
    // RaceScreen
    std::string caption(RaceLabel) override;
    void setCaption(RaceLabel, const std::string&) override;
    bool isVisible(RaceLabel) override;
    float runnerLeft(int lane) override;
    void setRunnerLeft(int lane, float left) override;
    void showRunnerCell(int lane, int cell) override;
    void setClipColumns(int lane, int columns) override;
    void setTimerEnabled(RaceTimer, bool enabled) override;
    void loadBackground(const std::string& fileName) override;
    void messageBox(const std::string& text) override;
    bool stillOpen() override;
    void createResultLabel(ResultColumn, int n) override;
    void setResultCaption(ResultColumn, int n, const std::string&) override;
    float resultTop(ResultColumn, int n) override;
    void setResultTop(ResultColumn, int n, float top) override;
    void makeResultVisible(ResultColumn, int n) override;
    void showResults() override;
    void updateBestTime() override;
    void closeRaceScreen() override;
};

}  // namespace race

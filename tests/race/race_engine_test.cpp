// The race rules on a recorded race screen, without a toolkit: the fixture is the screen. It holds
// what the rules read under its design name ("Label15.Caption", "Picture1(2).Left",
// "Form3.Label7(1).Top") and logs every write as "name = value" and every other call by name.
// Reading what the screen does not hold (std::out_of_range), any use once it is closed, or making
// a result row twice throws.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "race/rules/caption_number.h"
#include "race/rules/race_engine.h"

using namespace race;
using Log = std::vector<std::string>;

namespace {

std::string name(const std::string& array, int n) { return array + "(" + std::to_string(n) + ")"; }
std::string name(RaceLabel label) { return "Label" + std::to_string(int(label)); }
std::string name(ResultColumn column, int n) { return name("Form3.Label" + std::to_string(std::array{1, 6, 7}[column]), n); }

const int Keys[4][2] = {{'P', 'O'}, {'W', 'Q'}, {'V', 'B'}, {45, 46}};  // lane 4: Insert, Delete

class Race : public testing::Test, public RaceScreen {
protected:
    std::map<std::string, std::string> state;
    Log log;
    bool closed = false;
    std::function<void()> meanwhile;  // the next stillOpen() runs it first, as an event handled between ticks
    RaceEngine engine{*this};

    // The race screen loaded as designed, with Ann in the one lane the race set-up names and shows
    void open(int running)
    {
        state = {{"Label13.Caption", "1"}, {"Label15.Caption", "5"}, {"Label16.Caption", "0"}};
        for (const Lane& lane : kLanes) {
            const bool runs = lane.number == running;
            state.insert({{name(lane.counterLabel) + ".Caption", "0"}, {name("Picture1", lane.number) + ".Left", "144"},
                          {name(lane.nameLabel) + ".Caption", runs ? "Ann" : "nobody"},
                          {name(lane.nameLabel) + ".Visible", runs ? "True" : "False"}});
        }
        for (ResultColumn column : {ResultName, ResultPlace, ResultTime}) state[name(column, 0) + ".Top"] = "3360";
    }
    // Loaded and named as the race set-up leaves it, then the countdown's first ticks
    void startRace(int lane, int countdownTicks = 5) { open(lane), engine.Form_Load(), countDown(countdownTicks); }
    int press(int keyCode) { engine.Form_KeyDown(keyCode, 0); return keyCode; }  // KeyCode as it comes back
    void run(int lane, int presses) { while (presses-- > 0) press(Keys[lane - 1][engine.laneStep(lane) - 1]); }
    void countDown(int ticks) { while (ticks-- > 0) engine.Timer1_Timer(); }
    void tick(int ticks) { while (ticks-- > 0) engine.Timer2_Timer(); }
    // What the steps logged
    Log during(const std::function<void()>& steps) { const size_t mark = log.size(); steps(); return Log(log.begin() + mark, log.end()); }

    std::string caption(RaceLabel label) override { return at(name(label) + ".Caption"); }
    void setCaption(RaceLabel label, const std::string& s) override { set(name(label) + ".Caption", s); }
    bool isVisible(RaceLabel label) override { return at(name(label) + ".Visible") == "True"; }
    float runnerLeft(int lane) override { return std::stof(at(name("Picture1", lane) + ".Left")); }
    void setRunnerLeft(int lane, float left) override { set(name("Picture1", lane) + ".Left", number(left)); }
    void showRunnerCell(int lane, int cell) override { set(name("Picture1", lane) + ".Cell", std::to_string(cell)); }
    void setClipColumns(int lane, int n) override { set(name("PictureClip1", lane) + ".Cols", std::to_string(n)); }
    void setTimerEnabled(RaceTimer timer, bool on) override { set("Timer" + std::to_string(timer) + ".Enabled", on ? "True" : "False"); }
    void loadBackground(const std::string& fileName) override { set("Form1.Picture", fileName); }
    void messageBox(const std::string& text) override { record("MsgBox " + text); }
    bool stillOpen() override { record("StillOpen"); if (meanwhile) std::exchange(meanwhile, {})(); return !closed; }
    void createResultLabel(ResultColumn column, int n) override  // a copy of element 0
    {
        record("Load " + name(column, n));
        if (!state.insert({name(column, n) + ".Top", at(name(column, 0) + ".Top")}).second) throw std::logic_error("made twice");
    }
    void setResultCaption(ResultColumn column, int n, const std::string& s) override { set(name(column, n) + ".Caption", s); }
    float resultTop(ResultColumn column, int n) override { return std::stof(at(name(column, n) + ".Top")); }
    void setResultTop(ResultColumn column, int n, float top) override { set(name(column, n) + ".Top", number(top)); }
    void makeResultVisible(ResultColumn column, int n) override { set(name(column, n) + ".Visible", "True"); }
    void showResults() override { record("Form3.Show"); }
    void updateBestTime() override { record("UpdateBestTime"); }
    void closeRaceScreen() override { record("Unload Form1"), closed = true; }

private:
    static std::string number(float value) { return (std::ostringstream() << value).str(); }
    std::string& at(const std::string& property) { return closed ? throw std::logic_error(property + " after closing") : state.at(property); }
    void set(const std::string& property, const std::string& value) { record(property + " = " + value), state[property] = value; }
    void record(const std::string& call) { closed ? throw std::logic_error(call + " after closing") : log.push_back(call); }
};

// Keys of hidden lanes, other keys, the second key out of turn and a repeated key do nothing.
TEST_F(Race, EachLaneTakesItsTwoKeysInTurnAndOnlyWhenItRuns)
{
    for (int lane = 1; lane <= 4; ++lane) {
        startRace(lane);
        const auto [first, second] = Keys[lane - 1];
        std::vector<int> keys{65, 13, 96, second};  // A, Enter, keypad 0 with Num Lock on
        for (int hidden = 1; hidden <= 4; ++hidden)
            if (hidden != lane) keys.insert(keys.end(), Keys[hidden - 1], Keys[hidden]);
        keys.insert(keys.end(), {first, first, second, first});
        Log moves;
        for (int n = 1; n <= 3; ++n)
            moves.insert(moves.end(), {name("Picture1", lane) + ".Cell = " + std::to_string(1 - n % 2),
                                       name("Picture1", lane) + ".Left = " + std::to_string(144 + 4 * n),
                                       name(kLanes[lane - 1].counterLabel) + ".Caption = " + std::to_string(n)});
        EXPECT_EQ(during([&] { for (int key : keys) press(key); }), moves) << "lane " << lane;
    }
}

TEST_F(Race, AnyKeyDuringTheCountdownIsAFalseStartThenTheClockShowsTicksInTenths)
{
    startRace(1, 1);
    for (int key : {'P', 'Z'})  // the player's expected key during "4", any key during "1"
        EXPECT_EQ(during([&] { EXPECT_EQ(press(key), 0); countDown(4); }),
                  (Log{"Label15.Caption = 5", "Timer2.Enabled = False", "Label16.Caption = 0", "MsgBox Oi don't cheat",
                       "Timer1.Enabled = False", "Timer1.Enabled = True", "Label15.Caption = 4", "Label15.Caption = 3",
                       "Label15.Caption = 2", "Label15.Caption = 1"}));
    EXPECT_EQ(during([&] { countDown(1), tick(1); }), (Log{"Label15.Caption = 0", "Timer1.Enabled = False",
                                                           "Timer2.Enabled = True", "StillOpen", "Label16.Caption = 0.1"}));
}

// Loading cuts every lane's strip into its two frames. The hundredth press, here taken between two
// clock ticks: the lane's row is made, the last finish ends the race, the clock keeps the
// finishing time and the tick leaves the closed screen.
TEST_F(Race, LoadSetsTheLanesUpAndTheHundredthPressOfTheLastLaneEndsTheRace)
{
    open(1);
    EXPECT_EQ(during([&] { engine.Form_Load(); }), (Log{"PictureClip1(1).Cols = 2", "PictureClip1(2).Cols = 2", "PictureClip1(3).Cols = 2",
                                                         "PictureClip1(4).Cols = 2", "Form1.Picture = back.bmp"}));
    countDown(5);
    tick(5);
    run(1, 99);
    meanwhile = [&] { press('O'); };
    EXPECT_EQ(during([&] { engine.Timer2_Timer(); }),
              (Log{"StillOpen", "Picture1(1).Cell = 1", "Picture1(1).Left = 544", "Label1.Caption = 100",
                   "Load Form3.Label1(1)", "Load Form3.Label6(1)", "Load Form3.Label7(1)",
                   "Form3.Label1(1).Caption = Ann", "Form3.Label6(1).Caption = 1", "Form3.Label7(1).Caption = 0.5",
                   "Form3.Label1(1).Top = 3660", "Form3.Label6(1).Top = 3660", "Form3.Label7(1).Top = 3660",
                   "Form3.Label1(1).Visible = True", "Form3.Label6(1).Visible = True", "Form3.Label7(1).Visible = True",
                   "Timer2.Enabled = False", "MsgBox The race is over", "Form3.Show", "UpdateBestTime", "Unload Form1"}));
}

TEST(CaptionNumber, ReadsDecimalTextOnly)
{
    for (const char* text : {"5", " 42 ", "-3", "+2", ".5"}) EXPECT_TRUE(parseNumber(text)) << text;
    EXPECT_EQ(parseNumber("15.3"), 15.3);
    for (const char* text : {"", "nobody", "1,5", "5 5", "-", ".", "1e3"}) EXPECT_FALSE(parseNumber(text)) << text;
    EXPECT_EQ(captionNumber("nobody"), 0);
}

}  // namespace

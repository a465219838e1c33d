#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "race/rules/caption_number.h"
#include "race/rules/race_engine.h"
#include "recorded_screen.h"

using namespace race;
using Log = std::vector<std::string>;

namespace {

const char* const Names[] = {"Ann", "Bob", "Cy", "Di"};
const int Keys[4][2] = {{'P', 'O'}, {'W', 'Q'}, {'V', 'B'}, {45, 46}};  // lane 4: Insert, Delete

class Race : public testing::Test {
protected:
    Race() { screen.keyTarget = &engine; }

    // A freshly loaded race screen as the race set-up leaves it, then the countdown's first ticks.
    void startRace(const std::vector<int>& lanes, int countdownTicks = 5)
    {
        screen.loadDesign();
        engine.Form_Load();
        for (int lane : lanes) {
            state(labelName(kLanes[lane - 1].nameLabel) + ".Caption") = Names[lane - 1];
            state(labelName(kLanes[lane - 1].nameLabel) + ".Visible") = "True";
        }
        state("Label13.Caption") = std::to_string(lanes.size());
        state("Timer1.Enabled") = "True";
        countDown(countdownTicks);
    }
    int press(int keyCode) { engine.Form_KeyDown(keyCode, 0); return keyCode; }  // KeyCode as it comes back
    void run(int lane, int presses) { while (presses-- > 0) press(Keys[lane - 1][engine.laneStep(lane) - 1]); }
    void countDown(int ticks) { while (ticks-- > 0) engine.Timer1_Timer(); }
    void tick(int ticks) { while (ticks-- > 0) engine.Timer2_Timer(); }
    Log since(size_t mark) const { return Log(screen.log.begin() + mark, screen.log.end()); }
    std::string& state(const std::string& property) { return screen.state.at(property); }
    std::string row(int n)  // "place name time"
    {
        const std::string caption = "(" + std::to_string(n) + ").Caption";
        return state("Form3.Label6" + caption) + " " + state("Form3.Label1" + caption) + " "
               + state("Form3.Label7" + caption);
    }

    RecordedScreen screen;
    RaceEngine engine{screen};
};

TEST_F(Race, EachLaneTakesItsTwoKeysInTurnAndOnlyWhenItRuns)
{
    for (int lane = 1; lane <= 4; ++lane) {
        startRace({lane});
        const auto [first, second] = Keys[lane - 1];
        const size_t mark = screen.log.size();
        for (int hidden = 1; hidden <= 4; ++hidden)
            if (hidden != lane) for (int key : Keys[hidden - 1]) press(key);
        for (int key : {65, 13, 96, second}) press(key);  // A, Enter, keypad 0 with Num Lock on, out of turn
        EXPECT_EQ(since(mark), Log{}) << "lane " << lane;
        for (int key : {first, first, second, first}) press(key);  // the repeat does nothing

        const std::string runner = "Picture1(" + std::to_string(lane) + ").";
        Log moves;
        for (int n = 1; n <= 3; ++n)
            moves.insert(moves.end(), {runner + "Cell = " + std::to_string(1 - n % 2),
                                       runner + "Left = " + std::to_string(144 + 4 * n),
                                       labelName(kLanes[lane - 1].counterLabel) + ".Caption = " + std::to_string(n)});
        EXPECT_EQ(since(mark), moves);
    }
}

TEST_F(Race, AnyKeyDuringTheCountdownIsAFalseStartThenTheClockShowsTicksInTenths)
{
    const Log falseStartThenFourTicks{
        "Label15.Caption = 5",    "Timer2.Enabled = False", "Label16.Caption = 0", "MsgBox Oi don't cheat",
        "Timer1.Enabled = False", "Timer1.Enabled = True",  "Label15.Caption = 4", "Label15.Caption = 3",
        "Label15.Caption = 2",    "Label15.Caption = 1"};
    startRace({1}, 1);
    for (int key : {'P', 'Z'}) {  // the player's expected key during "4", any key during "1"
        const size_t mark = screen.log.size();
        EXPECT_EQ(press(key), 0);
        countDown(4);
        EXPECT_EQ(since(mark), falseStartThenFourTicks);
    }
    size_t mark = screen.log.size();
    countDown(1);
    tick(1);
    EXPECT_EQ(since(mark), (Log{"Label15.Caption = 0", "Timer1.Enabled = False", "Timer2.Enabled = True", "DoEvents",
                                "Label16.Caption = 0.1"}));
    for (const auto& [ticks, shown] : {std::pair{9, "1"}, {143, "15.3"}, {847, "100"}}) {
        tick(ticks);
        EXPECT_EQ(state("Label16.Caption"), shown);
    }
}

TEST_F(Race, HundredthPressFinishesTheLaneWithPlaceAndClockTime)
{
    startRace({1, 2, 3});
    tick(153);
    run(2, 99);
    size_t mark = screen.log.size();
    run(2, 1);
    EXPECT_EQ(since(mark),
              (Log{"Picture1(2).Cell = 1", "Picture1(2).Left = 544", "Label4.Caption = 100",
                   "Load Form3.Label1(1)", "Load Form3.Label6(1)", "Load Form3.Label7(1)",
                   "Form3.Label1(1).Caption = Bob", "Form3.Label6(1).Caption = 1", "Form3.Label7(1).Caption = 15.3",
                   "Form3.Label1(1).Top = 3660", "Form3.Label6(1).Top = 3660", "Form3.Label7(1).Top = 3660",
                   "Form3.Label1(1).Visible = True", "Form3.Label6(1).Visible = True", "Form3.Label7(1).Visible = True"}));
    mark = screen.log.size();
    for (int key : {'W', 'Q'}) press(key);
    EXPECT_EQ(since(mark), Log{}) << "a finished lane takes no more keys";

    tick(7);
    run(1, 100);
    EXPECT_EQ(row(2), "2 Ann 16");
    EXPECT_EQ(state("Form3.Label7(2).Top"), "3960");
}

TEST_F(Race, RaceEndsWithOneAndWithFourPlayersEachLoadedAfresh)
{
    const Log over{"Timer2.Enabled = False", "MsgBox The race is over", "Form3.Show", "UpdateBestTime", "Unload Form1"};
    startRace({3});
    tick(42);
    run(3, 100);
    EXPECT_EQ(Log(screen.log.end() - 5, screen.log.end()), over);
    EXPECT_EQ(state("Label16.Caption"), "4.2") << "the clock keeps its last time";

    const size_t mark = screen.log.size();
    startRace({1, 2, 3, 4});
    EXPECT_EQ(Log(screen.log.begin() + mark, screen.log.begin() + mark + 5),
              (Log{"PictureClip1(1).Cols = 2", "PictureClip1(2).Cols = 2", "PictureClip1(3).Cols = 2",
                   "PictureClip1(4).Cols = 2", "Form1.Picture = back.bmp"}));
    EXPECT_EQ(engine.lanePlace(3), 0);
    for (int lane : {4, 2, 1, 3}) {
        EXPECT_FALSE(screen.closed);
        tick(10);
        run(lane, 100);
    }
    EXPECT_EQ(Log(screen.log.end() - 5, screen.log.end()), over);
    EXPECT_EQ(std::count(screen.log.begin(), screen.log.end(), "UpdateBestTime"), 2);
    EXPECT_EQ((Log{row(1), row(2), row(3), row(4)}), (Log{"1 Di 1", "2 Bob 2", "3 Ann 3", "4 Cy 4"}));
    EXPECT_EQ(state("Form3.Label7(4).Top"), "4560");
}

TEST_F(Race, FinishDuringAClockTicksYieldEndsTheTickThere)
{
    startRace({1});
    tick(5);
    run(1, 99);
    screen.keysForNextYield.push_back('O');  // the hundredth press
    engine.Timer2_Timer();
    EXPECT_TRUE(screen.closed);
    EXPECT_EQ(screen.log.back(), "Unload Form1") << "nothing written after the screen closed";
    EXPECT_EQ(row(1), "1 Ann 0.5");
}

TEST(CaptionNumber, ReadsDecimalTextOnly)
{
    for (const char* text : {"5", " 42 ", "-3", "+2", ".5"}) EXPECT_TRUE(parseNumber(text)) << text;
    EXPECT_EQ(parseNumber("15.3"), 15.3);
    for (const char* text : {"", "nobody", "1,5", "5 5", "-", ".", "1e3"}) EXPECT_FALSE(parseNumber(text)) << text;
    EXPECT_EQ(captionNumber("nobody"), 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "race/caption_number.h"
#include "race/race_engine.h"
#include "tests/race/recorded_screen.h"

using namespace race;
using Log = std::vector<std::string>;

namespace {

const char* const Names[] = {"Ann", "Bob", "Cy", "Di"};

class Race : public testing::Test {
protected:
    Race() { screen.keyTarget = &engine; }

    // A freshly loaded race screen set up for the given lanes, its countdown run down to "0".
    void startRace(std::vector<int> lanes)
    {
        setUpRace(lanes);
        for (int tick = 0; tick < 5; ++tick) engine.Timer1_Timer();
    }
    // The race set-up's part: names and labels of the taking lanes, the player count, Timer1 on.
    void setUpRace(std::vector<int> lanes)
    {
        engine.Form_Load();
        for (int n : lanes) {
            const Lane& lane = Lanes[n - 1];
            screen.captions[lane.nameLabel] = Names[n - 1];
            screen.visibleLabels.insert({lane.keyLabel, lane.nameLabel, lane.counterLabel});
        }
        screen.captions[Label13] = std::to_string(lanes.size());
        screen.timerEnabled[Timer1] = true;
    }
    int press(int key)
    {
        int keyCode = key;
        engine.Form_KeyDown(keyCode, 0);
        return keyCode;
    }
    int expectedKey(int lane) const
    {
        return engine.laneStep(lane) == 1 ? Lanes[lane - 1].firstKey : Lanes[lane - 1].secondKey;
    }
    void run(int lane, int presses)
    {
        for (int i = 0; i < presses; ++i) press(expectedKey(lane));
    }
    void tickClock(int ticks)
    {
        for (int i = 0; i < ticks; ++i) engine.Timer2_Timer();
    }
    Log logSince(size_t mark) const { return Log(screen.log.begin() + mark, screen.log.end()); }
    std::string counter(int lane) const { return screen.captions.at(Lanes[lane - 1].counterLabel); }
    const RecordedScreen::ResultLabel& result(ResultColumn column, int n) const
    {
        return screen.resultLabels.at({column, n});
    }
    // "place name time" of result row n
    std::string row(int n) const
    {
        return result(ResultPlace, n).caption + " " + result(ResultName, n).caption + " " +
               result(ResultTime, n).caption;
    }

    RecordedScreen screen;
    RaceEngine engine{screen};
};

TEST_F(Race, EachLaneTakesItsTwoKeysAlternately)
{
    startRace({1, 2, 3, 4});
    const int keys[4][2] = {{80, 79}, {87, 81}, {86, 66}, {45, 46}};
    for (int lane = 1; lane <= 4; ++lane) {
        const auto& runner = screen.runners.at(lane);
        const auto [first, second] = keys[lane - 1];
        press(second);  // out of turn
        EXPECT_EQ(runner.left, 144);
        EXPECT_EQ(counter(lane), "0");
        press(first);
        EXPECT_EQ(runner.cell, 0);
        press(first);  // repeated or held: no move
        EXPECT_EQ(runner.left, 148);
        press(second);
        EXPECT_EQ(runner.cell, 1);
        press(first);
        EXPECT_EQ(runner.cell, 0);
        EXPECT_EQ(runner.left, 156) << "lane " << lane;
        EXPECT_EQ(counter(lane), "3");
        EXPECT_EQ(engine.laneStep(lane), 2);
    }
}

TEST_F(Race, KeysOfHiddenLanesAndOtherKeysChangeNothing)
{
    startRace({2});
    const size_t mark = screen.log.size();
    // The expected keys of hidden lanes 1, 3 and 4; A, Enter, and keypad 0 with Num Lock on.
    for (int key : {80, 86, 45, 65, 13, 96}) press(key);
    EXPECT_EQ(logSince(mark), Log{});
    for (int lane : {1, 3, 4}) EXPECT_EQ(engine.laneStep(lane), 1);
}

TEST_F(Race, AnyKeyDuringTheCountdownIsAFalseStart)
{
    setUpRace({1});
    engine.Timer1_Timer();
    const size_t mark = screen.log.size();
    EXPECT_EQ(press('P'), 0) << "the player's expected key is consumed";
    EXPECT_EQ(logSince(mark), (Log{R"(Label15.Caption = "5")", "Timer2.Enabled = False", R"(Label16.Caption = "0")",
                                   R"(MsgBox "Oi don't cheat")", "Timer1.Enabled = False", "Timer1.Enabled = True"}));
    EXPECT_EQ(engine.laneStep(1), 1);

    for (int tick = 0; tick < 4; ++tick) engine.Timer1_Timer();
    EXPECT_EQ(screen.captions.at(Label15), "1");
    EXPECT_EQ(press('Z'), 0);
    for (int tick = 0; tick < 4; ++tick) engine.Timer1_Timer();
    EXPECT_FALSE(screen.timerEnabled.at(Timer2)) << "five more ticks are needed";
    engine.Timer1_Timer();
    EXPECT_TRUE(screen.timerEnabled.at(Timer2));
    EXPECT_EQ(screen.messages, Log(2, "Oi don't cheat"));
    EXPECT_EQ(screen.runners.at(1).left, 144);
}

TEST_F(Race, CountdownStartsTheClockWhichShowsTicksInTenths)
{
    setUpRace({1});
    for (const char* shown : {"4", "3", "2", "1"}) {
        engine.Timer1_Timer();
        EXPECT_EQ(screen.captions.at(Label15), shown);
        EXPECT_TRUE(screen.timerEnabled.at(Timer1));
        EXPECT_FALSE(screen.timerEnabled.at(Timer2));
    }
    const size_t mark = screen.log.size();
    engine.Timer1_Timer();
    EXPECT_EQ(logSince(mark), (Log{R"(Label15.Caption = "0")", "Timer1.Enabled = False", "Timer2.Enabled = True"}));
    EXPECT_EQ(engine.clockTicks(), 0);
    EXPECT_EQ(screen.captions.at(Label16), "0");

    const size_t tickMark = screen.log.size();
    tickClock(1);
    EXPECT_EQ(logSince(tickMark), (Log{"DoEvents", R"(Label16.Caption = "0.1")"}));
    tickClock(9);
    EXPECT_EQ(screen.captions.at(Label16), "1");
    tickClock(143);
    EXPECT_EQ(screen.captions.at(Label16), "15.3");
    tickClock(847);
    EXPECT_EQ(screen.captions.at(Label16), "100");
}

TEST_F(Race, HundredthPressFinishesTheLaneWithPlaceAndClockTime)
{
    startRace({1, 2, 3});
    tickClock(153);
    run(2, 99);
    const size_t mark = screen.log.size();
    run(2, 1);
    EXPECT_EQ(logSince(mark),
              (Log{"Picture1(2).Picture = PictureClip1(2).GraphicCell(1)", "Picture1(2).Left = 544",
                   R"(Label4.Caption = "100")", "Load Form3.Label1(1)", "Load Form3.Label6(1)",
                   "Load Form3.Label7(1)", R"(Form3.Label1(1).Caption = "Bob")",
                   R"(Form3.Label6(1).Caption = "1")", R"(Form3.Label7(1).Caption = "15.3")",
                   "Form3.Label1(1).Top = 3660", "Form3.Label6(1).Top = 3660", "Form3.Label7(1).Top = 3660",
                   "Form3.Label1(1).Visible = True", "Form3.Label6(1).Visible = True",
                   "Form3.Label7(1).Visible = True"}));
    EXPECT_EQ(engine.laneStep(2), 4);
    EXPECT_EQ(engine.lanePlace(2), 1);

    const size_t finishedMark = screen.log.size();
    press('W');
    press('Q');
    EXPECT_EQ(logSince(finishedMark), Log{}) << "a finished lane takes no more keys";

    tickClock(7);
    run(1, 100);
    EXPECT_EQ(row(2), "2 Ann 16");
    for (ResultColumn column : {ResultName, ResultPlace, ResultTime}) EXPECT_EQ(result(column, 2).top, 3960);
    EXPECT_EQ(engine.finishCount(), 2);
    EXPECT_FALSE(screen.resultsShown) << "lane 3 still runs";
    EXPECT_TRUE(screen.timerEnabled.at(Timer2));
}

TEST_F(Race, RaceEndsWithTheLastRunner)
{
    startRace({3});
    tickClock(42);
    run(3, 100);
    const Log last(screen.log.end() - 5, screen.log.end());
    EXPECT_EQ(last, (Log{"Timer2.Enabled = False", R"(MsgBox "The race is over")", "Form3.Show", "UpdateBestTime",
                         "Unload Form1"}));
    EXPECT_EQ(screen.messages, Log{"The race is over"});
    EXPECT_EQ(screen.bestTimeUpdates, 1);
    EXPECT_EQ(screen.captions.at(Label16), "4.2") << "the clock keeps its last time";
}

TEST_F(Race, FourPlayersAreRankedInFinishingOrder)
{
    startRace({1, 2, 3, 4});
    for (int lane : {4, 2, 1}) {
        tickClock(10);
        run(lane, 100);
    }
    EXPECT_FALSE(screen.closed);
    tickClock(10);
    run(3, 100);
    EXPECT_TRUE(screen.closed);
    EXPECT_EQ(row(1), "1 Di 1");
    EXPECT_EQ(row(2), "2 Bob 2");
    EXPECT_EQ(row(3), "3 Ann 3");
    EXPECT_EQ(row(4), "4 Cy 4");
    EXPECT_EQ(result(ResultTime, 4).top, 4560);
    EXPECT_TRUE(result(ResultTime, 4).visible);
    EXPECT_EQ(engine.lanePlace(3), 4);
}

TEST_F(Race, FinishDuringAClockTicksYieldEndsTheTickThere)
{
    startRace({1});
    tickClock(5);
    run(1, 99);
    screen.keysForNextYield.push_back(expectedKey(1));  // the hundredth press
    engine.Timer2_Timer();
    EXPECT_TRUE(screen.closed);
    EXPECT_EQ(screen.log.back(), "Unload Form1") << "nothing written after the screen closed";
    EXPECT_EQ(engine.clockTicks(), 5);
    EXPECT_EQ(screen.captions.at(Label16), "0.5");
    EXPECT_EQ(row(1), "1 Ann 0.5");
}

TEST_F(Race, LoadStartsEveryRaceAfresh)
{
    startRace({2});
    tickClock(20);
    run(2, 100);
    ASSERT_TRUE(screen.closed);

    screen.loadDesign();
    const size_t mark = screen.log.size();
    engine.Form_Load();
    EXPECT_EQ(logSince(mark), (Log{"PictureClip1(1).Cols = 2", "PictureClip1(2).Cols = 2", "PictureClip1(3).Cols = 2",
                                   "PictureClip1(4).Cols = 2", R"(Form1.Picture = LoadPicture("back.bmp"))"}));
    for (int lane = 1; lane <= 4; ++lane) {
        EXPECT_EQ(engine.laneStep(lane), 1);
        EXPECT_EQ(engine.lanePlace(lane), 0);
    }
    EXPECT_EQ(engine.finishCount(), 0);

    startRace({2});
    EXPECT_EQ(engine.clockTicks(), 0);
    run(2, 100);
    EXPECT_EQ(row(1), "1 Bob 0");
}

TEST(CaptionNumber, ReadsDecimalTextAndWritesTheShortest)
{
    for (const char* text : {"5", " 42 ", "-3", "+2", "15.3", ".5"}) EXPECT_TRUE(parseNumber(text)) << text;
    EXPECT_EQ(parseNumber("15.3"), 15.3);
    for (const char* text : {"", "nobody", "1,5", "5 5", "-", ".", "1e3"}) EXPECT_FALSE(parseNumber(text)) << text;
    EXPECT_EQ(captionNumber("nobody"), 0);
    EXPECT_EQ(numberCaption(100), "100");
    const std::pair<long long, const char*> clock[] = {{0, "0"}, {1, "0.1"}, {10, "1"}, {153, "15.3"}, {1000, "100"}};
    for (const auto& [ticks, shown] : clock) EXPECT_EQ(clockCaption(ticks), shown);
}

}  // namespace

// The race rules on a race screen without a toolkit. Every property lives in `state` under its
// design name ("Label15.Caption", "Picture1(2).Left", "Form3.Label7(1).Top"); every change and
// action is logged in order as "name = value" or the action's name. Using the screen once it is
// closed, or a control that does not exist, throws, as does creating a result row twice.
#include <gtest/gtest.h>

#include <algorithm>
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

std::string indexed(const std::string& array, int n) { return array + "(" + std::to_string(n) + ")"; }
std::string labelName(RaceLabel label) { return "Label" + std::to_string(static_cast<int>(label)); }
std::string picture(int lane) { return indexed("Picture1", lane); }
std::string result(ResultColumn column, int n)
{
    return indexed("Form3.Label" + std::to_string(std::array{1, 6, 7}[column]), n);
}
std::string number(float value) { return (std::ostringstream() << value).str(); }

class RecordedScreen : public RaceScreen {
public:
    RecordedScreen() { loadDesign(); }

    // Both screens back to their design, with only the properties the race rules use; the race
    // screen open, the log kept
    void loadDesign()
    {
        closed = false;
        state = {{"Label13.Caption", "0"}, {"Label15.Caption", "5"}, {"Label16.Caption", "0"},
                 {"Timer1.Enabled", "False"}, {"Timer2.Enabled", "False"}, {"Form1.Picture", ""}};
        for (const Lane& lane : kLanes) {
            state[labelName(lane.counterLabel) + ".Caption"] = "0";
            state[labelName(lane.nameLabel) + ".Caption"] = "nobody";
            state[labelName(lane.nameLabel) + ".Visible"] = "False";
            state[picture(lane.number) + ".Left"] = "144";
            state[picture(lane.number) + ".Cell"] = "";  // none until a key moves it
            state[indexed("PictureClip1", lane.number) + ".Cols"] = "1";
        }
        for (ResultColumn column : {ResultName, ResultPlace, ResultTime})
            for (const auto& [property, value] : {std::pair{".Caption", ""}, {".Top", "3360"}, {".Visible", "False"}})
                state[result(column, 0) + property] = value;
    }

    std::map<std::string, std::string> state;
    Log log;
    bool closed = false;
    // Key codes that the next yield() hands to keyTarget's Form_KeyDown, as if they were pending.
    std::vector<int> keysForNextYield;
    RaceEngine* keyTarget = nullptr;

    std::string caption(RaceLabel label) override { return at(labelName(label) + ".Caption"); }
    void setCaption(RaceLabel label, const std::string& s) override { set(labelName(label) + ".Caption", s); }
    bool isVisible(RaceLabel label) override { return at(labelName(label) + ".Visible") == "True"; }
    float runnerLeft(int lane) override { return std::stof(at(picture(lane) + ".Left")); }
    void setRunnerLeft(int lane, float left) override { set(picture(lane) + ".Left", number(left)); }
    void showRunnerCell(int lane, int cell) override { set(picture(lane) + ".Cell", std::to_string(cell)); }
    void setClipColumns(int lane, int n) override { set(indexed("PictureClip1", lane) + ".Cols", std::to_string(n)); }
    void setTimerEnabled(RaceTimer timer, bool on) override
    {
        set("Timer" + std::to_string(timer) + ".Enabled", on ? "True" : "False");
    }
    void loadBackground(const std::string& fileName) override { set("Form1.Picture", fileName); }
    void messageBox(const std::string& text) override { record("MsgBox " + text); }
    bool yield() override
    {
        record("DoEvents");
        for (int keyCode : std::exchange(keysForNextYield, {}))
            if (!closed) keyTarget->Form_KeyDown(keyCode, 0);
        return !closed;
    }
    // A hidden copy of element 0
    void createResultLabel(ResultColumn column, int n) override
    {
        record("Load " + result(column, n));
        if (state.contains(result(column, n) + ".Top")) throw std::logic_error(result(column, n) + " already exists");
        for (const char* property : {".Caption", ".Top", ".Visible"})
            state[result(column, n) + property] = at(result(column, 0) + property);
    }
    void setResultCaption(ResultColumn column, int n, const std::string& s) override
    {
        set(result(column, n) + ".Caption", s);
    }
    float resultTop(ResultColumn column, int n) override { return std::stof(at(result(column, n) + ".Top")); }
    void setResultTop(ResultColumn column, int n, float top) override { set(result(column, n) + ".Top", number(top)); }
    void makeResultVisible(ResultColumn column, int n) override { set(result(column, n) + ".Visible", "True"); }
    void showResults() override { record("Form3.Show"); }
    void updateBestTime() override { record("UpdateBestTime"); }
    void closeRaceScreen() override { record("Unload Form1"), closed = true; }

private:
    std::string& at(const std::string& property)
    {
        if (closed) throw std::logic_error("race screen used after it was closed: " + property);
        const auto found = state.find(property);
        if (found == state.end()) throw std::logic_error(property + " does not exist");
        return found->second;
    }
    void set(const std::string& property, const std::string& value)
    {
        record(property + " = " + value);
        at(property) = value;
    }
    void record(const std::string& action)
    {
        if (closed) throw std::logic_error("race screen used after it was closed: " + action);
        log.push_back(action);
    }
};

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

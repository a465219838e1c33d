#include "race_engine.h"

#include "caption_number.h"

namespace race {

namespace {
constexpr float kStepPixels = 4;  // runner move per accepted press
constexpr float kRowSpacingTwips = 300;
// The columns of a result row, in the order their labels are created, placed and shown.
constexpr ResultColumn kRowColumns[] = {ResultName, ResultPlace, ResultTime};
}  // namespace

// Counters, countdown and player count live in captions and are read afresh on every use.
double RaceEngine::valueOf(RaceLabel label) { return captionNumber(screen_.caption(label)); }

void RaceEngine::Form_Load()
{
    for (const Lane& lane : kLanes) screen_.setClipColumns(lane.number, 2);  // two runner frames
    screen_.loadBackground("back.bmp");
    LaneStep.fill(1);
    LanePlace.fill(0);
    FinishCount = 0;
}

// Every step runs on every key; a false start zeroes KeyCode so that no lane rule matches.
void RaceEngine::Form_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (valueOf(Label15) > 0) falseStart(KeyCode);
    for (const Lane& lane : kLanes) {
        laneRule(lane, KeyCode, lane.firstKey, 1);
        laneRule(lane, KeyCode, lane.secondKey, 2);
    }
    for (const Lane& lane : kLanes) finishCheck(lane);
    if (valueOf(Label13) == FinishCount) raceOver();
}

void RaceEngine::falseStart(int& KeyCode)
{
    screen_.setCaption(Label15, "5");
    screen_.setTimerEnabled(Timer2, false);
    screen_.setCaption(Label16, "0");
    screen_.messageBox(kFalseStartMessage);
    // Re-enabling restarts the period, so the countdown gets a full second after OK.
    screen_.setTimerEnabled(Timer1, false);
    screen_.setTimerEnabled(Timer1, true);
    KeyCode = 0;
}

// The lane's first key is expected at step 1 and shows cell 0; the second at step 2, cell 1.
// Out-of-turn and repeated keys, hidden lanes and finished lanes (step 4) never match.
void RaceEngine::laneRule(const Lane& lane, int KeyCode, int key, int expectedStep)
{
    int& step = LaneStep[lane.number - 1];
    if (KeyCode != key || step != expectedStep || !screen_.isVisible(lane.nameLabel)) return;
    screen_.showRunnerCell(lane.number, expectedStep == 1 ? 0 : 1);
    screen_.setRunnerLeft(lane.number, screen_.runnerLeft(lane.number) + kStepPixels);
    // Counters only ever hold whole numbers written here.
    const auto presses = static_cast<long long>(valueOf(lane.counterLabel));
    screen_.setCaption(lane.counterLabel, numberCaption(presses + 1));
    step = expectedStep == 1 ? 2 : 1;
}

// The 100th press finishes the lane in the same event; the decision rests on the press count
// alone, never on the runner's position.
void RaceEngine::finishCheck(const Lane& lane)
{
    int& step = LaneStep[lane.number - 1];
    if (valueOf(lane.counterLabel) > 99 && step != 4) step = 3;
    if (valueOf(lane.counterLabel) > 99 && step == 3) finish(lane);
}

void RaceEngine::finish(const Lane& lane)
{
    LaneStep[lane.number - 1] = 4;
    const int n = ++FinishCount;
    LanePlace[lane.number - 1] = n;

    for (ResultColumn column : kRowColumns) screen_.createResultLabel(column, n);
    screen_.setResultCaption(ResultName, n, screen_.caption(lane.nameLabel));
    screen_.setResultCaption(ResultPlace, n, numberCaption(n));
    screen_.setResultCaption(ResultTime, n, screen_.caption(Label16));
    for (ResultColumn column : kRowColumns)
        screen_.setResultTop(column, n, screen_.resultTop(column, n - 1) + kRowSpacingTwips);
    for (ResultColumn column : kRowColumns) screen_.makeResultVisible(column, n);
}

void RaceEngine::raceOver()
{
    screen_.setTimerEnabled(Timer2, false);  // the clock keeps showing the last time
    screen_.messageBox("The race is over");
    screen_.showResults();
    screen_.updateBestTime();
    screen_.closeRaceScreen();
}

void RaceEngine::Timer1_Timer()
{
    screen_.setCaption(Label15, numberCaption(static_cast<long long>(valueOf(Label15)) - 1));
    if (valueOf(Label15) == 0) {
        screen_.setTimerEnabled(Timer1, false);
        ClockTicks = 0;
        screen_.setTimerEnabled(Timer2, true);
    }
}

void RaceEngine::Timer2_Timer()
{
    // A key handled since the previous tick may have ended the race and closed the screen; the
    // tick must then leave no trace.
    if (!screen_.stillOpen()) return;
    ++ClockTicks;
    screen_.setCaption(Label16, clockCaption(ClockTicks));
}

}  // namespace race

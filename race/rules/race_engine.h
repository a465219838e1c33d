#pragma once
// The race screen's logic: lanes, false starts, finishes, the countdown and the race clock.
// It owns only the screen's variables and reaches every control through RaceScreen.
#include <array>

#include "race_screen.h"

namespace race {

// The false start's message
inline constexpr const char* kFalseStartMessage = "Oi don't cheat";

// Virtual-key codes of lane 4: keypad "0" and "." with Num Lock off, or the editing block keys.
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;

// One lane's controls and keys. Letter keys send the code of their capital letter.
struct Lane {
    int number;  // also the index of its runner box Picture1(n) and picture clip PictureClip1(n)
    RaceLabel keyLabel, nameLabel, counterLabel;
    int firstKey, secondKey;
};

// Lane n is kLanes[n - 1]. A lane takes part exactly when its name label is visible.
constexpr std::array<Lane, 4> kLanes{{
    {1, Label5, Label2, Label1, 'P', 'O'},
    {2, Label6, Label3, Label4, 'W', 'Q'},
    {3, Label7, Label8, Label9, 'V', 'B'},
    {4, Label10, Label11, Label12, kKeyInsert, kKeyDelete},
}};

class RaceEngine {
public:
    explicit RaceEngine(RaceScreen& screen) : screen_(screen) {}

    void Form_Load();
    // KeyCode comes back as 0 when the key was taken as a false start; Shift plays no part.
    void Form_KeyDown(int& KeyCode, int Shift);
    void Timer1_Timer();  // countdown tick
    void Timer2_Timer();  // race clock tick

    // 1: waiting for the first key, 2: for the second, 3: passing the post, 4: finished.
    int laneStep(int lane) const { return LaneStep.at(lane - 1); }
    int lanePlace(int lane) const { return LanePlace.at(lane - 1); }
    int finishCount() const { return FinishCount; }
    long long clockTicks() const { return ClockTicks; }

private:
    double valueOf(RaceLabel label);
    void falseStart(int& KeyCode);
    void laneRule(const Lane& lane, int KeyCode, int key, int expectedStep);
    void finishCheck(const Lane& lane);
    void finish(const Lane& lane);
    void raceOver();

    RaceScreen& screen_;
    // The screen's variables, indexed by lane - 1. They outlive a closed screen; Form_Load
    // resets all but ClockTicks, which the end of the countdown zeroes.
    std::array<int, 4> LaneStep{1, 1, 1, 1};
    std::array<int, 4> LanePlace{};
    int FinishCount = 0;
    long long ClockTicks = 0;
};

}  // namespace race

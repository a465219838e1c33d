// The race logic alone, with no toolkit: key events and clock ticks handled per second on one
// core. The race screen here is the leanest that holds what the logic reads back (captions,
// visibility, runner positions) and ignores the rest, so the figures are the logic's own cost.
// The recorded screen of the tests logs every change as text and would be measured instead.
// Key events are the accepted presses of whole four-player races, finishes and the race's end
// included; clock ticks run on from one race start, the clock's caption growing as in a race.
// Prints: key-events-per-second clock-ticks-per-second
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "race/rules/race_engine.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRunTime = std::chrono::seconds(1);

class LeanScreen : public race::RaceScreen {
public:
    // The race screen as the race set-up leaves it for four players
    void setUpFourPlayers()
    {
        captions_.fill("0");
        visible_.fill(false);
        for (const race::Lane& lane : race::kLanes) {
            captions_[lane.nameLabel] = "Player " + std::to_string(lane.number);
            for (race::RaceLabel label : {lane.keyLabel, lane.nameLabel, lane.counterLabel}) visible_[label] = true;
            runnerLeft_[lane.number] = 144;
        }
        // Strings moved in: assigning these literals to the strings trips a false -Wrestrict at -O3
        captions_[race::Label13] = std::to_string(race::kLanes.size());
        captions_[race::Label15] = std::string("5");
        open_ = true;
    }
    bool open() const { return open_; }

    std::string caption(race::RaceLabel label) override { return captions_[label]; }
    void setCaption(race::RaceLabel label, const std::string& text) override { captions_[label] = text; }
    bool isVisible(race::RaceLabel label) override { return visible_[label]; }
    float runnerLeft(int lane) override { return runnerLeft_[lane]; }
    void setRunnerLeft(int lane, float left) override { runnerLeft_[lane] = left; }
    void showRunnerCell(int, int) override {}
    void setClipColumns(int, int) override {}
    void setTimerEnabled(race::RaceTimer, bool) override {}
    void loadBackground(const std::string&) override {}
    void messageBox(const std::string&) override {}
    bool stillOpen() override { return open_; }
    void createResultLabel(race::ResultColumn, int) override {}
    void setResultCaption(race::ResultColumn, int, const std::string&) override {}
    float resultTop(race::ResultColumn, int) override { return 0; }
    void setResultTop(race::ResultColumn, int, float) override {}
    void makeResultVisible(race::ResultColumn, int) override {}
    void showResults() override {}
    void updateBestTime() override {}
    void closeRaceScreen() override { open_ = false; }

private:
    std::array<std::string, race::Label16 + 1> captions_;
    std::array<bool, race::Label16 + 1> visible_{};
    std::array<float, 5> runnerLeft_{};
    bool open_ = false;
};

// A race started the way the race set-up and the countdown start it
void startRace(LeanScreen& screen, race::RaceEngine& engine)
{
    screen.setUpFourPlayers();
    engine.Form_Load();
    for (int tick = 0; tick < 5; ++tick) engine.Timer1_Timer();
}

double perSecond(long long events, Clock::duration spent)
{
    return double(events) / std::chrono::duration<double>(spent).count();
}

double keyEventsPerSecond()
{
    LeanScreen screen;
    race::RaceEngine engine(screen);
    long long events = 0;
    const Clock::time_point start = Clock::now();
    while (Clock::now() - start < kRunTime) {
        startRace(screen, engine);
        for (int press = 0; screen.open(); ++press) {
            for (const race::Lane& lane : race::kLanes) {
                int key = press % 2 ? lane.secondKey : lane.firstKey;
                engine.Form_KeyDown(key, 0);
                ++events;
            }
        }
        if (engine.finishCount() != 4) {
            std::fprintf(stderr, "bench_engine: a race ended without four finishers\n");
            std::exit(1);
        }
    }
    return perSecond(events, Clock::now() - start);
}

double clockTicksPerSecond()
{
    LeanScreen screen;
    race::RaceEngine engine(screen);
    startRace(screen, engine);
    const Clock::time_point start = Clock::now();
    Clock::duration spent{};
    do {
        for (int tick = 0; tick < 10000; ++tick) engine.Timer2_Timer();
        spent = Clock::now() - start;
    } while (spent < kRunTime);
    return perSecond(engine.clockTicks(), spent);
}

}  // namespace

int main()
{
    const double keys = keyEventsPerSecond();
    std::printf("%.0f %.0f\n", keys, clockTicksPerSecond());
    return 0;
}

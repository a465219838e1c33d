#pragma once
// A race screen without a toolkit: it holds the controls of the race screen and the result rows
// of the results screen as designed, answers every message box at once, and logs every change
// and action in order as one readable line each (reads are answered, not logged). Anything the
// race logic must never do (touch the race screen once closed, create a result row twice or
// beyond 4, read a control that does not exist) throws, failing the test that caused it.
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "race/race_screen.h"

namespace race { class RaceEngine; }

class RecordedScreen : public race::RaceScreen {
public:
    RecordedScreen() { loadDesign(); }

    // Both screens back to their design, the race screen open again; the log is kept.
    void loadDesign();

    struct Runner {
        float left = 144;
        std::optional<int> cell;  // the picture clip cell shown, none as designed
        int clipColumns = 1;
    };
    struct ResultLabel {
        std::string caption;
        float top = 3360;
        bool visible = false;
    };

    // Race screen
    std::map<race::RaceLabel, std::string> captions;
    std::set<race::RaceLabel> visibleLabels;
    std::map<int, Runner> runners;  // by lane
    std::map<race::RaceTimer, bool> timerEnabled;
    std::string background;
    bool closed = false;
    // Results screen: element n of Label1/Label6/Label7
    std::map<std::pair<race::ResultColumn, int>, ResultLabel> resultLabels;
    bool resultsShown = false;
    int bestTimeUpdates = 0;

    std::vector<std::string> messages;
    std::vector<std::string> log;

    // Key codes that the next yield() hands to keyTarget's Form_KeyDown, as if they were pending.
    std::deque<int> keysForNextYield;
    race::RaceEngine* keyTarget = nullptr;

    std::string caption(race::RaceLabel) override;
    void setCaption(race::RaceLabel, const std::string&) override;
    bool isVisible(race::RaceLabel) override;
    void makeVisible(race::RaceLabel) override;
    float runnerLeft(int lane) override;
    void setRunnerLeft(int lane, float left) override;
    void showRunnerCell(int lane, int cell) override;
    void setClipColumns(int lane, int columns) override;
    void setTimerEnabled(race::RaceTimer, bool enabled) override;
    void loadBackground(const std::string& fileName) override;
    void messageBox(const std::string& text) override;
    bool yield() override;
    void createResultLabel(race::ResultColumn, int n) override;
    std::string resultCaption(race::ResultColumn, int n) override;
    void setResultCaption(race::ResultColumn, int n, const std::string&) override;
    float resultTop(race::ResultColumn, int n) override;
    void setResultTop(race::ResultColumn, int n, float top) override;
    void makeResultVisible(race::ResultColumn, int n) override;
    void showResults() override;
    void updateBestTime() override;
    void closeRaceScreen() override;

private:
    void requireOpen(const std::string& operation) const;
    void record(const std::string& line);
    std::string& existingCaption(race::RaceLabel);
    Runner& runner(int lane);
    ResultLabel& resultLabel(race::ResultColumn, int n);
};

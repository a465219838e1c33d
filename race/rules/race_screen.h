#pragma once
// The race screen as the race logic sees it: the few controls it reads and writes, named as on
// the screen's design. The Qt race screen implements this on real controls; tests implement it
// with a recorded screen.
#include <string>

namespace race {

// Labels of the race screen. Lanes 1..4: key labels Label5/6/7/10, name labels Label2/3/8/11,
// counters Label1/4/9/12; Label13 the number of runners, Label15 the countdown, Label16 the clock.
enum RaceLabel {
    Label1 = 1, Label2, Label3, Label4, Label5, Label6, Label7, Label8,
    Label9, Label10, Label11, Label12, Label13, Label15 = 15, Label16,
};

enum RaceTimer { Timer1 = 1, Timer2 };

// The three label arrays that make one result row on the results screen.
enum ResultColumn { ResultName /* Label1(n) */, ResultPlace /* Label6(n) */, ResultTime /* Label7(n) */ };

class RaceScreen {
public:
    virtual ~RaceScreen() = default;

    // Labels of the race screen
    virtual std::string caption(RaceLabel) = 0;
    virtual void setCaption(RaceLabel, const std::string&) = 0;
    virtual bool isVisible(RaceLabel) = 0;

    // Runner boxes Picture1(lane), lanes 1..4; Left in pixels
    virtual float runnerLeft(int lane) = 0;
    virtual void setRunnerLeft(int lane, float left) = 0;
    // Picture1(lane).Picture := PictureClip1(lane).GraphicCell(cell)
    virtual void showRunnerCell(int lane, int cell) = 0;
    // PictureClip1(lane).Cols := columns (one row)
    virtual void setClipColumns(int lane, int columns) = 0;

    virtual void setTimerEnabled(RaceTimer, bool enabled) = 0;
    // The screen's background, by bare file name from the working directory
    virtual void loadBackground(const std::string& fileName) = 0;
    // Modal message with OK only, no icon and the application's title
    virtual void messageBox(const std::string& text) = 0;
    // Asked at the start of every clock tick: false when the race screen is no longer loaded, a key
    // handled since the previous tick having ended the race, and the tick must then leave the
    // screen alone. Pending key events are handled between ticks by the event loop.
    virtual bool stillOpen() = 0;

    // Results screen: label arrays Label1/Label6/Label7, element n >= 1 created as a hidden copy
    // of element 0 (loading the results screen, hidden, if it is not loaded). Top in twips.
    virtual void createResultLabel(ResultColumn, int n) = 0;
    virtual void setResultCaption(ResultColumn, int n, const std::string&) = 0;
    virtual float resultTop(ResultColumn, int n) = 0;
    virtual void setResultTop(ResultColumn, int n, float top) = 0;
    virtual void makeResultVisible(ResultColumn, int n) = 0;
    virtual void showResults() = 0;
    // Checks the winner's time against the stored best time and writes the record line
    virtual void updateBestTime() = 0;

    // Unloads the race screen; the screen's variables survive, its controls do not
    virtual void closeRaceScreen() = 0;
};

}  // namespace race

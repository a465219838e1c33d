#pragma once
// A race screen without a toolkit. Every property lives in `state` under its design name
// ("Label15.Caption", "Picture1(2).Left", "Form3.Label7(1).Top"); every change and action is
// logged in order as "name = value" or the action's name. Using the screen once it is closed,
// or a control that does not exist, throws, as does creating a result row twice.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "race/rules/race_screen.h"

namespace race { class RaceEngine; }

std::string labelName(race::RaceLabel);

class RecordedScreen : public race::RaceScreen {
public:
    RecordedScreen() { loadDesign(); }
    void loadDesign();  // both screens back to their design, the race screen open; the log is kept

    std::map<std::string, std::string> state;
    std::vector<std::string> log;
    bool closed = false;
    // Key codes that the next yield() hands to keyTarget's Form_KeyDown, as if they were pending.
    std::vector<int> keysForNextYield;
    race::RaceEngine* keyTarget = nullptr;

    using Column = race::ResultColumn;
    std::string caption(race::RaceLabel label) override { return at(labelName(label) + ".Caption"); }
    void setCaption(race::RaceLabel label, const std::string& s) override { set(labelName(label) + ".Caption", s); }
    bool isVisible(race::RaceLabel label) override { return at(labelName(label) + ".Visible") == "True"; }
    float runnerLeft(int lane) override { return std::stof(at(picture(lane) + ".Left")); }
    void setRunnerLeft(int lane, float left) override { set(picture(lane) + ".Left", number(left)); }
    void showRunnerCell(int lane, int cell) override { set(picture(lane) + ".Cell", std::to_string(cell)); }
    void setClipColumns(int lane, int cols) override { set(indexed("PictureClip1", lane) + ".Cols", std::to_string(cols)); }
    void setTimerEnabled(race::RaceTimer timer, bool on) override
    {
        set("Timer" + std::to_string(timer) + ".Enabled", on ? "True" : "False");
    }
    void loadBackground(const std::string& fileName) override { set("Form1.Picture", fileName); }
    void messageBox(const std::string& text) override { record("MsgBox " + text); }
    bool yield() override;
    void createResultLabel(Column, int n) override;
    void setResultCaption(Column column, int n, const std::string& s) override { set(result(column, n) + ".Caption", s); }
    float resultTop(Column column, int n) override { return std::stof(at(result(column, n) + ".Top")); }
    void setResultTop(Column column, int n, float top) override { set(result(column, n) + ".Top", number(top)); }
    void makeResultVisible(Column column, int n) override { set(result(column, n) + ".Visible", "True"); }
    void showResults() override { record("Form3.Show"); }
    void updateBestTime() override { record("UpdateBestTime"); }
    void closeRaceScreen() override { record("Unload Form1"); closed = true; }

private:
    static std::string indexed(const std::string& array, int n) { return array + "(" + std::to_string(n) + ")"; }
    static std::string picture(int lane) { return indexed("Picture1", lane); }
    static std::string result(Column c, int n) { return indexed("Form3.Label" + std::to_string(std::array{1, 6, 7}[c]), n); }
    static std::string number(float);
    std::string& at(const std::string& property);
    void set(const std::string& property, const std::string& value);
    void record(const std::string& action);
};

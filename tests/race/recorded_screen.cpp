#include "recorded_screen.h"

#include <sstream>
#include <stdexcept>
#include <utility>

#include "race/rules/race_engine.h"

using namespace race;

std::string labelName(RaceLabel label) { return "Label" + std::to_string(static_cast<int>(label)); }

std::string RecordedScreen::number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// Only the properties the race logic uses, as designed.
void RecordedScreen::loadDesign()
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
    for (Column column : {ResultName, ResultPlace, ResultTime})
        for (const auto& [property, value] : {std::pair{".Caption", ""}, {".Top", "3360"}, {".Visible", "False"}})
            state[result(column, 0) + property] = value;
}

std::string& RecordedScreen::at(const std::string& property)
{
    if (closed) throw std::logic_error("race screen used after it was closed: " + property);
    const auto found = state.find(property);
    if (found == state.end()) throw std::logic_error(property + " does not exist");
    return found->second;
}

void RecordedScreen::set(const std::string& property, const std::string& value)
{
    record(property + " = " + value);
    at(property) = value;
}

void RecordedScreen::record(const std::string& action)
{
    if (closed) throw std::logic_error("race screen used after it was closed: " + action);
    log.push_back(action);
}

bool RecordedScreen::yield()
{
    record("DoEvents");
    for (int keyCode : std::exchange(keysForNextYield, {}))
        if (!closed) keyTarget->Form_KeyDown(keyCode, 0);
    return !closed;
}

// A hidden copy of element 0
void RecordedScreen::createResultLabel(Column column, int n)
{
    record("Load " + result(column, n));
    if (state.contains(result(column, n) + ".Top")) throw std::logic_error(result(column, n) + " already exists");
    for (const char* property : {".Caption", ".Top", ".Visible"})
        state[result(column, n) + property] = at(result(column, 0) + property);
}

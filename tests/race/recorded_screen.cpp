#include "tests/race/recorded_screen.h"

#include <sstream>
#include <stdexcept>

#include "race/race_engine.h"

using namespace race;

namespace {
std::string labelName(RaceLabel label) { return "Label" + std::to_string(static_cast<int>(label)); }

std::string resultName(ResultColumn column, int n)
{
    static const std::map<ResultColumn, std::string> arrays{
        {ResultName, "Label1"}, {ResultPlace, "Label6"}, {ResultTime, "Label7"}};
    return "Form3." + arrays.at(column) + "(" + std::to_string(n) + ")";
}

std::string number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }
std::string truth(bool value) { return value ? "True" : "False"; }
}  // namespace

void RecordedScreen::loadDesign()
{
    captions = {{Label1, "0"},       {Label4, "0"},       {Label9, "0"},       {Label12, "0"},
                {Label2, "nobody"},  {Label3, "nobody"},  {Label8, "nobody"},  {Label11, "nobody"},
                {Label5, "o+p"},     {Label6, "q+w"},     {Label7, "v+b"},     {Label10, "0+."},
                {Label13, "0"},      {Label15, "5"},      {Label16, "0"}};
    visibleLabels = {Label15, Label16};
    runners = {{1, {}}, {2, {}}, {3, {}}, {4, {}}};
    timerEnabled = {{Timer1, false}, {Timer2, false}};
    background.clear();
    closed = false;
    resultLabels = {{{ResultName, 0}, {"Label1"}},
                    {{ResultPlace, 0}, {"Label6"}},
                    {{ResultTime, 0}, {"Label7"}}};
    resultsShown = false;
    bestTimeUpdates = 0;
}

void RecordedScreen::requireOpen(const std::string& operation) const
{
    if (closed) throw std::logic_error("race screen used after it was closed: " + operation);
}

void RecordedScreen::record(const std::string& line)
{
    requireOpen(line);
    log.push_back(line);
}

std::string& RecordedScreen::existingCaption(RaceLabel label)
{
    requireOpen("read " + labelName(label));
    const auto found = captions.find(label);
    if (found == captions.end()) throw std::logic_error(labelName(label) + " does not exist");
    return found->second;
}

RecordedScreen::Runner& RecordedScreen::runner(int lane)
{
    requireOpen("read Picture1(" + std::to_string(lane) + ")");
    return runners.at(lane);
}

RecordedScreen::ResultLabel& RecordedScreen::resultLabel(ResultColumn column, int n)
{
    requireOpen("read " + resultName(column, n));
    const auto found = resultLabels.find({column, n});
    if (found == resultLabels.end()) throw std::logic_error(resultName(column, n) + " does not exist");
    return found->second;
}

std::string RecordedScreen::caption(RaceLabel label) { return existingCaption(label); }

void RecordedScreen::setCaption(RaceLabel label, const std::string& text)
{
    record(labelName(label) + ".Caption = " + quoted(text));
    existingCaption(label) = text;
}

bool RecordedScreen::isVisible(RaceLabel label)
{
    existingCaption(label);  // only designed labels can be asked
    return visibleLabels.contains(label);
}

void RecordedScreen::makeVisible(RaceLabel label)
{
    record(labelName(label) + ".Visible = True");
    existingCaption(label);  // only designed labels can be shown
    visibleLabels.insert(label);
}

float RecordedScreen::runnerLeft(int lane) { return runner(lane).left; }

void RecordedScreen::setRunnerLeft(int lane, float left)
{
    record("Picture1(" + std::to_string(lane) + ").Left = " + number(left));
    runner(lane).left = left;
}

void RecordedScreen::showRunnerCell(int lane, int cell)
{
    const std::string n = std::to_string(lane);
    record("Picture1(" + n + ").Picture = PictureClip1(" + n + ").GraphicCell(" + std::to_string(cell) + ")");
    runner(lane).cell = cell;
}

void RecordedScreen::setClipColumns(int lane, int columns)
{
    record("PictureClip1(" + std::to_string(lane) + ").Cols = " + std::to_string(columns));
    runner(lane).clipColumns = columns;
}

void RecordedScreen::setTimerEnabled(RaceTimer timer, bool enabled)
{
    record("Timer" + std::to_string(static_cast<int>(timer)) + ".Enabled = " + truth(enabled));
    timerEnabled.at(timer) = enabled;
}

void RecordedScreen::loadBackground(const std::string& fileName)
{
    record("Form1.Picture = LoadPicture(" + quoted(fileName) + ")");
    background = fileName;
}

void RecordedScreen::messageBox(const std::string& text)
{
    record("MsgBox " + quoted(text));
    messages.push_back(text);
}

bool RecordedScreen::yield()
{
    record("DoEvents");
    while (!keysForNextYield.empty() && !closed) {
        int keyCode = keysForNextYield.front();
        keysForNextYield.pop_front();
        keyTarget->Form_KeyDown(keyCode, 0);
    }
    return !closed;
}

void RecordedScreen::createResultLabel(ResultColumn column, int n)
{
    record("Load " + resultName(column, n));
    if (n < 1 || n > 4) throw std::logic_error("no result row " + std::to_string(n));
    if (!resultLabels.try_emplace({column, n}, resultLabel(column, 0)).second)
        throw std::logic_error(resultName(column, n) + " already exists");
}

std::string RecordedScreen::resultCaption(ResultColumn column, int n) { return resultLabel(column, n).caption; }

void RecordedScreen::setResultCaption(ResultColumn column, int n, const std::string& text)
{
    record(resultName(column, n) + ".Caption = " + quoted(text));
    resultLabel(column, n).caption = text;
}

float RecordedScreen::resultTop(ResultColumn column, int n) { return resultLabel(column, n).top; }

void RecordedScreen::setResultTop(ResultColumn column, int n, float top)
{
    record(resultName(column, n) + ".Top = " + number(top));
    resultLabel(column, n).top = top;
}

void RecordedScreen::makeResultVisible(ResultColumn column, int n)
{
    record(resultName(column, n) + ".Visible = True");
    resultLabel(column, n).visible = true;
}

void RecordedScreen::showResults()
{
    record("Form3.Show");
    resultsShown = true;
}

void RecordedScreen::updateBestTime()
{
    record("UpdateBestTime");
    ++bestTimeUpdates;
}

void RecordedScreen::closeRaceScreen()
{
    record("Unload Form1");
    closed = true;
}

#include "race/form1.h"

#include "app/cues.h"
#include "app/forms.h"
#include "app/program.h"
#include "ui/colors.h"

namespace race {

using namespace ui::colors;
using ui::Shape;

namespace {
QString toQt(const std::string& text) { return QString::fromStdString(text); }
std::string toStd(const QString& text) { return text.toStdString(); }

ui::Array<ui::Label>& resultArray(results::Form3& results, ResultColumn column)
{
    switch (column) {
    case ResultName: return results.Label1;
    case ResultPlace: return results.Label6;
    case ResultTime: return results.Label7;
    }
    return results.Label1;
}
}  // namespace

Form1::Form1(Forms& forms) : Screen(forms)
{
    Timer1.on([this] { engine.Timer1_Timer(); });
    Timer2.on([this] { engine.Timer2_Timer(); });
}

void Form1::design(ui::Design& d)
{
    const auto comic = ui::bold("Comic Sans MS", 8.25);
    const auto arialBlack = ui::plain("Arial Black", 8.25);
    d.screen("Orvens Tapdash", 9510, 6825, ui::Scale::Pixels).back(red).icon(kProgramIcon);
    d.pictureBox(Picture2, 1920, 120, 810, 435).hidden().tab(23);
    d.pictureClip(PictureClip1[1], 7680, 3240);
    d.pictureBox(Picture1[4], 2160, 3600, 720, 645).back(red).pixelArt().hidden().disabled().tab(21);
    d.pictureBox(Picture1[3], 2160, 2880, 720, 645).back(red).pixelArt().hidden().disabled().tab(20);
    d.pictureBox(Picture1[2], 2160, 2160, 720, 645).back(red).pixelArt().hidden().disabled().tab(19);
    d.pictureBox(Picture1[1], 2160, 1440, 720, 645).back(red).pixelArt().hidden().disabled().tab(18);
    d.textBox(Text2, "Timer:", 3720, 4440, 855, 285).fore(green).back(windowFrame).disabled().tab(17);
    d.textBox(Text1, "Countdown", 2880, 5160, 975, 405).fore(green).back(windowFrame).disabled().tab(16);
    d.timer(Timer2, 720, 240, 1).disabled();
    d.timer(Timer1, 240, 240, 1000).disabled();
    d.pictureClip(PictureClip1[2], 7680, 3840);
    d.pictureClip(PictureClip1[3], 7680, 4440);
    d.pictureClip(PictureClip1[4], 7680, 5040);
    d.line(Line5, {8400, 1440}, {8400, 3120});
    d.label(Label17, "Finishing Post", 7920, 1200, 975, 195).fore(white).rightAligned().tab(22);
    d.line(Line4, {6120, 5160}, {5880, 5160}).color(green);
    d.line(Line3, {5280, 5160}, {5280, 5400}).color(green);
    d.line(Line2, {4680, 5160}, {4680, 4920}).color(green);
    d.line(Line1, {4080, 5160}, {3840, 5160}).color(green);
    d.shape(Shape2[3], Shape::Kind::Circle, 5160, 4920, 1455, 495).outline(inactiveBorder);
    d.shape(Shape2[2], Shape::Kind::Circle, 4560, 4920, 1455, 495).outline(inactiveBorder);
    d.shape(Shape2[1], Shape::Kind::Circle, 3960, 4920, 1455, 495).outline(inactiveBorder);
    d.shape(Shape2[0], Shape::Kind::Circle, 3360, 4920, 1455, 495).outline(inactiveBorder);
    d.shape(Shape1, Shape::Kind::Rectangle, 3600, 4800, 2655, 735).solidFill(black);
    d.label(Label16, "0", 3600, 4320, 2655, 495).font(ui::plain("MS Sans Serif", 18)).fore(green).back(black).fixedSize().centred().tab(15);
    d.label(Label15, "5", 2880, 4320, 945, 900).font({"Chromalloy", 48.75, 800}).fore(green).back(buttonText).fixedSize().centred().tab(14);
    d.label(Label13, "0", 960, 0, 90, 195).hidden().tab(12);
    d.label(Label12, "0", 1680, 3720, 195, 285).font(arialBlack).fore(yellow).hidden().centred().border().tab(11);
    d.label(Label11, "nobody", 840, 3720, 555, 240).font(comic).fore(yellow).hidden().rightAligned().tab(10);
    d.label(Label10, "0+.", 120, 3720, 285, 240).font(comic).fore(yellow).hidden().tab(9);
    d.label(Label9, "0", 1680, 3000, 195, 285).font(arialBlack).fore(yellow).hidden().centred().border().tab(8);
    d.label(Label8, "nobody", 840, 3000, 555, 240).font(comic).fore(yellow).hidden().rightAligned().tab(7);
    d.label(Label7, "v+b", 120, 3000, 285, 240).font(comic).fore(yellow).hidden().tab(6);
    d.label(Label6, "q+w", 120, 2280, 315, 240).font(comic).fore(yellow).hidden().tab(5);
    d.label(Label5, "o+p", 120, 1560, 285, 240).font(comic).fore(yellow).hidden().tab(4);
    d.label(Label4, "0", 1680, 2280, 195, 285).font(arialBlack).fore(yellow).hidden().centred().border().tab(3);
    d.label(Label3, "nobody", 840, 2280, 555, 240).font(comic).fore(yellow).hidden().rightAligned().tab(2);
    d.label(Label2, "nobody", 840, 1560, 555, 240).font(comic).fore(yellow).hidden().rightAligned().tab(1);
    d.label(Label1, "0", 1680, 1560, 195, 285).font(arialBlack).fore(yellow).hidden().centred().border().tab(0);
    Picture2->setPicture(QImage(QStringLiteral(":/assets/default_runner.gif")));
}

ui::Ref<ui::Label>& Form1::label(RaceLabel which)
{
    switch (which) {
    case race::Label1: return Label1;
    case race::Label2: return Label2;
    case race::Label3: return Label3;
    case race::Label4: return Label4;
    case race::Label5: return Label5;
    case race::Label6: return Label6;
    case race::Label7: return Label7;
    case race::Label8: return Label8;
    case race::Label9: return Label9;
    case race::Label10: return Label10;
    case race::Label11: return Label11;
    case race::Label12: return Label12;
    case race::Label13: return Label13;
    case race::Label15: return Label15;
    case race::Label16: return Label16;
    default: break;
    }
    ui::controlFault("the race screen has no such label", int(which));
}

std::string Form1::caption(RaceLabel which) { return toStd(label(which)->Caption()); }
void Form1::setCaption(RaceLabel which, const std::string& text)
{
    label(which)->setCaption(toQt(text));
    // Each count of the countdown is heard, the start apart; its "5" comes only with a false
    // start, which has its buzzer.
    if (which == race::Label15 && text != "5") playCue(text == "0" ? Cue::Go : Cue::Count);
}
bool Form1::isVisible(RaceLabel which) { return label(which)->Visible(); }

float Form1::runnerLeft(int lane) { return Picture1(lane)->Left(); }
void Form1::setRunnerLeft(int lane, float left) { Picture1(lane)->setLeft(left); }
void Form1::showRunnerCell(int lane, int cell) { Picture1(lane)->setPicture(PictureClip1(lane)->GraphicCell(cell)); }
void Form1::setClipColumns(int lane, int columns) { PictureClip1(lane)->setCols(columns); }

void Form1::setTimerEnabled(RaceTimer timer, bool enabled)
{
    (timer == race::Timer1 ? Timer1 : Timer2)->setEnabled(enabled);
}

void Form1::loadBackground(const std::string& fileName) { ui::Form::loadBackground(toQt(fileName)); }
void Form1::messageBox(const std::string& text)
{
    if (text == kFalseStartMessage) playCue(Cue::FalseStart);  // heard while the box is up
    stage().msgBox(toQt(text), kProgramTitle);
}

// A pad is one more pair of keys for its player's lane: the shoulder buttons are the lane's first
// and second keys, and any other button a key of no lane, which in the countdown is a false start.
void Form1::padPressed(int pad, pads::Button button)
{
    if (!isShown()) return;
    const Lane& lane = kLanes.at(pad - 1);
    using enum pads::Button;
    keyDown(button == LeftShoulder ? lane.firstKey : button == RightShoulder ? lane.secondKey : 0, 0);
}

// Pending key events are handled by the event loop between two clock ticks, so the tick needs
// no nested event loop of its own (which could run this very timer's handler inside itself).
// All that is left is to tell whether a key event ended the race meanwhile.
bool Form1::stillOpen() { return isLoaded(); }

void Form1::createResultLabel(ResultColumn column, int n) { resultArray(forms().Form3, column).load(n); }
void Form1::setResultCaption(ResultColumn column, int n, const std::string& text)
{
    resultArray(forms().Form3, column)(n)->setCaption(toQt(text));
}
float Form1::resultTop(ResultColumn column, int n) { return resultArray(forms().Form3, column)(n)->Top(); }
void Form1::setResultTop(ResultColumn column, int n, float top) { resultArray(forms().Form3, column)(n)->setTop(top); }
void Form1::makeResultVisible(ResultColumn column, int n)
{
    resultArray(forms().Form3, column)(n)->setVisible(true);
    if (column == ResultName) playCue(n == 1 ? Cue::Win : Cue::Finish);  // a runner crosses the post
}
void Form1::showResults() { forms().Form3.show(); }
void Form1::updateBestTime() { forms().Form3.updateBestTime(); }
void Form1::closeRaceScreen() { unload(); }

// The close button abandons the race: back to the player entry screen, as "New Players" does.
void Form1::onCloseButton()
{
    unload();
    forms().Form3.unload();
    forms().Form2.show();
}

}  // namespace race

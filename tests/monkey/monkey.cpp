#include "monkey.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>

#include "app/forms.h"

namespace {

constexpr int kPlayerKeys[] = {Qt::Key_P, Qt::Key_O, Qt::Key_W, Qt::Key_Q,
                               Qt::Key_V, Qt::Key_B, Qt::Key_Insert, Qt::Key_Delete};
constexpr int kOtherKeys[] = {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Return,
                              Qt::Key_Enter, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home,
                              Qt::Key_End, Qt::Key_PageDown, Qt::Key_F1, Qt::Key_F4, Qt::Key_Shift, Qt::Key_Control,
                              Qt::Key_Alt, Qt::Key_Period, Qt::Key_Minus, Qt::Key_Delete};

// Pastes a one-line name box must cope with: line breaks of every kind, long and wide text
const QStringList kPastes{
    "Ann\nBob", "\r\n", "one\rtwo\r\nthree", "Zoë Ñandú", "🏃🏃🏃🏃🏃🏃", "Ann🏃🏃🏃🏃", "x𝄞𝄞𝄞𝄞𝄞", "名前はとても長いです", "Disabled", "None",
    "tab\there", "a\u2028b", QString(500, u'W'), "  ", "\n\n\n\n\n\n\n\n\n\n\n\nx"};

// A key goes to the window's focused control, or to the window itself when none has the focus.
QWidget* keyTarget(ui::Form& screen)
{
    QWidget* window = screen.window();
    return window->focusWidget() ? window->focusWidget() : window;
}

// Pressed, held down for `repeats` auto-repeated presses, then released
void sendKey(ui::Form& screen, int key, Qt::KeyboardModifiers modifiers, int repeats)
{
    const char ascii = QTest::keyToAscii(Qt::Key(key));
    QString text = ascii ? QString(QLatin1Char(ascii)) : QString();
    if (modifiers & Qt::ShiftModifier) text = text.toUpper();
    for (int press = 0; press <= repeats && screen.isShown(); ++press) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text, press > 0);
        QApplication::sendEvent(keyTarget(screen), &event);
    }
    if (!screen.isShown()) return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(keyTarget(screen), &release);
}

int qtKey(int virtualKey)
{
    if (virtualKey == race::KeyInsert) return Qt::Key_Insert;
    if (virtualKey == race::KeyDelete) return Qt::Key_Delete;
    return virtualKey;  // capital letters share their codes
}

QString clickOf(ui::CommandButton& button, const QString& name)
{
    const QString caption = button.Caption();
    button.click();
    return QStringLiteral("%1 \"%2\" click").arg(name, caption);
}

QString tickOf(ui::Timer& timer, const QString& name)
{
    timer.fire();
    return name + QStringLiteral(" tick");
}

// The title bar's close button, through the window's close event
QString closeOf(ui::Form& screen)
{
    screen.window()->close();
    return QStringLiteral("close button");
}

}  // namespace

std::vector<NamedScreen> allScreens()
{
    Forms& f = forms();
    return {{"Form1 race", &f.Form1},    {"Form2 entry", &f.Form2},  {"Form3 results", &f.Form3},
            {"Form4 closing", &f.Form4}, {"Form5 splash", &f.Form5}, {"Form6 picker", &f.Form6},
            {"Form7 credits", &f.Form7}};
}

Monkey::Monkey(quint64 seed)
    : rng_(seed), work_(QDir::currentPath()), scratch_(QDir::cleanPath(work_ + QStringLiteral("/..")))
{
}

QString Monkey::play()
{
    std::vector<NamedScreen> shown;
    for (const NamedScreen& screen : allScreens())
        if (screen.form->isShown()) shown.push_back(screen);
    if (shown.empty()) return QStringLiteral("no screen to play on");
    const NamedScreen screen = shown[below(shown.size())];

    Forms& f = forms();
    const Actions actions = screen.form == &f.Form1   ? raceScreen()
                            : screen.form == &f.Form2 ? entryScreen()
                            : screen.form == &f.Form3 ? resultsScreen()
                            : screen.form == &f.Form4 ? closingScreen()
                            : screen.form == &f.Form5 ? splashScreen()
                            : screen.form == &f.Form6 ? pickerScreen()
                                                      : creditsScreen();
    double total = 0;
    for (const Action& action : actions) total += action.weight;
    double point = std::uniform_real_distribution<double>(0, total)(rng_);
    for (const Action& action : actions) {
        if (point < action.weight) return screen.name + QStringLiteral(": ") + action.run();
        point -= action.weight;
    }
    return screen.name + QStringLiteral(": ") + actions.back().run();
}

QString Monkey::restart()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    discardForms();
    if (percent(50)) {
        forms().Form5.show();
        return QStringLiteral("program started at the splash screen");
    }
    forms().Form2.show();
    return QStringLiteral("program started at the entry screen");
}

Monkey::Actions Monkey::raceScreen()
{
    race::Form1& race = forms().Form1;
    Actions actions;
    // Keys dominate once the race runs; during the countdown they are false starts. Each race
    // gets its own pace of presses against clock ticks, so that some races set records.
    if (race.Timer1->Enabled()) {
        clockWeight_ = 2 + below(24);
        actions.push_back({60, [&race] { return tickOf(race.Timer1.get(), "Timer1"); }});
    }
    if (race.Timer2->Enabled()) {
        actions.push_back({80, [this, &race] { return key(race, laneKey(race)); }});
        actions.push_back({clockWeight_, [&race] { return tickOf(race.Timer2.get(), "Timer2"); }});
    }
    addKeys(actions, race, 3);
    actions.push_back({0.1, [&race] { return closeOf(race); }});
    return actions;
}

Monkey::Actions Monkey::entryScreen()
{
    entry::Form2& entry = forms().Form2;
    Actions actions;
    for (int player = 1; player <= 4; ++player) {
        const QString n = QString::number(player);
        actions.push_back({6, [&entry, player, n] {
                               entry.check(player)->click();
                               return QStringLiteral("Check%1 click, now %2").arg(n).arg(entry.check(player)->Value());
                           }});
        actions.push_back({2, [&entry, player, n] { return clickOf(*entry.Command3(player), "Command3(" + n + ")"); }});
        if (!entry.nameBox(player)->Enabled()) continue;
        actions.push_back({5, [this, &entry, player, n] { return type("Text" + n, entry.nameBox(player).get()); }});
        actions.push_back({3, [this, &entry, player, n] { return paste("Text" + n, entry.nameBox(player).get()); }});
    }
    actions.push_back({6, [&entry] { return clickOf(entry.Command1.get(), "Command1"); }});
    actions.push_back({2, [&entry] { return clickOf(entry.Command4.get(), "Command4"); }});
    actions.push_back({0.8, [&entry] { return clickOf(entry.Command2.get(), "Command2"); }});
    actions.push_back({0.4, [&entry] { return closeOf(entry); }});
    addKeys(actions, entry, 5);
    return actions;
}

Monkey::Actions Monkey::resultsScreen()
{
    results::Form3& results = forms().Form3;
    Actions actions{
        {40, [&results] { return clickOf(results.Command3.get(), "Command3"); }},
        {30, [&results] { return clickOf(results.Command1.get(), "Command1"); }},
        {20, [&results] { return clickOf(results.Command2.get(), "Command2"); }},
        {4, [&results] { return closeOf(results); }},
    };
    addKeys(actions, results, 3);
    return actions;
}

Monkey::Actions Monkey::closingScreen()
{
    screens::Form4& closing = forms().Form4;
    Actions actions{{8, [&closing] { return closeOf(closing); }}};
    if (closing.Timer1->Enabled()) actions.push_back({60, [&closing] { return tickOf(closing.Timer1.get(), "Timer1"); }});
    addKeys(actions, closing, 3);
    return actions;
}

Monkey::Actions Monkey::splashScreen()
{
    screens::Form5& splash = forms().Form5;
    Actions actions{
        {15, [this, &splash] { return key(splash, Qt::Key_Escape); }},
        {3, [&splash] { return closeOf(splash); }},
    };
    if (splash.Timer1->Enabled()) actions.push_back({50, [&splash] { return tickOf(splash.Timer1.get(), "Timer1"); }});
    addKeys(actions, splash, 3);
    return actions;
}

Monkey::Actions Monkey::pickerScreen()
{
    entry::Form6& picker = forms().Form6;
    Actions actions{
        {15, [this] { return pickDirectory(); }},
        {15, [this, &picker] {
             QListWidget* files = picker.File1->listWidget();
             if (files->count() == 0 || percent(10)) {
                 files->clearSelection();
                 return QStringLiteral("File1 cleared");
             }
             files->setCurrentRow(below(files->count()));
             return QStringLiteral("File1 picks \"%1\"").arg(picker.File1->FileName());
         }},
        {2, [this, &picker] {
             // The root or the working directory's volume: other volumes are none of the game's business
             const QString drive = percent(50) ? QDir::rootPath() : QStorageInfo(work_).rootPath();
             picker.Drive1->setDrive(drive);
             return QStringLiteral("Drive1 picks \"%1\"").arg(drive);
         }},
        {6, [this, &picker] { return type("Text1", picker.Text1.get()); }},
        {2, [this, &picker] { return paste("Text1", picker.Text1.get()); }},
        {12, [&picker] { return clickOf(picker.Command1.get(), "Command1"); }},
        {6, [&picker] { return clickOf(picker.Command2.get(), "Command2"); }},
        {3, [&picker] { return closeOf(picker); }},
    };
    addKeys(actions, picker, 3);
    return actions;
}

Monkey::Actions Monkey::creditsScreen()
{
    screens::Form7& credits = forms().Form7;
    Actions actions{
        {40, [&credits] { return clickOf(credits.Command1.get(), "Command1"); }},
        {20, [&credits] { return closeOf(credits); }},
    };
    addKeys(actions, credits, 5);
    return actions;
}

// Keys any screen may get: the players' keys, Escape, any other key, and a held key repeating
void Monkey::addKeys(Actions& actions, ui::Form& screen, double playerKeyWeight)
{
    actions.push_back({playerKeyWeight, [this, &screen] { return key(screen, kPlayerKeys[below(std::size(kPlayerKeys))]); }});
    actions.push_back({2, [this, &screen] { return key(screen, Qt::Key_Escape); }});
    actions.push_back({5, [this, &screen] { return key(screen, otherKey()); }});
    actions.push_back({1, [this, &screen] { return key(screen, kPlayerKeys[below(std::size(kPlayerKeys))], 1 + below(5)); }});
}

QString Monkey::key(ui::Form& screen, int qtKey, int repeats)
{
    Qt::KeyboardModifiers modifiers;
    if (percent(8)) modifiers |= Qt::ShiftModifier;
    if (percent(2)) modifiers |= Qt::ControlModifier;
    if ((qtKey == Qt::Key_Insert || qtKey == Qt::Key_Delete) && percent(30)) modifiers |= Qt::KeypadModifier;
    sendKey(screen, qtKey, modifiers, repeats);
    const QString name = QKeySequence(QKeyCombination(modifiers, Qt::Key(qtKey))).toString();
    return repeats ? QStringLiteral("key %1 held for %2 repeats").arg(name).arg(repeats) : "key " + name;
}

// Mostly the key a running lane waits for, so that lanes reach the post
int Monkey::laneKey(race::Form1& race)
{
    std::vector<const race::Lane*> running;
    for (const race::Lane& lane : race::Lanes)
        if (race.label(lane.nameLabel)->Visible() && race.engine.laneStep(lane.number) < 3) running.push_back(&lane);
    if (running.empty() || percent(15)) return kPlayerKeys[below(std::size(kPlayerKeys))];
    const race::Lane& lane = *running[below(running.size())];
    return qtKey(race.engine.laneStep(lane.number) == 1 ? lane.firstKey : lane.secondKey);
}

int Monkey::otherKey()
{
    if (percent(50)) return Qt::Key_A + below(26);
    if (percent(20)) return Qt::Key_0 + below(10);
    return kOtherKeys[below(std::size(kOtherKeys))];
}

QString Monkey::type(const QString& boxName, ui::TextBox& box)
{
    const QString text = randomText(14);
    box.lineEdit()->setFocus();
    if (percent(30)) box.lineEdit()->selectAll();
    QTest::keyClicks(box.lineEdit(), text);
    return QStringLiteral("%1 typed \"%2\", holds \"%3\"").arg(boxName, text, box.Text());
}

QString Monkey::paste(const QString& boxName, ui::TextBox& box)
{
    QString text = percent(70) ? kPastes[below(kPastes.size())] : randomText(30);
    if (percent(30)) text.insert(below(text.size() + 1), percent(50) ? u'\n' : u'\r');
    box.lineEdit()->setFocus();
    box.lineEdit()->insert(text);
    return QStringLiteral("%1 pasted %2 characters, holds \"%3\"").arg(boxName).arg(text.size()).arg(box.Text());
}

// Navigation stays on the way to the scratch folder and inside it, so a replay lists the same
// folders; now and then a folder that does not exist is asked for.
QString Monkey::pickDirectory()
{
    entry::Form6& picker = forms().Form6;
    QStringList near;
    for (const QString& path : picker.Dir1->entries())
        if (work_ == path || work_.startsWith(path.endsWith(u'/') ? path : path + u'/') || path.startsWith(scratch_))
            near << path;
    const QString target = near.isEmpty() || percent(10) ? work_ + QStringLiteral("/gone/deeper") : near[below(near.size())];
    picker.Dir1->setPath(target);
    return QStringLiteral("Dir1 to \"%1\", opens \"%2\"").arg(target, picker.Dir1->Path());
}

QString Monkey::randomText(int maxLength)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_'!?");
    QString text;
    for (int length = below(maxLength + 1); length > 0; --length) text += letters[below(letters.size())];
    return text;
}

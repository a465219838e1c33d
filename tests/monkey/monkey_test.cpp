// Random play through all seven screens from a seed, the game's invariants checked after every
// event. TAPDASH_MONKEY_SEED and TAPDASH_MONKEY_EVENTS replace the seed and the event count.
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <ranges>
#include <set>
#include <utility>

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "test_main.h"
#include "fresh_screens.h"
#include "race/files/line_file.h"
#include "race/rules/caption_number.h"
#include "ui/window.h"

namespace {

constexpr int kDefaultEvents = 20000;
// Lane by lane, its first key and its second
constexpr int kPlayerKeys[] = {Qt::Key_P, Qt::Key_O, Qt::Key_W, Qt::Key_Q,
                               Qt::Key_V, Qt::Key_B, Qt::Key_Insert, Qt::Key_Delete};
constexpr int kEditKeys[] = {Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left, Qt::Key_Right,
                             Qt::Key_Up, Qt::Key_Down, Qt::Key_F4, Qt::Key_Shift, Qt::Key_Alt};
// Pastes a one-line name box must cope with: line breaks of every kind, long text, and characters
// of two UTF-16 units that the box's length may cut in half
const QStringList kPastes{"Ann\nBob", "one\rtwo\r\nthree", "\n\n\n\n\n\n\n\n\n\n\n\nx", "🏃🏃🏃🏃🏃🏃", "Ann🏃🏃🏃🏃",
                          "x𝄞𝄞𝄞𝄞𝄞", "名前はとても長いです", "Zoë Ñandú", "tab\there", QString(500, u'W')};

struct Action { double weight; std::function<QString()> run; };
using Actions = std::vector<Action>;
// What a screen gets besides keys and its title bar's close button, built only while it is shown
struct Screen { QString name; ui::Form* form; double closeWeight; std::function<Actions()> actions; };

template <class Control> Action click(double weight, Control& control, const QString& name)
{
    return {weight, [&control, name] { return control.click(), name + " click"; }};
}

Action tick(double weight, ui::Timer& timer, const QString& name)
{
    return {timer.Enabled() ? weight : 0, [&timer, name] { return timer.fire(), name + " tick"; }};
}

// As many windows shown as screens, so no screen has two and none is left over from an unloaded
// screen; and name boxes holding whole characters on one line
QString windowsBroken(const std::vector<Screen>& screens, bool programEnded)
{
    qsizetype visible = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        visible += window->isVisible() && dynamic_cast<ui::Window*>(window);
    const auto shown = std::ranges::count_if(screens, [](const Screen& screen) { return screen.form->isShown(); });
    if (visible != shown) return QStringLiteral("%1 windows are visible for %2 shown screens").arg(visible).arg(shown);
    if (shown == 0 && !programEnded) return QStringLiteral("no screen is shown, yet the program runs on");
    for (int player = 1; forms().Form2.isLoaded() && player <= 4; ++player) {
        const QString name = forms().Form2.nameBox(player)->Text();
        if (!name.isValidUtf16() || name.contains(u'\n') || name.contains(u'\r'))
            return QStringLiteral("name box %1 holds \"%2\"").arg(player).arg(name);
    }
    return {};
}

// Counters "0".."100", Label13 the number of lanes shown, and places 1..n, one lane each, kept
// once given and given in the order the lanes finished
QString raceBroken(std::array<int, 4>& seen)
{
    race::Form1& race = forms().Form1;
    std::array<int, 4> now{};
    int lanesShown = 0;
    for (const race::Lane& lane : race::kLanes) {
        now[lane.number - 1] = race.engine.lanePlace(lane.number);
        if (!race.isLoaded()) continue;  // controls untouched, or they would load the screen
        const QString counter = race.label(lane.counterLabel)->Caption();
        if (counter != QString::number(std::clamp(counter.toInt(), 0, 100)))
            return QStringLiteral("lane %1's counter reads \"%2\"").arg(lane.number).arg(counter);
        lanesShown += race.label(lane.nameLabel)->Visible();
    }
    if (race.isShown() && race.Label13->Caption() != QString::number(lanesShown))
        return QStringLiteral("Label13 reads \"%1\" with %2 lanes shown").arg(race.Label13->Caption()).arg(lanesShown);
    // Kept places and places held 1..n leave a lane finishing later no place but the next one.
    const std::array<int, 4> before = std::exchange(seen, now);
    for (int i = 0; i < 4; ++i)
        if (now[i] != 0 && before[i] != 0 && before[i] != now[i])
            return QStringLiteral("lane %1 went from place %2 to %3").arg(i + 1).arg(before[i]).arg(now[i]);
    std::ranges::sort(now);
    for (int i = 0, next = 1; i < 4; ++i)
        if (now[i] != 0 && now[i] != next++) return QStringLiteral("places held are not 1 to n");
    return {};
}

// The player list always eight lines, the best-time file two whose second is a number
QString filesBroken()
{
    for (const QString& file : {QStringLiteral("temp.tmp"), race::bestTimeFilePath("C:\\Windows\\tapdash.ini")}) {
        if (!QFileInfo::exists(file)) continue;
        const auto lines = race::readLineFile(file);
        if (!lines || (file == "temp.tmp" ? lines->size() != 8
                                          : lines->size() != 2 || !race::parseNumber(lines->at(1).toStdString())))
            return QStringLiteral("%1 holds \"%2\"").arg(file, lines ? lines->join(u'|') : "unreadable");
    }
    return {};
}

}  // namespace

// Random but reproducible player events on whichever screen is shown, weighted so that races
// start and run to the finish again and again
struct Monkey {
    explicit Monkey(quint64 seed) : rng_(seed) {}

    std::vector<Screen> screens();
    std::set<QString> played;  // screens that got an event
    std::mt19937_64 rng_;
    double clockWeight_ = 12;  // of the race clock's ticks against the players' keys
    int below(size_t n) { return int(rng_() % n); }
    bool percent(int p) { return below(100) < p; }
    const auto& oneOf(const auto& items) { return items[below(std::size(items))]; }

    QString play()
    {
        std::vector<Screen> shown = screens();
        std::erase_if(shown, [](const Screen& screen) { return !screen.form->isShown(); });
        const Screen& screen = oneOf(shown);
        ui::Form& form = *screen.form;
        played.insert(screen.name);
        Actions actions = screen.actions();
        actions.insert(actions.end(), {{3, [&] { return key(form, oneOf(kPlayerKeys)); }},
                                       {2, [&] { return key(form, Qt::Key_Escape); }},
                                       {5, [&] { return key(form, otherKey()); }},
                                       {1, [&] { return key(form, oneOf(kPlayerKeys), true); }},
                                       {screen.closeWeight, [&] { return form.window()->close(), QString("close"); }}});
        const auto weights = actions | std::views::transform(&Action::weight);
        std::discrete_distribution<size_t> pick(weights.begin(), weights.end());
        return screen.name + ": " + actions[pick(rng_)].run();
    }

    // The program starts anew: every screen discarded, then the splash or the entry screen
    QString restart()
    {
        discardForms();
        ui::Form& first = percent(50) ? static_cast<ui::Form&>(forms().Form5) : forms().Form2;
        return first.show(), "program started at " + first.Caption();
    }

    // Mostly a letter, a digit or a sign, else a key that moves or edits
    int otherKey() { return percent(30) ? oneOf(kEditKeys) : Qt::Key_Space + below(Qt::Key_Z - Qt::Key_Space + 1); }

    // Pressed, held down for a few auto-repeated presses, then released, on the focused control
    // or on the window itself when none has the focus
    QString key(ui::Form& screen, int qtKey, bool held = false)
    {
        const int repeats = held ? 1 + below(5) : 0;
        const auto modifiers = percent(8) ? Qt::ShiftModifier : percent(15) ? Qt::KeypadModifier : Qt::NoModifier;
        const QChar ascii = QLatin1Char(QTest::keyToAscii(Qt::Key(qtKey)));
        const QString text = ascii.isNull() ? QString() : modifiers == Qt::ShiftModifier ? ascii.toUpper() : ascii;
        for (int event = 0; event <= repeats + 1 && screen.isShown(); ++event) {  // the last is the release
            QKeyEvent sent(event > repeats ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, modifiers, text,
                           event > 0 && event <= repeats);
            QWidget* focused = screen.window()->focusWidget();
            QApplication::sendEvent(focused ? focused : screen.window(), &sent);
        }
        const QString name = QKeySequence(QKeyCombination(modifiers, Qt::Key(qtKey))).toString();
        return repeats ? QStringLiteral("key %1 held for %2 repeats").arg(name).arg(repeats) : "key " + name;
    }

    // Mostly the key a running lane waits for, so that lanes reach the post
    int laneKey(race::Form1& race)
    {
        std::vector<int> running;
        for (const race::Lane& lane : race::kLanes)
            if (race.label(lane.nameLabel)->Visible() && race.engine.laneStep(lane.number) < 3)
                running.push_back(lane.number);
        if (running.empty() || percent(15)) return oneOf(kPlayerKeys);
        const int lane = oneOf(running);
        return kPlayerKeys[2 * lane - (race.engine.laneStep(lane) == 1 ? 2 : 1)];
    }

    // Typed key by key, or pasted whole and cut to the box's length
    QString enter(const QString& boxName, ui::TextBox& box)
    {
        const bool pasted = percent(35);
        QString text;
        for (int length = below(pasted ? 31 : 15); length > 0; --length) text += QChar(u' ' + below(95));  // printable
        box.lineEdit()->setFocus();
        if (pasted && percent(70)) text = oneOf(kPastes);
        if (pasted && percent(30)) text.insert(below(text.size() + 1), percent(50) ? u'\n' : u'\r');
        if (!pasted && percent(30)) box.lineEdit()->selectAll();
        pasted ? box.lineEdit()->insert(text) : QTest::keyClicks(box.lineEdit(), text);
        return QStringLiteral("%1 %2 \"%3\", holds \"%4\"").arg(boxName, pasted ? "pasted" : "typed", text, box.Text());
    }

    // Folders on the way to the working directory and beside it, so a replay lists the same
    // ones; now and then one that does not exist
    QString pickDirectory(entry::Form6& picker)
    {
        const QString work = QDir::currentPath(), scratch = QDir::cleanPath(work + "/..");
        QStringList near = picker.Dir1->entries();
        near.removeIf([&](const QString& path) {
            return !work.startsWith(path.endsWith(u'/') ? path : path + u'/') && !path.startsWith(scratch);
        });
        const QString target = near.isEmpty() || percent(10) ? work + "/gone/deeper" : oneOf(near);
        picker.Dir1->setPath(target);
        return QStringLiteral("Dir1 to \"%1\", opens \"%2\"").arg(target, picker.Dir1->Path());
    }

    QString pickFile(entry::Form6& picker)
    {
        QListWidget* files = picker.File1->listWidget();
        files->count() == 0 || percent(10) ? files->clearSelection() : files->setCurrentRow(below(files->count()));
        return QStringLiteral("File1 picks \"%1\"").arg(picker.File1->FileName());
    }
};

// The seven screens, Form1..Form7, with what each may get besides keys
std::vector<Screen> Monkey::screens()
{
    Forms& f = forms();
    return {
        {"Form1 race", &f.Form1, 0.1, [this, &race = f.Form1] {
             // Keys dominate once the race runs; during the countdown they are false starts. Each
             // race gets its own pace of presses against clock ticks, so that some races set records.
             if (race.Timer1->Enabled()) clockWeight_ = 2 + below(24);
             return Actions{tick(60, race.Timer1.get(), "Timer1"), tick(clockWeight_, race.Timer2.get(), "Timer2"),
                            {race.Timer2->Enabled() ? 80.0 : 0, [this, &race] { return key(race, laneKey(race)); }}};
         }},
        {"Form2 entry", &f.Form2, 0.4, [this, &entry = f.Form2] {
             Actions actions{click(6, entry.Command1.get(), "Command1"), click(2, entry.Command4.get(), "Command4"),
                             click(0.8, entry.Command2.get(), "Command2")};
             for (int player = 1; player <= 4; ++player) {
                 const QString n = QString::number(player);
                 ui::TextBox& name = entry.nameBox(player).get();
                 actions.push_back(click(6, entry.check(player).get(), "Check" + n));
                 actions.push_back(click(2, *entry.Command3(player), "Command3(" + n + ")"));
                 actions.push_back({name.Enabled() ? 8.0 : 0, [=, this, &name] { return enter("Text" + n, name); }});
             }
             return actions;
         }},
        {"Form3 results", &f.Form3, 4, [&r = f.Form3] {
             return Actions{click(40, r.Command3.get(), "Command3"), click(30, r.Command1.get(), "Command1"),
                            click(20, r.Command2.get(), "Command2")};
         }},
        {"Form4 closing", &f.Form4, 8, [&f] { return Actions{tick(60, f.Form4.Timer1.get(), "Timer1")}; }},
        {"Form5 splash", &f.Form5, 3, [this, &splash = f.Form5] {
             return Actions{{15, [&] { return key(splash, Qt::Key_Escape); }}, tick(50, splash.Timer1.get(), "Timer1")};
         }},
        {"Form6 picker", &f.Form6, 3, [this, &picker = f.Form6] {
             return Actions{{15, [&] { return pickDirectory(picker); }}, {15, [&] { return pickFile(picker); }},
                            {8, [&] { return enter("Text1", picker.Text1.get()); }},
                            click(12, picker.Command1.get(), "Command1"), click(6, picker.Command2.get(), "Command2")};
         }},
        {"Form7 credits", &f.Form7, 20, [&f] { return Actions{click(40, f.Form7.Command1.get(), "Command1")}; }},
    };
}

class MonkeyTest : public QObject {
    Q_OBJECT

    FreshScreens fresh_;

private slots:
    void everyInvariantHoldsThroughRandomPlay()
    {
        // The offscreen platform warns on every raise(), and every screen shown asks for one.
        static const QtMessageHandler logger = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (message != "This plugin does not support raise()") logger(type, context, message);
            });
        // A broken runner file and folders for the picker to wander; every run from the same files
        QVERIFY(QDir().mkpath("more/deeper"));
        QFile broken("broken.rnx");
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("GIF89a\x01") > 0);
        RecordingPlatform& platform = fresh_.reset();
        const quint64 seed = qEnvironmentVariable("TAPDASH_MONKEY_SEED", "19980514").toULongLong();
        const int events = qEnvironmentVariable("TAPDASH_MONKEY_EVENTS", QString::number(kDefaultEvents)).toInt();
        std::printf("monkey: seed %llu, %d events\n", seed, events);  // first, for a run the game itself aborts
        std::fflush(stdout);

        Monkey monkey(seed);
        QStringList recent;  // the last 20 events
        const auto log = [&](int index, const QString& what) {
            recent = recent.mid(recent.size() - 19) << QStringLiteral("#%1 %2").arg(index).arg(what);
        };
        int races = 0, records = 0, programEnds = 0;
        std::array<int, 4> places{};
        log(-1, monkey.restart());
        for (int index = 0; index < events; ++index) {
            log(index, monkey.play());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (index % 8 == 0) QCoreApplication::sendPostedEvents();  // now and then, what was deferred
            for (QWidget* window : QApplication::topLevelWidgets())  // and a paint
                if (index % 8 == 0 && window->isVisible()) window->grab();
            for (const QString& message : std::exchange(platform.messages, {})) {
                log(index, QStringLiteral("message box \"%1\"").arg(message));
                races += message == "The race is over";
                records += message == "The race is over" && forms().Form3.isLoaded() && forms().Form3.Label8->Visible();
            }
            const bool ended = std::exchange(platform.programEnds, 0) > 0;
            // screens made anew, for a program end replaces them
            const QString broken = windowsBroken(monkey.screens(), ended) + raceBroken(places) + filesBroken();
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3\nthe last events:\n%4\n"
                                                "replay: TAPDASH_MONKEY_SEED=%1 TAPDASH_MONKEY_EVENTS=%5")
                                     .arg(QString::number(seed), QString::number(index), broken, recent.join(u'\n'),
                                          QString::number(index + 1))));
            if (ended) log(index, monkey.restart());
            programEnds += ended;
        }

        std::printf("monkey: %d events on %zu screens: %d races finished, %d records set, %d program ends\n", events,
                    monkey.played.size(), races, records, programEnds);
        // A full-length run that never got somewhere has lost its weights.
        if (events >= kDefaultEvents)
            QVERIFY(monkey.played.size() == 7 && races >= 10 && records >= 1 && programEnds >= 5);
    }
};

TAPDASH_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"

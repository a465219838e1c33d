// Random play through all seven screens from a seed, the game's invariants checked after every
// event. TAPDASH_MONKEY_SEED and TAPDASH_MONKEY_EVENTS replace the seed and the event count.
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <ranges>
#include <set>

#include "test_main.h"
#include "fresh_screens.h"
#include "ui/window.h"

namespace {

constexpr int kDefaultEvents = 20000;
// Lane by lane, its first key and its second
constexpr int kPlayerKeys[] = {Qt::Key_P, Qt::Key_O, Qt::Key_W,      Qt::Key_Q,
                               Qt::Key_V, Qt::Key_B, Qt::Key_Insert, Qt::Key_Delete};
constexpr int kEditKeys[] = {Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left, Qt::Key_Right,
                             Qt::Key_Up, Qt::Key_Down, Qt::Key_F4, Qt::Key_Shift, Qt::Key_Alt};
// Pastes a one-line name box must cope with: line breaks of every kind, more of them than it holds
// characters, characters of two UTF-16 units that its length may cut in half, and long text
const QStringList kPastes{"one\rtwo\r\nthree", "\n\n\n\n\n\n\n\n\n\n\nx", "Ann🏃🏃🏃🏃", "Zoë", QString(500, u'W')};

// Of each screen's title bar close button
constexpr double kCloseWeights[] = {0.1, 0.4, 4., 8., 3., 3., 20.};

struct Action { double weight; std::function<void()> run; };
Action click(double weight, auto& control) { return {weight, [&control] { control.click(); }}; }

// Form1..Form7, made anew after every program end
std::array<ui::Form*, 7> screens()
{
    Forms& f = forms();
    return {&f.Form1, &f.Form2, &f.Form3, &f.Form4, &f.Form5, &f.Form6, &f.Form7};
}

// The screen shown last the one visible, and a screen shown while the program runs; name boxes of
// whole characters on one line; Label13 the lanes shown; places 1..n, one lane each. A counter past
// 100 would take a second finish, and so a place out of 1..n.
QString broken(bool programEnded)
{
    const auto visible = std::ranges::count_if(screens(), [](ui::Form* s) { return s->isLoaded() && s->window()->isVisible(); });
    const auto shown = std::ranges::count_if(screens(), &ui::Form::isShown);
    if (visible != std::min<long>(shown, 1))
        return QStringLiteral("%1 screens are visible for %2 shown").arg(visible).arg(shown);
    if (shown == 0 && !programEnded) return QStringLiteral("no screen is shown, yet the program runs on");
    for (int player = 1; forms().Form2.isLoaded() && player <= 4; ++player)
        if (const QString name = forms().Form2.nameBox(player)->Text();
            !name.isValidUtf16() || name.contains(u'\n') || name.contains(u'\r'))
            return QStringLiteral("name box %1 holds \"%2\"").arg(player).arg(name);

    race::Form1& race = forms().Form1;
    std::array<int, 4> places{};
    int lanesShown = 0;
    for (const race::Lane& lane : race::kLanes) {
        places[lane.number - 1] = race.engine.lanePlace(lane.number);
        // Labels untouched while unloaded, or they would load the screen
        lanesShown += race.isLoaded() && race.label(lane.nameLabel)->Visible();
    }
    if (race.isShown() && race.Label13->Caption() != QString::number(lanesShown))
        return QStringLiteral("Label13 reads \"%1\" with %2 lanes shown").arg(race.Label13->Caption()).arg(lanesShown);
    std::ranges::sort(places);
    for (int i = 0, next = 1; i < 4; ++i)
        if (places[i] != 0 && places[i] != next++) return QStringLiteral("places held are not 1 to n");
    return {};
}

// Random but reproducible player events on whichever screen is shown, weighted so that races
// start and run to the finish again and again
class Monkey {
    FreshScreens& fresh_;
    TestClock& clock_;
    std::mt19937_64 rng_;
    double clockWeight_ = 12;  // of the race clock's ticks against the players' keys
    int below(size_t n) { return int(rng_() % n); }
    bool percent(int p) { return below(100) < p; }
    const auto& oneOf(const auto& items) { return items[below(std::size(items))]; }

public:
    Monkey(FreshScreens& fresh, quint64 seed) : fresh_(fresh), clock_(fresh.clock()), rng_(seed) {}
    std::set<int> played;  // screens that got an event

    // The program starts anew: every screen discarded, then the splash or the entry screen
    void restart() { fresh_.restart(), percent(50) ? forms().Form5.show() : forms().Form2.show(); }

    // One event on a screen shown
    void play()
    {
        std::vector<int> shown;
        for (int n = 0; n < 7; ++n)
            if (screens()[n]->isShown()) shown.push_back(n);
        const int n = oneOf(shown);
        ui::Form& form = *screens()[n];
        played.insert(n);
        std::vector<Action> actions = actionsOn(n);
        const int otherKey = percent(30) ? oneOf(kEditKeys) : Qt::Key_Space + below(Qt::Key_Z - Qt::Key_Space + 1);
        actions.insert(actions.end(), {{3, [&] { key(form, oneOf(kPlayerKeys)); }},
                                       {n == 4 ? 17. : 2, [&] { key(form, Qt::Key_Escape); }},  // skips the splash
                                       {5, [&] { key(form, otherKey); }},  // a letter, digit or sign, or an edit key
                                       {kCloseWeights[n], [&] { form.window()->close(); }}});
        const auto weights = actions | std::views::transform(&Action::weight);
        actions[std::discrete_distribution<size_t>(weights.begin(), weights.end())(rng_)].run();
    }

private:
    // One period of a timer passes, while it runs
    Action tick(double weight, ui::Timer& timer, int ms) { return {timer.Enabled() ? weight : 0, [this, ms] { clock_.advance(ms); }}; }

    // What a screen gets besides keys and its title bar's close button; only that screen's
    // controls are touched, as touching one loads its screen
    std::vector<Action> actionsOn(int screen)
    {
        Forms& f = forms();
        std::vector<Action> actions;
        switch (screen) {
        case 0:
            // Keys dominate once the race runs; during the countdown they are false starts. Each
            // race gets its own pace of presses against clock ticks, so that some races set records.
            if (f.Form1.Timer1->Enabled()) clockWeight_ = 2 + below(24);
            return {tick(60, f.Form1.Timer1.get(), 1000), tick(clockWeight_, f.Form1.Timer2.get(), 100),
                    {f.Form1.Timer2->Enabled() ? 80.0 : 0, [this, &f] { key(f.Form1, laneKey(f.Form1)); }}};
        case 1:
            actions = {click(6, f.Form2.Command1.get()), click(2, f.Form2.Command4.get()), click(0.8, f.Form2.Command2.get())};
            for (int player = 1; player <= 4; ++player) {
                ui::TextBox& name = f.Form2.nameBox(player).get();
                actions.insert(actions.end(), {click(6, f.Form2.check(player).get()),
                                               click(2, *f.Form2.Command3(player)),
                                               {name.Enabled() ? 8.0 : 0, [this, &name] { enter(name); }}});
            }
            return actions;
        case 2:
            return {click(40, f.Form3.Command3.get()), click(30, f.Form3.Command1.get()), click(20, f.Form3.Command2.get())};
        case 3: return {tick(60, f.Form4.Timer1.get(), 1000)};
        case 4: return {tick(50, f.Form5.Timer1.get(), 1000)};
        case 5: return {};  // the runner picker, left by keys and its close button; its buttons are its own test's
        default: return {click(40, f.Form7.Command1.get())};
        }
    }

    // Pressed, then released, on the focused control or on the window itself when none has the focus
    void key(ui::Form& screen, int qtKey)
    {
        const QChar ascii = QLatin1Char(QTest::keyToAscii(Qt::Key(qtKey)));
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            if (!screen.isShown()) return;  // the press closed it
            QKeyEvent sent(type, qtKey, Qt::NoModifier, ascii.isNull() ? QString() : QString(ascii));
            QWidget* focused = screen.window()->focusWidget();
            QApplication::sendEvent(focused ? focused : screen.window(), &sent);
        }
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

    // Printable text typed key by key, or a paste inserted whole and cut to the box's length
    void enter(ui::TextBox& box)
    {
        const bool pasted = percent(25);
        QString text;
        for (int length = below(15); length > 0; --length) text += QChar(u' ' + below(95));
        box.lineEdit()->setFocus();
        if (!pasted && percent(30)) box.lineEdit()->selectAll();
        pasted ? box.lineEdit()->insert(oneOf(kPastes)) : QTest::keyClicks(box.lineEdit(), text);
    }
};

}  // namespace

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
        RecordingPlatform& platform = fresh_.reset();
        const quint64 seed = qEnvironmentVariable("TAPDASH_MONKEY_SEED", "19980514").toULongLong();
        const int events = qEnvironmentVariable("TAPDASH_MONKEY_EVENTS", QString::number(kDefaultEvents)).toInt();
        // First, for a run the game itself aborts
        std::printf("monkey: seed %llu, %d events\n", seed, events);
        std::fflush(stdout);

        Monkey monkey(fresh_, seed);
        int races = 0, records = 0, programEnds = 0;
        monkey.restart();
        for (int index = 0; index < events; ++index) {
            monkey.play();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (index % 8 == 0) QCoreApplication::sendPostedEvents();  // now and then, what was deferred and a paint
            for (QWidget* window : QApplication::topLevelWidgets())
                if (index % 8 == 0 && window->isVisible()) window->grab();
            const bool raceOver = std::exchange(platform.messages, {}).contains("The race is over");
            races += raceOver;
            records += raceOver && forms().Form3.isLoaded() && forms().Form3.Label8->Visible();
            const bool ended = std::exchange(platform.programEnds, 0) > 0;
            const QString fault = broken(ended);
            QVERIFY2(fault.isEmpty(), qPrintable(QString("event %1: %2\nreplay: TAPDASH_MONKEY_SEED=%3 TAPDASH_MONKEY_EVENTS=%4")
                                                     .arg(QString::number(index), fault, QString::number(seed), QString::number(index + 1))));
            programEnds += ended;
            if (ended) monkey.restart();
        }
        std::printf("monkey: %d events on %zu screens: %d races finished, %d records set, %d program ends\n", events,
                    monkey.played.size(), races, records, programEnds);
        // A full-length run that never got somewhere has lost its weights.
        QVERIFY(events < kDefaultEvents
                || (monkey.played.size() == 7 && races >= 10 && records >= 1 && programEnds >= 5));
    }
};

TAPDASH_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"

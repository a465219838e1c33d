// Gamepads on SDL's virtual pads, through the real screens: a four-pad race to its results and
// back by Start; false starts and message boxes; pads unplugged and plugged mid-race; a flood of
// presses; and the pads starting only when they may, or not at all.
#include <list>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "test_main.h"
#include "app/pad_play.h"
#include "fresh_screens.h"
#include "hold_permissions.h"
#include "play.h"
#include "stderr_capture.h"
#include "virtual_pad.h"

namespace {

constexpr auto kFirst = SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kSecond = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;

QString counter(int lane) { return forms().Form1.label(race::kLanes[lane - 1].counterLabel)->Caption(); }
bool marked(int player) { return forms().Form2.PadMark(player)->Visible(); }

}  // namespace

class PadsTest : public QObject {
    Q_OBJECT
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    std::unique_ptr<pads::Pads> pads;
    std::list<VirtualPad> plugged;  // attached in order, unplugged before SDL goes

    VirtualPad& plugIn() { VirtualPad& pad = plugged.emplace_back(); pads->pump(); return pad; }
    void press(VirtualPad& pad, SDL_GameControllerButton button)
    {
        for (bool down : {true, false}) pad.hold(button, down), pads->pump();
    }
    void run(VirtualPad& pad, int presses) { for (int n = 0; n < presses; ++n) press(pad, n % 2 ? kSecond : kFirst); }
    void play(const QStringList& names)
    {
        forms().Form2.show();
        for (int player = 1; player <= names.size(); ++player) enter(player, names[player - 1]);
        forms().Form2.Command1->click();  // "Play"
    }

private slots:
    void init()
    {
        platform = &stage.reset();
        pads = std::make_unique<pads::Pads>(TAPDASH_PADS_MODULE);
        playWithPads(*pads, forms());
        pads->startNow();
        QVERIFY(pads->running());
    }
    void cleanup() { plugged.clear(), pads.reset(); }

    // Pads numbered as plugged in, each one more pair of keys for its lane beside the keyboard's,
    // the same rules for both; the results as with keys; Start runs the same players again.
    void fourPadsRaceAndRaceAgain()
    {
        VirtualPad& one = plugIn();
        plugIn(), plugIn(), plugIn();
        QVERIFY(marked(1) && marked(2) && marked(3) && marked(4));
        play({"Ann", "Bo", "Cy", "Di"}), countDown(stage.clock());
        press(one, kSecond), press(one, kFirst), press(one, kFirst);  // out of turn, in turn, again
        forms().Form1.keyDown('O', 0);                                // lane 1's second key
        QCOMPARE(counter(1), "2");
        for (int pad : {4, 2, 3}) run(*std::next(plugged.begin(), pad - 1), 100);
        run(one, 98);
        QCOMPARE(platform->messages, QStringList{"The race is over"});
        QStringList rows;
        for (int row = 1; row <= 4; ++row) rows << forms().Form3.Label6(row)->Caption() + forms().Form3.Label1(row)->Caption();
        QCOMPARE(rows, (QStringList{"1Di", "2Bo", "3Cy", "4Ann"}));
        press(one, SDL_CONTROLLER_BUTTON_START);
        QVERIFY(forms().Form1.isShown() && !forms().Form3.isLoaded());
        QCOMPARE(lanesSetUp(), (QList<int>{1, 2, 3, 4}));
    }

    // Any button of a numbered pad in the countdown is a false start, but not one held as its pad
    // came, nor any of a fifth pad; A closes the box as Return does.
    void falseStartsAndMessageBoxes()
    {
        VirtualPad& one = plugIn();
        play({"Ann", "Bo"});
        stage.clock().advance(1000);
        VirtualPad& two = plugged.emplace_back();
        two.hold(kFirst, true);
        pads->pump();
        plugIn(), plugIn();
        VirtualPad& fifth = plugIn();
        press(fifth, kFirst);
        two.hold(kFirst, false), pads->pump();
        QVERIFY(platform->messages.isEmpty());
        press(two, kFirst);
        QCOMPARE(platform->messages, QStringList{"Oi don't cheat"});
        stage.clock().advance(1000);

        platform->realBoxes = true;  // the game's box, closed by A from inside its own loop
        bool stuck = false;
        QObject box;  // the timers go with the test
        QTimer::singleShot(0, &box, [&] { press(one, SDL_CONTROLLER_BUTTON_A); });
        QTimer::singleShot(5000, &box, [&] { if ((stuck = QApplication::activeModalWidget())) QApplication::activeModalWidget()->close(); });
        press(one, SDL_CONTROLLER_BUTTON_X);
        platform->realBoxes = false;
        QVERIFY(!stuck && !QApplication::activeModalWidget());
        QCOMPARE(forms().Form1.Label15->Caption(), "5");
    }

    // Unplugged, the lane goes on with its keys; the next pad plugged in takes the free number
    // and its presses count from then on. The entry screen follows.
    void unpluggedAndPluggedMidRace()
    {
        plugIn();
        VirtualPad& two = plugIn();
        play({"Ann", "Bo"}), countDown(stage.clock());
        press(two, kFirst);
        two.unplug(), pads->pump();
        QVERIFY(!pads->connected(2) && marked(1) && !marked(2));
        forms().Form1.keyDown('Q', 0);
        VirtualPad& third = plugIn();
        QVERIFY(pads->connected(2) && marked(2));
        press(third, kFirst);
        QCOMPARE(counter(2), "3");
    }

    // Presses come in faster than the screen handles them: the event loop runs between batches.
    void aFloodNeverHoldsUpTheScreen()
    {
        VirtualPad& one = plugIn();
        play({"Ann"}), countDown(stage.clock());
        for (int n = 0; n < 90; ++n)
            for (bool down : {true, false}) one.hold(n % 2 ? kSecond : kFirst, down), SDL_JoystickUpdate();
        pads->pump();
        QVERIFY(counter(1).toInt() > 0 && counter(1).toInt() < 90);
        for (int loops = 0; loops < 90 && counter(1) != "90"; ++loops) QCoreApplication::processEvents();
        QCOMPARE(counter(1), "90");
    }

    // SDL is loaded once a device may be read, and one that cannot start is one line on standard
    // error.
    void startingOnlyWhenAPadMayBeThere()
    {
        cleanup();
        QTemporaryDir scratch;
        const QDir devices(scratch.filePath("input"));
        QVERIFY(devices.mkpath(".") && QFile(devices.filePath("event1")).open(QIODevice::WriteOnly));
        QFile::setPermissions(devices.filePath("event1"), {});
        pads::Pads waiting(TAPDASH_PADS_MODULE, devices.path());
        {
            const auto held = holdPermissions();
            waiting.start();
        }
        QVERIFY(!waiting.running());
        QVERIFY(QFile(devices.filePath("event2")).open(QIODevice::WriteOnly));
        QTRY_VERIFY(waiting.running());

        pads::Pads broken(QStringLiteral("no-such-module.so"));
        const QStringList said = stderrLines([&] { broken.startNow(); });
        QVERIFY2(said.size() == 1 && said[0].contains("no gamepads") && !broken.running(), qPrintable(said.join('\n')));
    }
};

TAPDASH_TEST_MAIN(PadsTest)
#include "pads_test.moc"

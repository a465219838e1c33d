// Key handling on the race screen: the time from a key press's arrival at the race screen's window
// to the end of the repaint it causes, over four-player races until 10,000 presses have been
// accepted (every press here is accepted: each player presses their two keys in turn). The press
// comes in as the event loop hands over one from the window system; the clock stops once the
// events the press posted (the update request among them) have been handled, as the event loop
// would handle them next, which paints the changed runner and counter and hands the picture to the
// X server. Clock ticks and window-system events are let through between presses, untimed.
//
// The floor, measured the same way and in turns with the races so both meet the same machine: an
// empty window of the race screen's size that repaints itself whole on every key.
//
// With the argument "huge", every player runs the runner file huge.rnx of the working directory,
// and the races stop at 2,000 presses. "write-huge-runner" writes that file, the largest picture
// the game takes (4096 x 4096 pixels, 16 bits a channel), in a run of its own: making it takes
// memory that must not count in the peak of the runs that race with it.
//
// With --full-screen the game runs in full screen, and the floor fills the display too.
//
// With --pads the players press the shoulder buttons of four of SDL's virtual pads instead, read
// through the game's own pads: the time runs from the pads' reading of SDL, which finds the press,
// to the end of the repaint. Then the share of a core the process uses on the entry screen with
// SDL running, for 3 s with the four pads connected and for 3 s after they are unplugged.
//
// Sound is on, on the default sound device, so the cues of the countdown, the finishes and the
// records play among the presses; each cue's delay from its play to its first samples handed to
// the device is reported too.
// Prints: presses game-median-ms game-p99-ms game-max-ms floor-median-ms floor-p99-ms
//         resident-kB-after-the-races peak-resident-kB cues cue-median-ms cue-p99-ms cue-max-ms
//         [cpu-%-with-pads cpu-%-without]
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/cues.h"
#include "app/forms.h"
#include "app/pad_play.h"
#include "bench/race_driver.h"
#include "tests/support/virtual_pad.h"
#include "ui/zoom.h"

namespace {

constexpr size_t kAcceptedPresses = 10000;
constexpr size_t kAcceptedPressesHuge = 2000;
constexpr int kPressesPerRace = 400;  // four players, 100 each

// Counts the paint events of every widget, to prove each timed press painted something.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class FloorWindow : public QWidget {
protected:
    void keyPressEvent(QKeyEvent*) override { update(); }
};

class Latencies {
public:
    Latencies() = default;
    explicit Latencies(const std::vector<double>& ms)
    {
        for (double sample : ms) samples_.push_back(qint64(sample * 1e6));
    }
    // One press delivered, timed to the end of what it posted; false when it painted nothing
    bool press(const std::function<void()>& deliver, const PaintCounter& counter)
    {
        QCoreApplication::processEvents();
        const int paintsBefore = counter.paints;
        QElapsedTimer clock;
        clock.start();
        deliver();
        QCoreApplication::sendPostedEvents();
        samples_.push_back(clock.nsecsElapsed());
        return counter.paints != paintsBefore;
    }
    size_t count() const { return samples_.size(); }
    // Milliseconds below which the given fraction of the presses lie
    double percentileMs(double fraction)
    {
        std::sort(samples_.begin(), samples_.end());
        const size_t rank = std::max<size_t>(size_t(fraction * double(samples_.size()) + 0.999999), 1);
        return double(samples_[rank - 1]) / 1e6;
    }

private:
    std::vector<qint64> samples_;
};

// The largest runner picture the game takes, in many colours so that no format packs it small
void writeHugeRunner()
{
    QImage picture(4096, 4096, QImage::Format_RGBA64);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgba64*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) line[x] = qRgba64(quint16(x * 16), quint16(y * 16), quint16((x ^ y) * 16), 65535);
    }
    if (!picture.save(QStringLiteral("huge.rnx"), "PNG")) qFatal("could not write the huge runner file");
}

// Four of SDL's virtual pads read through the game's pads, pad n playing lane n
class PadPlayers {
public:
    explicit PadPlayers(Forms& forms) : reader_(QStringLiteral(TAPDASH_PADS_MODULE))
    {
        playWithPads(reader_, forms);
        reader_.startNow();
        for (auto& pad : pads_) pad = std::make_unique<VirtualPad>();
        reader_.pump();
        if (!reader_.connected(4)) qFatal("the virtual pads did not connect");
    }
    // The lane's first (0) or second (1) button down or up, and the pads read
    void press(int lane, int button, bool down)
    {
        pads_[lane]->hold(button ? SDL_CONTROLLER_BUTTON_RIGHTSHOULDER : SDL_CONTROLLER_BUTTON_LEFTSHOULDER, down);
        reader_.pump();
    }
    void unplug()
    {
        for (auto& pad : pads_) pad->unplug();
        reader_.pump();
    }

private:
    pads::Pads reader_;
    std::array<std::unique_ptr<VirtualPad>, 4> pads_;
};

// The share of one core the process uses while its event loop waits for `ms`
double cpuPercentWaiting(int ms)
{
    const auto cpuUs = [] {
        rusage use{};
        getrusage(RUSAGE_SELF, &use);
        return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e6 + use.ru_utime.tv_usec + use.ru_stime.tv_usec;
    };
    const double before = cpuUs();
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec();
    return (cpuUs() - before) / (ms * 10.0);
}

// A figure of /proc/self/status, in kB: "VmRSS" now, "VmHWM" at its peak
long statusKb(const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name + ':')) return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "write-huge-runner") == 0) {
        writeHugeRunner();
        return 0;
    }
    QApplication app(argc, argv);
    const bool fullScreen = argc > 1 && QByteArray(argv[1]) == "--full-screen";
    LikeTheGame theGame(fullScreen);
    const bool huge = argc > 1 && qstrcmp(argv[1], "huge") == 0;
    if (huge && !QFile::exists(QStringLiteral("huge.rnx"))) qFatal("no huge.rnx: run with write-huge-runner first");
    const QString runnerFile = huge ? QStringLiteral("huge.rnx") : QStringLiteral("None");
    const size_t presses = huge ? kAcceptedPressesHuge : kAcceptedPresses;
    PaintCounter counter;
    app.installEventFilter(&counter);
    std::unique_ptr<PadPlayers> padPlayers;
    if (argc > 1 && QByteArray(argv[1]) == "--pads") padPlayers = std::make_unique<PadPlayers>(theGame.forms());
    FloorWindow floor;
    if (fullScreen) {
        floor.setGeometry(floor.screen()->geometry());
        floor.showFullScreen();
    } else {
        floor.resize(634, 455);
        floor.show();
    }
    if (!QTest::qWaitForWindowExposed(&floor)) qFatal("the floor window did not come up");

    GameSound& sound = theGame.sound();
    sound.open();
    while (sound.mixer().state() == sound::Mixer::State::Opening) QThread::msleep(1);
    if (sound.mixer().state() != sound::Mixer::State::Open) qFatal("no sound device");

    Latencies game, floorPresses;
    while (game.count() < presses) {
        race::Form1& race = startFourPlayerRace(theGame.forms(), runnerFile);
        for (int tick = 0; tick < 5; ++tick) race.engine.Timer1_Timer();  // the countdown, without its wait
        QWindow* window = race.window()->window()->windowHandle();
        const auto press = [&](int lane, int button, bool down) {
            if (padPlayers) padPlayers->press(lane, button, down);
            else sendKey(window, down ? QEvent::KeyPress : QEvent::KeyRelease, laneKeys[lane][button]);
        };
        for (int n = 0; n < kPressesPerRace && race.isLoaded(); ++n) {
            const int lane = n % 4, button = n / 4 % 2;
            const bool painted = game.press([&] { press(lane, button, true); }, counter);
            // The race's last press closes the race screen, window and all, instead of painting it.
            if (!race.isLoaded()) {
                if (padPlayers) padPlayers->press(lane, button, false);  // held, it would be no press next race
                break;
            }
            if (!painted) qFatal("a press on the race screen was not painted");
            press(lane, button, false);
        }
        if (race.isLoaded() || race.engine.finishCount() != 4) qFatal("a race did not end with four finishers");
        backToEntry(theGame.forms());

        for (int press = 0; press < kPressesPerRace; ++press) {
            if (!floorPresses.press([&] { sendKey(floor.windowHandle(), QEvent::KeyPress, Qt::Key_P); }, counter))
                qFatal("a press on the floor was not painted");
            sendKey(floor.windowHandle(), QEvent::KeyRelease, Qt::Key_P);
        }
    }

    const double max = game.percentileMs(1);
    Latencies cues(sound.mixer().startDelaysMs());
    if (cues.count() == 0) qFatal("no cue was played");
    std::printf("%zu %.3f %.3f %.3f %.3f %.3f %ld %ld %zu %.3f %.3f %.3f", game.count(), game.percentileMs(0.5),
                game.percentileMs(0.99), max, floorPresses.percentileMs(0.5), floorPresses.percentileMs(0.99), statusKb("VmRSS"),
                statusKb("VmHWM"),
                cues.count(), cues.percentileMs(0.5), cues.percentileMs(0.99), cues.percentileMs(1));
    if (padPlayers) {
        const double withPads = cpuPercentWaiting(3000);
        padPlayers->unplug();
        std::printf(" %.2f %.2f", withPads, cpuPercentWaiting(3000));
    }
    std::printf("\n");
    return 0;
}

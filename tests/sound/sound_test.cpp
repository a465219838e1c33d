// The game's sound through real SDL with no sound card: SDL's disk driver records what the game
// hands the device, a device buffer every millisecond. The race's cues are found in the recording
// in order, each starting within one device buffer of the event that plays it, with silence
// everywhere else; --mute, F12 and the stored choice keep it silent, and F12 in the countdown is
// no false start; without any driver the game plays on, saying so once.
#include <QTest>

#include <algorithm>
#include <chrono>
#include <optional>
#include <ranges>
#include <thread>
#include <vector>

#include "test_main.h"
#include "app/command_line.h"
#include "app/cues.h"
#include "file_bytes.h"
#include "fresh_screens.h"
#include "play.h"
#include "stderr_capture.h"
#include "ui/settings.h"

namespace {

// Polls the device's own thread (nothing in the game waits for time to pass meanwhile).
bool waitUntil(const std::function<bool()>& condition)
{
    for (int ms = 0; ms < 30'000 && !condition(); ++ms) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return condition();
}

// What the game hands the device and when: the recording, and the cues the test expects in it,
// each with the frames handed before and after the event that plays it.
class Ear {
public:
    explicit Ear(const char* driver = "disk") : file_(workPath(QStringLiteral("heard-%1.raw").arg(++recordings)))
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(file_));
        qputenv("SDL_DISKAUDIODELAY", "1");
    }
    bool opened(GameSound& sound)
    {
        mixer_ = &sound.mixer();
        sound.open();
        return waitUntil([this] { return mixer_->state() != sound::Mixer::State::Opening; })
               && mixer_->state() == sound::Mixer::State::Open;
    }

    // The cues start together between now and done(), which waits until the device has taken them.
    void expect(std::vector<Cue> cues) { heard_.push_back({std::move(cues), mixer_->framesHanded(), 0}); }
    bool done()
    {
        Heard& last = heard_.back();
        last.to = mixer_->framesHanded();
        const std::uint64_t end = last.to + sound::kBufferFrames + length(last.cues);
        return waitUntil([&] { return mixer_->idle() || mixer_->framesHanded() > end; });
    }
    bool hear(std::vector<Cue> cues, const std::function<void()>& event) { expect(std::move(cues)), event(); return done(); }
    // Closes the device, then finds each expected cue, alone or summed, where it should be, and
    // silence everywhere else. The recording begins with the silence SDL hands the device before
    // the mixer's first buffer (a buffer or two on a busy machine): its frames beyond those the
    // mixer handed over.
    void check() const
    {
        mixer_->close();
        const QByteArray bytes = fileBytes(file_);
        const std::span whole(reinterpret_cast<const std::int16_t*>(bytes.data()), bytes.size() / 2);
        QVERIFY(whole.size() >= mixer_->framesHanded() && whole.size() % sound::kBufferFrames == 0);
        const auto recording = whole.subspan(whole.size() - mixer_->framesHanded());
        auto silentFrom = whole.begin();
        for (const Heard& heard : heard_) {
            std::vector<std::int32_t> sum(length(heard.cues), 0);
            for (Cue cue : heard.cues)
                for (std::size_t i = 0; i < cueSamples(cue).size(); ++i) sum[i] += cueSamples(cue)[i];
            std::size_t at = heard.from;
            while (at <= heard.to + sound::kBufferFrames
                   && !(at + sum.size() <= recording.size() && std::equal(sum.begin(), sum.end(), recording.begin() + at)))
                ++at;
            QVERIFY2(at <= heard.to + sound::kBufferFrames, qPrintable(QStringLiteral("cue %1 not heard in time").arg(int(heard.cues[0]))));
            QVERIFY(std::all_of(silentFrom, recording.begin() + at, [](std::int16_t s) { return s == 0; }));
            silentFrom = recording.begin() + at + sum.size();
        }
        QVERIFY(std::all_of(silentFrom, recording.end(), [](std::int16_t s) { return s == 0; }));
    }

private:
    struct Heard { std::vector<Cue> cues; std::uint64_t from, to; };
    static std::size_t length(const std::vector<Cue>& cues)
    {
        return std::ranges::max(cues | std::views::transform([](Cue cue) { return cueSamples(cue).size(); }));
    }

    static inline int recordings = 0;
    QString file_;
    sound::Mixer* mixer_ = nullptr;
    std::vector<Heard> heard_;
};

}  // namespace

class SoundTest : public QObject {
    Q_OBJECT
    std::optional<GameSound> sound;  // made before the screens that play on it, gone after them
    FreshScreens stage;
    RecordingPlatform* platform = nullptr;
    const std::function<void()> tick = [this] { stage.clock().advance(1000); };  // the countdown's

private slots:
    void init() { platform = &stage.reset(), sound.reset(), ui::settings::setMuted(false); }

    // The game's sound, `off` as --mute would have it, and every screen made afresh to play on it
    GameSound& newSound(bool off) { stage.restart(&sound.emplace(off)); return *sound; }

    // A countdown with a false start, then a two-player race to a new record, through the screens
    void theRaceIsHeard()
    {
        Ear ear;
        {
            GameSound& sound = newSound(false);
            QVERIFY(ear.opened(sound));
            enter(1, "Ann"), enter(2, "Bo"), forms().Form2.Command1->click();  // "Play"
            QVERIFY(ear.hear({Cue::Count}, tick) && ear.hear({Cue::Count}, tick));
            QVERIFY(ear.hear({Cue::FalseStart}, [] { forms().Form1.keyDown('P', 0); }));
            QCOMPARE(platform->messages, QStringList{"Oi don't cheat"});
            for (int count = 0; count < 4; ++count) QVERIFY(ear.hear({Cue::Count}, tick));
            QVERIFY(ear.hear({Cue::Go}, tick));
            tickClock(stage.clock(), 3);
            QVERIFY(ear.hear({Cue::Win}, [] { runLane(2); }));
            for (int press = 0; press < 99; ++press) forms().Form1.keyDown(press % 2 ? 'O' : 'P', 0);
            // The last finish is heard while "The race is over" waits for OK, the record after it.
            ear.expect({Cue::Finish});
            platform->whenShown = [&] { QVERIFY(ear.done()); ear.expect({Cue::Record}); };
            forms().Form1.keyDown('O', 0);
            QVERIFY(ear.done() && forms().Form3.Label8->Visible());  // "New"
            // Cues sound together, added.
            QVERIFY(ear.hear({Cue::Count, Cue::FalseStart}, [&] { sound.play(Cue::Count), sound.play(Cue::FalseStart); }));
            ear.check();
        }
        // They begin and end in silence, without a step.
        for (Cue cue : {Cue::Count, Cue::Go, Cue::FalseStart, Cue::Finish, Cue::Win, Cue::Record}) {
            const sound::Samples s = cueSamples(cue);
            QVERIFY(s.front() == 0 && s.back() == 0 && std::abs(s[1]) < 100 && std::abs(s[s.size() - 2]) < 100);
        }
    }

    // --mute, F12 and the stored choice: nothing reaches the device, and F12, held or not, is never a
    // race key
    void quietWhenAsked()
    {
        Ear ear;
        std::array arguments{const_cast<char*>("tapdash"), const_cast<char*>("--mute")};
        GameSound& muted = newSound(parseCommandLine(2, arguments.data()).muted);
        muted.open();
        QCOMPARE(muted.mixer().state(), sound::Mixer::State::Closed);  // not even opened
        enter(1, "Ann"), forms().Form2.Command1->click();
        tick();
        QWidget* race = forms().Form1.window();
        QTest::keyClick(race, Qt::Key_F12);  // sound on: the device opens now
        QVERIFY(!ui::settings::muted() && ear.opened(muted));
        QVERIFY(ear.hear({Cue::Count}, tick));
        QTest::keyClick(race, Qt::Key_F12);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier, QString(), true);  // held down: no switch
        QApplication::sendEvent(race, &held);
        QVERIFY(ui::settings::muted() && platform->messages.isEmpty());  // no false start
        tick(), tick();  // not heard, then or later
        QCOMPARE(forms().Form1.Label15->Caption(), "1");
        QTest::keyClick(race, Qt::Key_F12);
        QVERIFY(ear.hear({Cue::Go}, tick));
        QTest::keyClick(race, Qt::Key_F12);
        ear.check();

        GameSound& stored = newSound(false);  // muted, as F12 left it
        stored.open();
        QVERIFY(stored.muted() && stored.mixer().state() == sound::Mixer::State::Closed);
    }

    // No driver at all: one line on standard error, no message box, and the race is run
    void noSoundNoTrouble()
    {
        Ear ear("no-such-driver");
        const QStringList said = stderrLines([&] {
            GameSound& sound = newSound(false);
            QVERIFY(!ear.opened(sound));
            sound.setMuted(true), sound.setMuted(false);  // not tried again
            enter(1, "Ann"), enter(2, "Bo"), forms().Form2.Command1->click();
            runRace(stage.clock(), 5);
        });
        QVERIFY2(said.size() == 1 && said[0].startsWith("sound_test: no sound"), qPrintable(said.join('\n')));
        QCOMPARE(platform->messages, QStringList{"The race is over"});
        QVERIFY(forms().Form3.isShown());
    }
};

TAPDASH_TEST_MAIN(SoundTest)
#include "sound_test.moc"

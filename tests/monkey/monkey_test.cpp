// Random play through all seven screens, from a seed, checking the game's invariants after every
// event. TAPDASH_MONKEY_SEED and TAPDASH_MONKEY_EVENTS replace the seed and the event count;
// TAPDASH_MONKEY_TRACE prints every event as it is played (for a replay that crashes).
#include <cstdio>
#include <deque>
#include <map>
#include <set>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStyleFactory>
#include <QTest>

#include "app/forms.h"
#include "game_invariants.h"
#include "monkey.h"
#include "race/best_time_file.h"
#include "recording_platform.h"
#include "ui/fonts.h"

namespace {

constexpr quint64 kDefaultSeed = 19980514;
constexpr int kDefaultEvents = 20000;
constexpr int kRecentEvents = 20;
constexpr int kPaintEvery = 8;  // events between two paints of the shown screens

QtMessageHandler testLogger = nullptr;

// The offscreen platform warns on every raise(), and every screen shown asks for one.
void withoutRaiseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QLatin1String("This plugin does not support raise()")) testLogger(type, context, message);
}

quint64 fromEnvironment(const char* name, quint64 fallback)
{
    if (!qEnvironmentVariableIsSet(name)) return fallback;
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    if (!ok) qFatal("%s is not a number", name);
    return value;
}

std::set<QString> shownScreens()
{
    std::set<QString> shown;
    for (const NamedScreen& screen : allScreens())
        if (screen.form->isShown()) shown.insert(screen.name);
    return shown;
}

// The shown screens painted as the window system would, then what the event loop deferred
void paintAndSettle()
{
    QCoreApplication::sendPostedEvents();
    for (const NamedScreen& screen : allScreens())
        if (screen.form->isShown()) screen.form->window()->grab();
}

struct Tally {
    int races = 0, records = 0, falseStarts = 0, otherMessages = 0, programEnds = 0;
    std::map<QString, int> screensShown;

    void count(const QStringList& messages)
    {
        for (const QString& message : messages) {
            if (message == QLatin1String("The race is over")) {
                ++races;
                records += forms().Form3.isLoaded() && forms().Form3.Label8->Visible();
            } else if (message == QLatin1String("Oi don't cheat")) {
                ++falseStarts;
            } else {
                ++otherMessages;
            }
        }
    }
    void countNewlyShown(const std::set<QString>& before)
    {
        for (const QString& screen : shownScreens())
            if (!before.count(screen)) ++screensShown[screen];
    }
};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testLogger = qInstallMessageHandler(withoutRaiseWarnings);
        QApplication::setApplicationName(QStringLiteral("tapdash"));
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::installFontSubstitutes();
        // A broken runner file and folders for the picker to wander
        QVERIFY(QDir().mkpath(QStringLiteral("more/deeper")));
        QFile broken(QStringLiteral("broken.rnx"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("GIF89a\x01") > 0);
    }

    void cleanupTestCase() { discardForms(); }

    void everyInvariantHoldsThroughRandomPlay()
    {
        const quint64 seed = fromEnvironment("TAPDASH_MONKEY_SEED", kDefaultSeed);
        const int events = int(fromEnvironment("TAPDASH_MONKEY_EVENTS", kDefaultEvents));
        const bool trace = qEnvironmentVariableIsSet("TAPDASH_MONKEY_TRACE");
        // Printed first, for a run the game itself aborts
        std::printf("monkey: seed %llu, %d events (replay: TAPDASH_MONKEY_SEED=%llu, with TAPDASH_MONKEY_TRACE=1 "
                    "to print every event)\n", seed, events, seed);
        std::fflush(stdout);

        // Every run starts from the same files, so a seed replays exactly.
        const QString bestTimeFile = race::bestTimeFilePath(QStringLiteral("C:\\Windows\\tapdash.ini"));
        QFile::remove(bestTimeFile);
        QFile::remove(QStringLiteral("temp.tmp"));

        RecordingPlatform platform;
        Monkey monkey(seed);
        GameInvariants invariants(bestTimeFile);
        Tally tally;
        std::deque<QString> recent;
        const auto log = [&](int index, const QString& what) {
            recent.push_back(QStringLiteral("#%1 %2").arg(index).arg(what));
            if (recent.size() > kRecentEvents) recent.pop_front();
            if (!trace) return;
            std::printf("%s\n", qPrintable(recent.back()));
            std::fflush(stdout);
        };

        QElapsedTimer clock;
        clock.start();
        log(-1, monkey.restart());
        for (int index = 0; index < events; ++index) {
            const std::set<QString> before = shownScreens();
            const qsizetype messagesBefore = platform.messages.size();
            const int endsBefore = platform.programEnds;
            log(index, monkey.play());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (index % kPaintEvery == 0) paintAndSettle();

            const QStringList messages = platform.messages.mid(messagesBefore);
            for (const QString& message : messages) log(index, QStringLiteral("message box \"%1\"").arg(message));

            const bool ended = platform.programEnds != endsBefore;
            const QString broken = invariants.check(ended);
            if (!broken.isEmpty()) {
                QStringList report{QStringLiteral("seed %1, event %2: %3").arg(seed).arg(index).arg(broken),
                                   QStringLiteral("the last events:")};
                report.append(QStringList(recent.begin(), recent.end()));
                report << QStringLiteral("replay: TAPDASH_MONKEY_SEED=%1 TAPDASH_MONKEY_EVENTS=%2").arg(seed).arg(index + 1);
                QFAIL(qPrintable(report.join(u'\n')));
            }
            tally.count(messages);
            tally.countNewlyShown(before);
            if (ended) {
                ++tally.programEnds;
                log(index, monkey.restart());
                tally.countNewlyShown({});
            }
        }

        std::printf("monkey: %d events in %.1f s: %d races finished, %d records set, %d false starts, "
                    "%d other messages, %d program ends\nmonkey: screens shown:",
                    events, clock.elapsed() / 1000.0, tally.races, tally.records, tally.falseStarts,
                    tally.otherMessages, tally.programEnds);
        for (const auto& [screen, times] : tally.screensShown) std::printf(" %s %d,", qPrintable(screen), times);
        std::printf("\n");
        // A full-length run that never got somewhere has lost its weights.
        if (events >= kDefaultEvents) {
            QCOMPARE(tally.screensShown.size(), allScreens().size());
            QVERIFY(tally.races >= 10 && tally.records >= 1 && tally.programEnds >= 5);
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"

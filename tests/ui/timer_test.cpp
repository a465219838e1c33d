// Screen timers on real time: a fresh interval on enabling, ticks dropped while a message box is
// open, ticks caught up after the event loop was held up. Timings only ever bound from one side,
// so a slow machine cannot fail them.
#include <QElapsedTimer>
#include <QTest>

#include "test_main.h"
#include "recording_platform.h"
#include "ui/timer.h"

class TimerTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;
    int ticks = 0;

private slots:
    void init() { ticks = platform.holdOpenMs = 0; }

    void enablingStartsAFreshInterval()
    {
        ui::Timer timer(300);
        timer.event = [this] { ++ticks; };
        QTest::qWait(200);
        const int before = ticks;
        static_cast<ui::Control&>(timer).setEnabled(false);  // as a screen's window stops it
        timer.setEnabled(true);
        QElapsedTimer sinceRestart;
        sinceRestart.start();
        QTest::qWait(200);  // past the end of the interval that was running
        if (sinceRestart.elapsed() < 290) QCOMPARE(ticks, before);
        QTRY_VERIFY(ticks > before);
    }

    void ticksFallingDueWhileAMessageBoxIsOpenAreDropped()
    {
        platform.holdOpenMs = 350;
        for (bool openedByTheTick : {false, true}) {
            ticks = 0;
            ui::Timer timer(100);
            timer.event = [this, openedByTheTick] {
                if (++ticks == 1 && openedByTheTick) ui::msgBox("opened by the tick");
            };
            if (!openedByTheTick) ui::msgBox("opened elsewhere");
            QTRY_VERIFY(ticks >= int(openedByTheTick));
            QTest::qWait(30);
            QVERIFY2(ticks <= 1 + int(openedByTheTick), qPrintable(QString::number(ticks)));
        }
    }

    void ticksMissedWhileTheLoopWasBusyComeOnItsNextTurn()
    {
        ui::Timer timer(100);
        timer.event = [this] { ++ticks; };
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 350) {
        }
        // Less than one period: a timer that does not catch up ticks once or twice here.
        QElapsedTimer turn;
        turn.start();
        while (ticks < 3 && turn.elapsed() < 90) QCoreApplication::processEvents();
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }
};

TAPDASH_TEST_MAIN(TimerTest)
#include "timer_test.moc"

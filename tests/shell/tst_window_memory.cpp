#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <unistd.h>

using namespace kymata;

namespace {

/// The resident memory of this process in bytes.
long ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : -1;
}

} // namespace

class TestWindowMemory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void redrawsDoNotGrowMemory();
    void playingDoesNotGrowMemory();
    void playingSurvivesEverySwitch();
};

void TestWindowMemory::redrawsDoNotGrowMemory() {
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QScrollBar* index = w->findChild<QScrollBar*>(QStringLiteral("n_DIATHLASI"));
    QSignalSpy redraws(w.get(), &DHMIOYRGO_KYKLO::FigureRedrawn);
    // Every redraw through the scroll bar's handler, spherical and hyperbolic, each painted.
    const auto redraw = [&](int k) {
        index->setValue(k % 2 == 0 ? 150 : 151);
        if (k % 500 == 0) {
            w->YPERVOLIKO_Click();
        }
        QApplication::processEvents();
    };
    for (int k = 0; k < 100; ++k) {
        redraw(k);
    }
    const long settled = ResidentBytes();
    QVERIFY(settled > 0);
    for (int k = 100; k < 10100; ++k) {
        redraw(k);
    }
    QVERIFY(redraws.count() >= 10100);
    const long grown = ResidentBytes() - settled;
    qInfo("resident memory after 100 redraws: %.1f MB; grown by %.2f MB over 10,000 more",
          settled / 1048576.0, grown / 1048576.0);
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer keeps freed memory in quarantine; LeakSanitizer checks leaks here");
#else
    QVERIFY2(grown < 2 * 1024 * 1024, qPrintable(QString::number(grown)));
#endif
}

// An hour of moving waves at 60 frames a second, compressed: every frame computed and drawn
// into the canvas's recording, every hundredth painted, flashes now and then.
void TestWindowMemory::playingDoesNotGrowMemory() {
    const std::unique_ptr<DHMIOYRGO_KYKLO> w(Main());
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->SetWaveView(true);
    const auto play = [&](int frames) {
        for (int k = 0; k < frames; ++k) {
            w->Advance(1.0 / 60);
            if (k % 5000 == 0) {
                w->Flash();
                w->SetPlaying(false);
            }
            if (k % 100 == 0) {
                QApplication::processEvents();
            }
        }
    };
    play(1000);
    const long settled = ResidentBytes();
#if defined(__SANITIZE_ADDRESS__)
    const int frames = 10000;
#else
    const int frames = 100000;
#endif
    play(frames);
    const long grown = ResidentBytes() - settled;
    qInfo("resident memory grown by %.2f MB over %d frames of moving waves", grown / 1048576.0,
          frames);
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer keeps freed memory in quarantine; LeakSanitizer checks leaks here");
#else
    QVERIFY2(grown < 2 * 1024 * 1024, qPrintable(QString::number(grown)));
#endif
}

// Stopping, starting, switching views and closing the window while the waves play: nothing
// breaks, and no clock runs on once the wave view is left.
void TestWindowMemory::playingSurvivesEverySwitch() {
    auto w = std::unique_ptr<DHMIOYRGO_KYKLO>(Main());
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const auto clocksRunning = [&] {
        int running = 0;
        for (const QTimer* timer : w->findChildren<QTimer*>()) {
            running += timer->isActive() ? 1 : 0;
        }
        return running;
    };
    const int idle = clocksRunning();
    for (int round = 0; round < 20; ++round) {
        w->SetWaveView(true);
        w->SetPlaying(true);
        QTest::qWait(20);
        if (round % 3 == 0) {
            w->Flash();
        }
        w->YPERVOLIKO_Click();
        QTest::qWait(20);
        w->SetPlaying(round % 2 == 0);
        w->SetWaveView(false);
        QVERIFY(!w->Playing());
        QCOMPARE(clocksRunning(), idle);
    }
    w->SetWaveView(true);
    w->SetPlaying(true);
    QTest::qWait(50);
    w->close();
    w.reset(); // closed and destroyed while playing
    QTest::qWait(50);
}

QTEST_MAIN(TestWindowMemory)
#include "tst_window_memory.moc"

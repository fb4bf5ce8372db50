// Requests that overlap: only the latest request's lists are ever published,
// with state 1, and an object goes away safely while its scan runs. Also run
// under ThreadSanitizer (label "threads").
#include "fileio.h"
#include "recordingwriter.h"
#include "telemetryextractor.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace velmora;

class TelemetryThreadsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_long;  // 3 channels, 60 s: 1800 records
    QString m_short; // 1 channel, 3 s: 90 records

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        fixtures::RecordingOptions options;
        options.channels = 3;
        options.seconds = 60;
        options.videoChunkSize = 2000;
        m_long = m_dir.filePath(QStringLiteral("R_20261206_081512_T_N.avi"));
        QVERIFY(fixtures::writeRecording(m_long, options).ok);
        options.channels = 1;
        options.seconds = 3;
        m_short = m_dir.filePath(QStringLiteral("R_20261206_090000_S_N.avi"));
        QVERIFY(fixtures::writeRecording(m_short, options).ok);
    }

    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    // Two quick requests: the state turns 1 only with the second's lists,
    // whichever scan is the longer one.
    void twoQuickRequests_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("samples");
        QTest::newRow("long, then short") << m_long << m_short << 90;
        QTest::newRow("short, then long") << m_short << m_long << 1800;
    }
    void twoQuickRequests() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, samples);
        FileIO file;
        file.readfilepath(first);
        file.readfilepath(second);
        // Whenever the state reads 1, the lists are the second request's.
        QElapsedTimer timer;
        timer.start();
        while (file.readProcessState() != 1 && timer.elapsed() < 20000)
            QThread::usleep(100);
        QCOMPARE(file.readProcessState(), 1);
        QCOMPARE(file.readPOICnt(), samples);
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(file.readProcessState(), 1);
        QCOMPARE(file.readPOICnt(), samples);
        QCOMPARE(file.readGioDataCnt(), samples / 30);
    }

    // Many requests and cancellations in a row, read from this thread while
    // the scans run: never a state 1 with another request's lists.
    void manyRequests() {
        TelemetryExtractor worker;
        for (int i = 0; i < 40; ++i) {
            const bool longOne = i % 2 == 0;
            worker.start(longOne ? m_long : m_short);
            if (i % 7 == 3)
                worker.cancel();
            for (int poll = 0; poll < 3; ++poll) {
                if (worker.state() == 1) {
                    QCOMPARE(worker.telemetry()->magnetic.size(), longOne ? 1800 : 90);
                }
                QThread::usleep(200);
            }
        }
        worker.start(m_long);
        worker.start(m_short);
        worker.waitForFinished();
        QCOMPARE(worker.state(), 1);
        QCOMPARE(worker.telemetry()->magnetic.size(), 90);
        QCOMPARE(worker.telemetry()->gio.size(), 3);
    }

    // A FileIO that goes away mid-scan waits for its worker; the scan
    // publishes nothing into the freed object.
    void destroyedWhileScanning() {
        for (int i = 0; i < 5; ++i) {
            auto file = std::make_unique<FileIO>();
            file->readfilepath(m_long);
            file.reset();
        }
        QVERIFY(QThreadPool::globalInstance()->waitForDone(20000));
    }
};

QTEST_GUILESS_MAIN(TelemetryThreadsTest)
#include "tst_telemetry_threads.moc"

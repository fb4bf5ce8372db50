// Overlapping requests publish only the latest lists; also run under ThreadSanitizer.
#include "fileio.h"
#include "recordingwriter.h"
#include "telemetryextractor.h"

#include <QtTest>

using namespace velmora;

class TelemetryThreadsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_long;  // 3 channels, 60 s: 1800 records
    QString m_short; // 1 channel, 3 s: 90 records

private slots:
    void initTestCase() {
        demo::RecordingOptions options;
        options.channels = 3;
        options.seconds = 60;
        options.videoChunkSize = 2000;
        m_long = m_dir.filePath(QStringLiteral("R_20261206_081512_T_N.avi"));
        QVERIFY(demo::writeRecording(m_long, options).ok);
        options.channels = 1;
        options.seconds = 3;
        m_short = m_dir.filePath(QStringLiteral("R_20261206_090000_S_N.avi"));
        QVERIFY(demo::writeRecording(m_short, options).ok);
    }

    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    // The state turns 1 only with the second request's lists, whichever is
    // longer: polled as often as the thread is given the processor.
    void twoQuickRequests() {
        for (const bool longFirst : {true, false}) {
            FileIO file;
            file.readfilepath(longFirst ? m_long : m_short);
            file.readfilepath(longFirst ? m_short : m_long);
            const int samples = longFirst ? 90 : 1800;
            QDeadlineTimer deadline(20000);
            while (file.readProcessState() != 1 && !deadline.hasExpired())
                QThread::yieldCurrentThread();
            QCOMPARE(QVector<int>({file.readProcessState(), file.readPOICnt()}),
                     QVector<int>({1, samples}));
            QThreadPool::globalInstance()->waitForDone();
            QCOMPARE(file.readGioDataCnt(), samples / 30);
        }
    }

    // Requests and cancellations in a row: never state 1 with another request's lists.
    void manyRequests() {
        TelemetryExtractor worker;
        for (int i = 0; i < 40; ++i) {
            const bool longOne = i % 2 == 0;
            worker.start(longOne ? m_long : m_short);
            if (i % 7 == 3)
                worker.cancel();
            for (int poll = 0; poll < 3; ++poll, QThread::yieldCurrentThread())
                QVERIFY(worker.state() != 1 ||
                        worker.telemetry()->magnetic.size() == (longOne ? 1800 : 90));
        }
        worker.waitForFinished();
    }

    // A FileIO destroyed mid-scan waits for its worker; nothing lands in freed memory.
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

// qrc:/main.qml with the real backend and players, over scratch cards of real
// HEVC recordings; the cases are the QML files in tests/mainscene.
#include "cardenvironment.h"
#include "loopcard.h"
#include "maptiles.h"
#include "pdftools.h"
#include "playerregistration.h"
#include "posixio.h"
#include "recordingwriter.h"
#include "registration.h"
#include "startup.h"
#include "testfiles.h"
#include "toolrunner.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QQmlContext>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtQuickTest>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// Volumes that the cases mount and unmount while the program runs.
struct ScratchVolumes : velmora::VolumeSource {
    QVector<velmora::Volume> volumes() const override { return list; }
    QVector<velmora::Volume> list;
};

// The settings are the user's copy, in the test mode's configuration folder.
QString userViewerConfig() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmora-viewer/viewer_config.txt");
}

// The default settings, as a fresh install has them, writable by the user.
void resetViewerConfig() {
    const QString config = userViewerConfig();
    QDir().mkpath(QFileInfo(config).absolutePath());
    QFile::remove(config);
    QFile::copy(QCoreApplication::applicationDirPath() + "/viewer_config.txt", config);
    QFile(config).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Writes and exports' reads made off the GUI thread hang, as on a slow card,
// while copies are held; they go on once released (or, should nothing release
// them, after a minute, so that a test cannot hang for good).
namespace heldCopies {
std::mutex mutex;
std::condition_variable released;
std::thread::id guiThread;
bool holding = false;
bool hanging = false;

void hangWhileHeld() {
    if (std::this_thread::get_id() != guiThread) {
        std::unique_lock<std::mutex> lock(mutex);
        hanging = holding;
        released.wait_for(lock, std::chrono::minutes(1), [] { return !holding; });
        hanging = false;
    }
}

ssize_t write(int fd, const void *data, size_t size) {
    hangWhileHeld();
    return ::write(fd, data, size);
}

ssize_t pread(int fd, void *data, size_t size, off_t offset) {
    hangWhileHeld();
    return ::pread(fd, data, size, offset);
}
} // namespace heldCopies

} // namespace

class MainSceneFixture : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    const std::shared_ptr<ScratchVolumes> volumes = std::make_shared<ScratchVolumes>();

    // A mounted card with the recordings {folder, name, channels, seconds,
    // headerSeconds, impactFrame}; headerSeconds puts an unknown chunk there,
    // where the header's duration ends; impactFrame puts a shock on the sensor
    // from that frame on. Returns its root with "/", or "" on failure.
    Q_INVOKABLE QString makeCard(const QString &label, const QVariantList &recordings) {
        const QString root = makeFolder() + '/';
        if (!writeRecordings(root, recordings))
            return QString();
        volumes->list.append({root, label, QStringLiteral("vfat")});
        return root;
    }

    // The same on an ext4 image mounted through a loop device (the card's
    // root is the mount point); "" with loopProblem() when that cannot be
    // done here.
    Q_INVOKABLE QString makeLoopCard(const QVariantList &recordings) {
        if (!m_loop.mount(makeFolder()))
            return QString();
        const QString root = m_loop.mountPoint() + '/';
        if (!writeRecordings(root, recordings))
            return QString();
        volumes->list.append({root, QStringLiteral("DASHCAM"), QStringLiteral("ext4")});
        return root;
    }
    Q_INVOKABLE QString loopProblem() const { return m_loop.problem(); }

    // The card is pulled: the loop card lazily unmounted (its folder stays),
    // any other card's folder removed; the volume list no longer has it.
    Q_INVOKABLE bool pullCard(const QString &root) {
        volumes->list.erase(
            std::remove_if(volumes->list.begin(), volumes->list.end(),
                           [&](const velmora::Volume &v) { return v.rootPath == root; }),
            volumes->list.end());
        if (root == m_loop.mountPoint() + '/')
            return m_loop.unmountLazily();
        return QDir(root).removeRecursively();
    }

    // A file of `bytes` that takes no room on the disk.
    Q_INVOKABLE bool makeSparseFile(const QString &path, qint64 bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(bytes);
    }

    // Copies and exports hang in their next write or read until
    // releaseCopies(). The table stays in place afterwards, passing every
    // call on.
    Q_INVOKABLE void holdCopies() {
        static const bool installed = [] {
            heldCopies::guiThread = std::this_thread::get_id();
            velmora::posixio::Calls calls = velmora::posixio::systemCalls();
            calls.write = heldCopies::write;
            calls.pread = heldCopies::pread;
            velmora::posixio::replaceCalls(calls);
            return true;
        }();
        Q_UNUSED(installed)
        std::lock_guard<std::mutex> lock(heldCopies::mutex);
        heldCopies::holding = true;
    }
    Q_INVOKABLE bool copyHangs() const {
        std::lock_guard<std::mutex> lock(heldCopies::mutex);
        return heldCopies::hanging;
    }
    // Lets the copies go on; true when one was still hanging in its write.
    Q_INVOKABLE bool releaseCopies() {
        std::lock_guard<std::mutex> lock(heldCopies::mutex);
        heldCopies::holding = false;
        heldCopies::released.notify_all();
        return heldCopies::hanging;
    }

    Q_INVOKABLE QString viewerConfigText() const {
        QFile file(userViewerConfig());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    Q_INVOKABLE void resetViewerConfig() { ::resetViewerConfig(); }

    // The settings file can no longer be replaced (its folder is read-only);
    // false when that cannot be done here. Undone by unlockViewerConfig().
    Q_INVOKABLE bool lockViewerConfig() {
        const QString config = userViewerConfig();
        const QByteArray bytes = readAll(config);
        m_lockedConfig = std::make_unique<ReadOnlyFolder>(QFileInfo(config).absolutePath(), [&] {
            QFile file(config);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        });
        return m_lockedConfig->ready();
    }
    Q_INVOKABLE void unlockViewerConfig() { m_lockedConfig.reset(); }

    Q_INVOKABLE void unmountAll() { volumes->list.clear(); }

    // An empty scratch folder, without "/" at the end.
    Q_INVOKABLE QString makeFolder() {
        m_dirs.push_back(std::make_unique<QTemporaryDir>());
        return m_dirs.back()->path();
    }

    Q_INVOKABLE bool makePath(const QString &path) { return QDir().mkpath(path); }
    // "WxH" of the PDF's pictures, in order.
    Q_INVOKABLE QStringList pdfImageSizes(const QString &pdf) const { return imageSizes(pdf); }
    // The text of a PDF; "" without poppler-utils.
    Q_INVOKABLE QString pdfText(const QString &pdf) const {
        return popplerInstalled() ? pdfTool("pdftotext", pdf) : QString();
    }
    Q_INVOKABLE bool remove(const QString &path) { return QFile::remove(path); }
    Q_INVOKABLE void writeFile(const QString &path, const QString &text) {
        writeAll(path, text.toUtf8());
    }
    // The bytes of a file in hex, to compare exactly; "" when it is missing.
    Q_INVOKABLE QString fileHex(const QString &path) const {
        return QString::fromLatin1(readAll(path).toHex());
    }
    // A mounted card holding only config.txt with `text`, that nothing can
    // write to; "" when that cannot be made here.
    Q_INVOKABLE QString makeReadOnlyCard(const QString &text) {
        const QString root = makeFolder();
        m_readOnly.push_back(std::make_unique<ReadOnlyFolder>(
            root, [&] { writeAll(root + "/config.txt", text.toUtf8()); }));
        if (!m_readOnly.back()->ready())
            return QString();
        volumes->list.append({root + '/', QStringLiteral("DASHCAM"), QStringLiteral("vfat")});
        return root + '/';
    }
    // velmora-tool config set CARD_DIR key=value...; its exit code.
    Q_INVOKABLE int configSet(const QString &card, const QStringList &assignments) const {
        return runTool(QStringList{"config", "set", card} + assignments).code;
    }
    Q_INVOKABLE QStringList files(const QString &folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    // What ffprobe reads of a video file's picture: {width, height, ms}; empty
    // without ffprobe.
    Q_INVOKABLE QVariantMap videoFacts(const QString &path) const {
        QProcess ffprobe;
        ffprobe.start(QStringLiteral("ffprobe"),
                      {"-v", "error", "-select_streams", "v:0", "-show_entries",
                       "stream=width,height,duration", "-of", "default=noprint_wrappers=1", path});
        QVariantMap facts;
        if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
            return facts;
        for (const QString &line : QString::fromUtf8(ffprobe.readAllStandardOutput()).split('\n')) {
            const QString key = line.section('=', 0, 0), value = line.section('=', 1);
            if (key == QLatin1String("duration"))
                facts["ms"] = qRound(value.toDouble() * 1000);
            else if (!key.isEmpty())
                facts[key] = value.toInt();
        }
        return facts;
    }

private:
    bool writeRecordings(const QString &root, const QVariantList &recordings) {
        for (const QVariant &item : recordings) {
            const QVariantMap r = item.toMap();
            velmora::demo::RecordingOptions options;
            options.payload = velmora::demo::Payload::Hevc;
            options.channels = r["channels"].toInt();
            options.seconds = r["seconds"].toInt();
            if (const int header = r["headerSeconds"].toInt())
                options.extraDataChunks.append({header * 30, "JUNK", 8, 0});
            options.drive.impactFrame = r.value("impactFrame", -1).toInt();
            const QString path = root + r["folder"].toString() + '/' + r["name"].toString();
            QDir(root).mkpath(r["folder"].toString());
            const auto result = velmora::demo::writeRecording(path, options);
            if (!result.ok) {
                qWarning().noquote() << "cannot write " + path + ": " + result.error;
                return false;
            }
        }
        return true;
    }

    std::vector<std::unique_ptr<QTemporaryDir>> m_dirs;
    std::unique_ptr<ReadOnlyFolder> m_lockedConfig;
    std::vector<std::unique_ptr<ReadOnlyFolder>> m_readOnly;
    LoopCard m_loop; // unmounted before its folder goes
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void applicationAvailable() {
        // The file dialog keeps its last folder in the application's settings.
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-tests"));
        QStandardPaths::setTestModeEnabled(true);
        resetViewerConfig();
        // The map draws offline tiles around the recordings' position and
        // asks no tile server for anything.
        const velmora::demo::GeoBox box{48.1160, 11.5145, 48.1186, 11.5190};
        velmora::demo::writeMapTiles(m_tiles.path(), velmora::demo::tilesCovering(box, 16, 17));
        qputenv("VELMORA_MAP_TILE_URL", "");
        qputenv("VELMORA_MAP_OFFLINE_DIR", m_tiles.path().toUtf8());
        velmora::registerBackendTypes();
        velmora::registerPlayerTypes();
    }

    void qmlEngineAvailable(QQmlEngine *engine) {
        velmora::setApplicationIdentity();
        auto *fixture = new MainSceneFixture(engine);
        velmora::CardEnvironment::attach(engine, fixture->volumes);
        velmora::publishBackendObjects(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"), fixture);
    }

private:
    QTemporaryDir m_tiles;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_mainscene, Setup)

#include "tst_mainscene.moc"

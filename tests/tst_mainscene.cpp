// The main window as the viewer builds it: qrc:/main.qml with the real
// backend and players, over camera cards made in a scratch folder from real
// HEVC recordings. The QML files in tests/mainscene hold the cases; this
// program gives them the cards (as mounted volumes labelled DASHCAM).
#include "cardenvironment.h"
#include "playerregistration.h"
#include "recordingwriter.h"
#include "registration.h"
#include "startup.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQmlContext>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtQuickTest>
#include <memory>

namespace {

// Volumes that the cases change while the program runs.
class ScratchVolumes : public velmora::VolumeSource {
public:
    QVector<velmora::Volume> volumes() const override { return m_volumes; }
    void add(const QString &root, const QString &label) {
        velmora::Volume v;
        v.rootPath = root;
        v.label = label;
        v.fileSystemType = QStringLiteral("vfat");
        v.bytesTotal = 31'914'983'424;
        v.bytesFree = 12'345'678'901;
        m_volumes.append(v);
    }
    void clear() { m_volumes.clear(); }

private:
    QVector<velmora::Volume> m_volumes;
};

// The settings are read from and written to the user's copy, in the test
// mode's configuration folder, not beside the program.
QString userViewerConfig() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmora-viewer/viewer_config.txt");
}

void freshViewerConfig() {
    QStandardPaths::setTestModeEnabled(true);
    const QString copy = userViewerConfig();
    QDir().mkpath(QFileInfo(copy).absolutePath());
    QFile::remove(copy);
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/viewer_config.txt"),
                copy);
    QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

// Makes cards and folders for the cases and answers questions about files.
class MainSceneFixture : public QObject {
    Q_OBJECT

public:
    explicit MainSceneFixture(std::shared_ptr<ScratchVolumes> volumes, QObject *parent)
        : QObject(parent)
        , m_volumes(std::move(volumes)) {}

    // A card with the five category folders and the given recordings, each
    // {folder, name, channels, seconds, headerSeconds}; it is mounted with
    // the label given. headerSeconds puts an unknown chunk after that many
    // seconds, where the header duration walk stops (players skip it).
    // Returns its root path with "/", or an empty text on failure.
    Q_INVOKABLE QString makeCard(const QString &label, const QVariantList &recordings) {
        const QString root = makeFolder() + '/';
        for (const char *folder : {"Drive", "DriveEvent", "Parking", "ParkingEvent", "Manual"})
            QDir().mkpath(root + QLatin1String(folder));
        for (const QVariant &item : recordings) {
            const QVariantMap r = item.toMap();
            velmora::demo::RecordingOptions options;
            options.payload = velmora::demo::Payload::Hevc;
            options.channels = r.value(QStringLiteral("channels"), 1).toInt();
            options.seconds = r.value(QStringLiteral("seconds"), 2).toInt();
            const int headerSeconds = r.value(QStringLiteral("headerSeconds"), 0).toInt();
            if (headerSeconds > 0)
                options.extraDataChunks.append({headerSeconds * 30, "JUNK", 8, 0});
            const QString path = root + r.value(QStringLiteral("folder")).toString() + '/' +
                                 r.value(QStringLiteral("name")).toString();
            const auto result = velmora::demo::writeRecording(path, options);
            if (!result.ok) {
                qWarning().noquote() << "cannot write " + path + ": " + result.error;
                return QString();
            }
        }
        m_volumes->add(root, label);
        return root;
    }

    // The viewer settings file the window reads and writes.
    Q_INVOKABLE QString viewerConfigText() const {
        QFile file(userViewerConfig());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // No card is mounted any more (the files stay).
    Q_INVOKABLE void unmountAll() { m_volumes->clear(); }

    // An empty scratch folder, without "/" at the end.
    Q_INVOKABLE QString makeFolder() {
        m_dirs.push_back(std::make_unique<QTemporaryDir>());
        return m_dirs.back()->path();
    }

    Q_INVOKABLE bool exists(const QString &path) const { return QFileInfo::exists(path); }
    Q_INVOKABLE bool remove(const QString &path) { return QFile::remove(path); }
    Q_INVOKABLE bool copy(const QString &from, const QString &to) { return QFile::copy(from, to); }
    Q_INVOKABLE QStringList files(const QString &folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

private:
    std::shared_ptr<ScratchVolumes> m_volumes;
    std::vector<std::unique_ptr<QTemporaryDir>> m_dirs;
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void applicationAvailable() {
        // The file dialog keeps its last folder in the application's settings.
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-tests"));
        freshViewerConfig();
        velmora::registerBackendTypes();
        velmora::registerPlayerTypes();
    }

    void qmlEngineAvailable(QQmlEngine *engine) {
        velmora::setApplicationIdentity();
        auto volumes = std::make_shared<ScratchVolumes>();
        velmora::CardEnvironment::attach(engine, volumes);
        velmora::publishBackendObjects(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"),
                                                  new MainSceneFixture(volumes, engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_mainscene, Setup)

#include "tst_mainscene.moc"

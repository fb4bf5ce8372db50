// The recording list, the top menu and the card dialog, each loaded from the
// resource bundle beside a stand-in main window and a real FileIO. The FileIO
// finds two camera cards made in a scratch folder; the QML files in
// tests/listscenes hold the cases.
#include "cardenvironment.h"
#include "registration.h"
#include "startup.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

namespace {

struct CardFile {
    const char *folder;
    const char *name;
};

// Category folders and recordings of the first card; within a folder the
// catalogue lists them newest (greatest name) first.
const CardFile FirstCard[] = {
    {"Drive", "R_20260301_100000_T_N.avi"},      {"Drive", "R_20260301_100100_T_N.avi"},
    {"Drive", "R_20260301_100200_T_N.avi"},      {"Drive", "R_20260301_100300_T_N.avi"},
    {"Drive", "R_20260301_100400_T_N.avi"},      {"Drive", "R_20260301_100500_T_N.avi"},
    {"DriveEvent", "R_20260301_110000_T_E.avi"}, {"DriveEvent", "R_20260301_110100_T_E.avi"},
    {"Parking", "R_20260301_120000_S_P.avi"},    {"Manual", "R_20260301_130000_D_M.avi"},
    {"Manual", "R_20260301_130100_D_M.avi"},     {"Manual", "R_20260301_130200_D_M.avi"},
};

const CardFile SecondCard[] = {
    {"Drive", "R_20260402_080000_T_N.avi"},
    {"Drive", "R_20260402_080100_T_N.avi"},
};

} // namespace

// The scratch cards, rebuilt for every case, and a few questions about files.
class CardFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString firstCard READ firstCard CONSTANT)
    Q_PROPERTY(QString secondCard READ secondCard CONSTANT)
    Q_PROPERTY(QString saveFolder READ saveFolder CONSTANT)

public:
    QString firstCard() const { return m_dir.filePath(QStringLiteral("card1")) + '/'; }
    QString secondCard() const { return m_dir.filePath(QStringLiteral("card2")) + '/'; }
    QString saveFolder() const { return m_dir.filePath(QStringLiteral("saved")); }

    // Both cards with every recording, and an empty save folder.
    Q_INVOKABLE bool reset() {
        for (const QString &folder : {firstCard(), secondCard(), saveFolder()}) {
            if (!QDir(folder).removeRecursively() || !QDir().mkpath(folder))
                return false;
        }
        return write(firstCard(), FirstCard) && write(secondCard(), SecondCard);
    }

    Q_INVOKABLE bool exists(const QString &path) const { return QFileInfo::exists(path); }

    // The names of the files in a folder, sorted.
    Q_INVOKABLE QStringList files(const QString &folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

private:
    template <size_t N> static bool write(const QString &root, const CardFile (&files)[N]) {
        for (const CardFile &f : files) {
            const QString folder = root + QLatin1String(f.folder);
            if (!QDir().mkpath(folder))
                return false;
            QFile file(folder + '/' + QLatin1String(f.name));
            // A few distinct bytes, so that a copy can be told from an empty file.
            if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(f.name)) < 0)
                return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine) {
        velmora::setApplicationIdentity();
        velmora::registerBackendTypes();
        velmora::publishBackendObjects(engine);
        auto *fixture = new CardFixture;
        fixture->setParent(engine);
        fixture->reset();
        auto volume = [](const QString &root, const QString &label) {
            velmora::Volume v;
            v.rootPath = root;
            v.label = label;
            v.fileSystemType = QStringLiteral("vfat");
            return v;
        };
        velmora::CardEnvironment::attach(
            engine, std::make_shared<velmora::FixedVolumes>(QVector<velmora::Volume>{
                        volume(QStringLiteral("/"), QString()),
                        volume(fixture->firstCard(), QStringLiteral("DASHCAM")),
                        volume(QStringLiteral("/media/usb/"), QStringLiteral("USB")),
                        volume(fixture->secondCard(), QStringLiteral("DASHCAM"))}));
        engine->rootContext()->setContextProperty(QStringLiteral("cardFixture"), fixture);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_listscenes, Setup)

#include "tst_listscenes.moc"

// The list, top menu and card dialog scenes beside a stand-in main window whose
// FileIO finds two scratch cards; the cases are in tests/listscenes.
#include "cardenvironment.h"
#include "registration.h"
#include "startup.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

namespace {

// Within a folder the catalogue lists them newest (greatest name) first.
const char *const CardFiles[] = {
    "card1/Drive/R_20260301_100000_T_N.avi",  "card1/Drive/R_20260301_100100_T_N.avi",
    "card1/Drive/R_20260301_100200_T_N.avi",  "card1/Drive/R_20260301_100300_T_N.avi",
    "card1/Drive/R_20260301_100400_T_N.avi",  "card1/Drive/R_20260301_100500_T_N.avi",
    "card1/Manual/R_20260301_130000_D_M.avi", "card1/Manual/R_20260301_130100_D_M.avi",
    "card1/Manual/R_20260301_130200_D_M.avi",
};

} // namespace

// The scratch cards (the second one empty), rebuilt for every case.
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
        for (const char *name : CardFiles) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            // A few distinct bytes, so that a copy can be told from an empty file.
            if (!QDir().mkpath(QFileInfo(file).path()) || !file.open(QIODevice::WriteOnly) ||
                file.write(name) < 0)
                return false;
        }
        return true;
    }

    Q_INVOKABLE QStringList files(const QString &folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

private:
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
        const QString vfat = QStringLiteral("vfat");
        velmora::CardEnvironment::attach(
            engine, std::make_shared<velmora::FixedVolumes>(
                        QVector<velmora::Volume>{{"/", QString(), vfat},
                                                 {fixture->firstCard(), "DASHCAM", vfat},
                                                 {"/media/usb/", "USB", vfat},
                                                 {fixture->secondCard(), "DASHCAM", vfat}}));
        engine->rootContext()->setContextProperty(QStringLiteral("cardFixture"), fixture);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_listscenes, Setup)

#include "tst_listscenes.moc"

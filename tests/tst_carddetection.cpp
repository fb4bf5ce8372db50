// Finding the camera's card: the search through a volume list, the drive
// table it leaves behind, and what writing `source` does to FileIO.
#include "fileio.h"
#include "systemvolumes.h"

#include <QtTest>

using velmora::FixedVolumes;
using velmora::SystemVolumes;
using velmora::Volume;

namespace {

// "root=label" entries as vfat volumes.
std::shared_ptr<FixedVolumes> volumes(const QStringList &entries) {
    QVector<Volume> list;
    for (const QString &entry : entries)
        list << Volume{entry.section('=', 0, 0), entry.section('=', 1), "vfat", 1, 1};
    return std::make_shared<FixedVolumes>(list);
}

} // namespace

class CardDetectionTest : public QObject {
    Q_OBJECT

private slots:
    // Each row searches the volume lists in turn, then writes `sources`.
    void searchResults_data() {
        QTest::addColumn<QList<QStringList>>("searches");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("state");
        using L = QList<QStringList>;
        QTest::newRow("a search never chooses a card")
            << L{{"/=", "/media/a/DASHCAM/=DASHCAM", "/media/a/USB/=USB", "/media/b/=DASHCAM"}}
            << QStringList() << "Drive | none | DASHCAM /media/a/DASHCAM/ DASHCAM /media/b/";
        QTest::newRow("a folder leaves the table alone")
            << L{{"/media/e/=DASHCAM", "/media/g/=DASHCAM"}} << QStringList{"/media/g/"}
            << "/media/g/ | /media/g/ | DASHCAM /media/e/ DASHCAM /media/g/";
        QTest::newRow("an empty search empties the table")
            << L{{"/media/e/=DASHCAM"}, {}} << QStringList() << "none | none | ";
        QStringList twelve, table;
        for (int i = 0; i < 12; ++i) {
            twelve << QStringLiteral("/media/card%1/=DASHCAM").arg(i);
            table << QStringLiteral("DASHCAM /media/card%1/").arg(i);
        }
        QTest::newRow("at most ten cards")
            << L{twelve} << QStringList() << "Drive | none | " + table.mid(0, 10).join(' ');
    }
    void searchResults() {
        QFETCH(QList<QStringList>, searches);
        QFETCH(QStringList, sources);
        QFETCH(QString, state);
        FileIO file;
        for (const QStringList &search : searches) {
            file.setVolumeSource(volumes(search));
            file.setSource(QStringLiteral("DASHCAM"));
        }
        for (const QString &source : sources)
            file.setSource(source);
        // "source | chosen drive | the drive table", as the scenes read them; nothing past it.
        QStringList table;
        for (int i = 0; i < file.getDriveCount(); ++i)
            table << file.getDriveName(i) << file.getDrivePath(i);
        QCOMPARE(file.source() + " | " + file.getDrivePath() + " | " + table.join(' '), state);
        QCOMPARE(file.getDrivePath(10) + file.getDriveName(-1), QString());
    }

    // "reported label|root|label": a desktop automount point names the volume
    // when the system reports no label.
    void labelOfAutomountedVolume() {
        for (const QString row :
             {"CARD|/media/u/DASHCAM/|CARD", "|/run/media/u/DASHCAM|DASHCAM", "|/mnt/DASHCAM/|"}) {
            const QStringList c = row.split('|');
            QVERIFY2(SystemVolumes::labelOf(c[0], c[1]) == c[2], qPrintable(row));
        }
    }

    // Folders named on the command line count as cards, once each, with one
    // trailing slash; a missing folder is left out.
    void cardFoldersCountAsCards() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("demo"));
        const QString demo = dir.filePath("demo");
        const QVector<Volume> found =
            SystemVolumes({demo + "//", dir.filePath("missing"), demo}).volumes();
        QStringList roots;
        for (const Volume &v : found)
            roots << v.rootPath + "=" + v.label;
        QCOMPARE(roots.filter(dir.path()), QStringList{demo + "/=DASHCAM"});
        QCOMPARE(roots.filter(QRegularExpression("[^/]=")), QStringList());
    }
};

QTEST_GUILESS_MAIN(CardDetectionTest)
#include "tst_carddetection.moc"

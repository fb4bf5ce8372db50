// Language switching: catalogues beside the executable, source texts without, texts in place.
#include "languagemanager.h"
#include "testfiles.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

namespace {

// "설정" in the context of the top menu, translated "Settings" and "Paramètres".
const QByteArray MenuScene =
    "import QtQml 2.12\nQtObject { property string label: qsTr(\"설정\") }\n";
const QString Source = QStringLiteral("설정");
const QString English = QStringLiteral("Settings");
const QString French = QStringLiteral("Paramètres");

} // namespace

class LanguageManagerTest : public QObject {
    Q_OBJECT

    QString mBinDir;

    // The engine owns the manager, as at start-up; the object is built before any switch.
    struct Scene {
        QQmlEngine engine;
        LanguageManager *manager;
        std::unique_ptr<QObject> object;
        explicit Scene(const QString &catalogueFolder)
            : manager(new LanguageManager(&engine, catalogueFolder)) {
            QQmlComponent component(&engine);
            component.setData(MenuScene, QUrl::fromLocalFile(QDir::tempPath() + "/TopMenu.qml"));
            object.reset(component.create());
        }
        QString label() const { return object->property("label").toString(); }
    };

private slots:
    void initTestCase() {
        mBinDir = QCoreApplication::applicationDirPath();
        QVERIFY(QFile::exists(mBinDir + "/lang_en.qm"));
        QVERIFY(QFile::exists(mBinDir + "/lang_fr.qm"));
    }

    // Each row switches through `codes`, the catalogues named copied into the
    // lookup folder.
    void switches_data() {
        QTest::addColumn<QStringList>("catalogues");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("announced"); // the current code again is no change
        const QStringList both{"lang_en.qm", "lang_fr.qm"}, none;
        QTest::newRow("english") << both << QList<int>{1} << English << 1;
        QTest::newRow("english, french") << both << QList<int>{1, 2} << French << 2;
        QTest::newRow("french, english") << both << QList<int>{2, 1} << English << 2;
        QTest::newRow("english, source") << both << QList<int>{1, 0} << Source << 2;
        QTest::newRow("french missing") << none << QList<int>{2} << Source << 1;
        QTest::newRow("unknown code") << both << QList<int>{1, 7} << Source << 2;
        QTest::newRow("french twice") << both << QList<int>{2, 2} << French << 1;
    }

    void switches() {
        QFETCH(QStringList, catalogues);
        QFETCH(QList<int>, codes);
        QFETCH(QString, label);
        QFETCH(int, announced);
        QTemporaryDir folder;
        for (const QString &name : catalogues)
            QVERIFY(QFile::copy(mBinDir + "/" + name, folder.path() + "/" + name));
        Scene scene(folder.path());
        QVERIFY(scene.object);
        QCOMPARE(scene.label(), Source);
        QSignalSpy changed(scene.manager, &LanguageManager::languageChanged);
        for (int code : codes.mid(0, codes.size() - 1))
            scene.manager->setLanguage(code);
        CapturedDebug log;
        scene.manager->setLanguage(codes.last());
        // The one sequence of lines the switch is known by.
        if (QByteArray(QTest::currentDataTag()) == "english")
            QCOMPARE(log.lines(),
                     QStringList({"setLanguage1 : start1", "setLanguage2 : start",
                                  "mTranslator.load : start", "mTranslator.load : end",
                                  "mTranslator : start", "mTranslator : end",
                                  "languageChanged : languageChanged", "retranslate : start",
                                  "retranslate : retranslate"}));
        QCOMPARE(scene.label(), label);
        QCOMPARE(scene.manager->language(), codes.last());
        QCOMPARE(changed.count(), announced);
    }
};

QTEST_GUILESS_MAIN(LanguageManagerTest)
#include "tst_languagemanager.moc"

// Language switching: catalogues beside the executable, the source texts
// without one, and texts already built changing in place.
#include "languagemanager.h"

#include <QCoreApplication>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QStringList *capturedLines = nullptr;

void captureDebug(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (capturedLines && type == QtDebugMsg)
        capturedLines->append(message);
}

// Collects the debug lines written while it lives.
struct DebugCapture {
    QStringList lines;
    QtMessageHandler previous;
    DebugCapture()
        : previous(qInstallMessageHandler(captureDebug)) {
        capturedLines = &lines;
    }
    ~DebugCapture() {
        capturedLines = nullptr;
        qInstallMessageHandler(previous);
    }
};

// "설정" in the context of the top menu; its translations are "Settings" and
// "Paramètres".
const QByteArray MenuScene =
    "import QtQml 2.12\nQtObject { property string label: qsTr(\"설정\") }\n";
const QString Source = QStringLiteral("설정");
const QString English = QStringLiteral("Settings");
const QString French = QStringLiteral("Paramètres");

} // namespace

class LanguageManagerTest : public QObject {
    Q_OBJECT

    QString mBinDir;

    // The engine owns the manager, as at start-up; the scene object is built
    // before any switch and never again.
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

    void switches_data() {
        QTest::addColumn<QStringList>("catalogues"); // copied into the lookup folder
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("label");
        const QStringList both{"lang_en.qm", "lang_fr.qm"};
        QTest::newRow("english") << both << QList<int>{1} << English;
        QTest::newRow("english, french") << both << QList<int>{1, 2} << French;
        QTest::newRow("french, english") << both << QList<int>{2, 1} << English;
        QTest::newRow("english, source") << both << QList<int>{1, 0} << Source;
        QTest::newRow("english, french, source") << both << QList<int>{1, 2, 0} << Source;
        QTest::newRow("french missing") << QStringList() << QList<int>{2} << Source;
        QTest::newRow("english, french missing")
            << QStringList{"lang_en.qm"} << QList<int>{1, 2} << Source;
        QTest::newRow("unknown code") << both << QList<int>{1, 7} << Source;
    }

    void switches() {
        QFETCH(QStringList, catalogues);
        QFETCH(QList<int>, codes);
        QFETCH(QString, label);
        QTemporaryDir folder;
        for (const QString &name : catalogues)
            QVERIFY(QFile::copy(mBinDir + "/" + name, folder.path() + "/" + name));

        Scene scene(folder.path());
        QVERIFY(scene.object);
        QCOMPARE(scene.label(), Source);
        QSignalSpy changed(scene.manager, &LanguageManager::languageChanged);
        for (int code : codes)
            scene.manager->setLanguage(code);

        QCOMPARE(scene.label(), label);
        QCOMPARE(scene.manager->language(), codes.last());
        QCOMPARE(changed.count(), codes.size());
    }

    void debugLines_data() {
        QTest::addColumn<QString>("folder"); // empty: the executable's folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("lines");
        const QStringList tail{"languageChanged : languageChanged", "retranslate : start",
                               "retranslate : retranslate"};
        QTest::newRow("english") << QString() << 1
                                 << QStringList{"setLanguage1 : start1",
                                                "setLanguage2 : start",
                                                "mTranslator.load : start",
                                                "mTranslator.load : end",
                                                "mTranslator : start",
                                                "mTranslator : end"} +
                                        tail;
        QTest::newRow("french") << QString() << 2
                                << QStringList{"setLanguage1 : start2", "setLanguage2 : start",
                                               "mTranslator : start", "mTranslator : end"} +
                                       tail;
        QTest::newRow("french missing")
            << QDir::tempPath() + "/no-such-folder" << 2
            << QStringList{"setLanguage1 : start2", "setLanguage2 : start",
                           "set will be default language."} +
                   tail;
        QTest::newRow("same code") << QString() << 0 << QStringList{"setLanguage1 : start0"};
    }

    void debugLines() {
        QFETCH(QString, folder);
        QFETCH(int, code);
        QFETCH(QStringList, lines);
        Scene scene(folder);
        DebugCapture capture;
        scene.manager->setLanguage(code);
        QCOMPARE(capture.lines, lines);
    }

    // The current code again reloads nothing and announces nothing.
    void sameCodeAgain() {
        Scene scene{QString()};
        scene.manager->setLanguage(2);
        QSignalSpy changed(scene.manager, &LanguageManager::languageChanged);
        DebugCapture capture;
        scene.manager->setLanguage(2);
        QCOMPARE(capture.lines, QStringList{"setLanguage1 : start2"});
        QCOMPARE(changed.count(), 0);
        QCOMPARE(scene.label(), French);
    }

    // Without an engine as parent there is nothing to retranslate, but the
    // switch still happens.
    void withoutEngine() {
        QObject parent;
        auto *manager = new LanguageManager(&parent);
        QSignalSpy changed(manager, &LanguageManager::languageChanged);
        manager->setLanguage(1);
        QCOMPARE(QCoreApplication::translate("TopMenu", "설정"), English);
        manager->setLanguage(0);
        QCOMPARE(QCoreApplication::translate("TopMenu", "설정"), Source);
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(LanguageManagerTest)
#include "tst_languagemanager.moc"

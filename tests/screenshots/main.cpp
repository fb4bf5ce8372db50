// velmora-screenshots: opens the main window on a card folder, plays its newest
// three-channel recording, arranges one scenario and saves a picture of the
// window. Run under xvfb-run (scripts/take-screenshots.sh).
#include "cardenvironment.h"
#include "playerregistration.h"
#include "registration.h"
#include "systemvolumes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int WaitLimitMs = 30000;
constexpr int PlayingState = 1; // MediaPlayer.PlayingState

// Something the window did not do; the message says what.
struct Failure {
    QString message;
};

// The main window and the ways the scenarios act on it.
class MainWindow {
public:
    explicit MainWindow(QQuickWindow *window)
        : m_window(window) {}

    QQuickWindow *window() const { return m_window; }

    QObject *child(const QString &name) const {
        if (auto *found = m_window->findChild<QObject *>(name))
            return found;
        throw Failure{QStringLiteral("no object named %1").arg(name)};
    }

    // Sets a property the scene declares (setProperty() would quietly add
    // a new one to an object that has none of that name).
    void set(QObject *object, const char *name, const QVariant &value) const {
        if (object->metaObject()->indexOfProperty(name) < 0 || !object->setProperty(name, value))
            throw Failure{QStringLiteral("cannot set %1 of %2")
                              .arg(QLatin1String(name), object->objectName())};
    }

    // Calls a function of the scene (up to three arguments, each a QVariant).
    // A function of the window, or of its object named `on`.
    void call(const char *function, const QVariantList &args = {}, const char *on = nullptr) const {
        QGenericArgument a[3];
        for (int i = 0; i < args.size() && i < 3; ++i)
            a[i] = Q_ARG(QVariant, args.at(i));
        QObject *target = on ? m_window->findChild<QObject *>(QLatin1String(on)) : m_window;
        if (!target || !QMetaObject::invokeMethod(target, function, a[0], a[1], a[2]))
            throw Failure{QStringLiteral("cannot call %1()").arg(QLatin1String(function))};
    }

    void waitUntil(const std::function<bool()> &ready, const QString &what) const {
        if (!QTest::qWaitFor(ready, WaitLimitMs))
            throw Failure{
                QStringLiteral("%1 did not happen within %2 s").arg(what).arg(WaitLimitMs / 1000)};
    }

private:
    QQuickWindow *m_window;
};

bool isPlaying(const QObject *player) {
    return player->property("playbackState").toInt() == PlayingState;
}

void waitUntilPlaying(const MainWindow &main, const QString &name) {
    const QObject *player = main.child(name);
    main.waitUntil([&] { return isPlaying(player); }, name + QStringLiteral(" playing"));
}

QList<QObject *> openPopups(const QQuickWindow *window) {
    QList<QObject *> open;
    for (QObject *object : window->findChildren<QObject *>()) {
        if (object->inherits("QQuickPopup") && object->property("visible").toBool())
            open.append(object);
    }
    return open;
}

// The card becomes the source and its list is shown, as confirming the card
// dialog does; then every dialog still open is closed.
void chooseCard(const MainWindow &main, const QString &card) {
    main.set(main.child(QStringLiteral("myFile")), "source",
             velmora::SystemVolumes::withTrailingSlash(card));
    main.set(main.window(), "sdCardDetect", 1);
    main.call("setList");
    for (QObject *popup : openPopups(main.window()))
        QMetaObject::invokeMethod(popup, "close");
    main.waitUntil([&] { return openPopups(main.window()).isEmpty(); },
                   QStringLiteral("closing the dialogs"));
}

// Starts the newest recording of category `kind` that has three channels
// and waits until all three players play it.
void playThreeChannels(const MainWindow &main, int kind) {
    QObject *files = main.child(QStringLiteral("myFile"));
    if (kind != 0) { // the list panel's tab, as a click on it picks it
        QObject *list =
            main.child(QStringLiteral("fileListLoader"))->property("item").value<QObject *>();
        if (!list || !QMetaObject::invokeMethod(list, "selectTab", Q_ARG(QVariant, kind + 1)))
            throw Failure{QStringLiteral("cannot choose the list's tab %1").arg(kind + 1)};
    }
    int count = 0;
    QMetaObject::invokeMethod(files, "readfileCnt", Q_RETURN_ARG(int, count), Q_ARG(int, kind));
    int index = 0;
    for (; index < count; ++index) {
        QString name;
        int channels = 0;
        QMetaObject::invokeMethod(files, "readfilename", Q_RETURN_ARG(QString, name),
                                  Q_ARG(int, kind), Q_ARG(int, index));
        QMetaObject::invokeMethod(files, "getVideoChannel", Q_RETURN_ARG(int, channels),
                                  Q_ARG(QString, name));
        if (channels == 3)
            break;
    }
    if (index == count)
        throw Failure{QStringLiteral("the list has no recording with three channels")};
    main.call("listPlayDBClick", {kind, index, count}, "listActions");
    for (const char *name : {"videoOut1", "videoOut2", "videoOut3"})
        waitUntilPlaying(main, QLatin1String(name));
}

// Shows the controls of the large player ("") or of the full-screen one
// ("1"); their hiding timer is stopped so that they stay for the picture.
void showToolbar(const MainWindow &main, const QString &suffix = QString()) {
    if (QObject *timer = main.window()->findChild<QObject *>("toolbarTimer" + suffix))
        QMetaObject::invokeMethod(timer, "stop");
    main.set(main.child("toolbar" + suffix), "shown", true);
}

void zoomIn(const MainWindow &main) {
    const QVariant player = QVariant::fromValue(main.child(QStringLiteral("videoOut1")));
    main.call("videoZoomEx", {player, 1});
    main.call("videoZoomEx", {player, 1});
    QTest::qWait(500);
}

// The full-screen player takes over from the large one once it plays.
void fullScreen(const MainWindow &main) {
    if (main.window()->metaObject()->indexOfMethod("enterFullScreen()") < 0)
        throw Failure{QStringLiteral("the main window has no function enterFullScreen()")};
    main.call("enterFullScreen");
    waitUntilPlaying(main, QStringLiteral("videoOut1popup"));
    showToolbar(main, QStringLiteral("1"));
}

// The viewer's window-size classes: 1920, 1600, 1360 and 1280 wide, then the
// compact layout.
int resolutionClass(const QSize &size) {
    const int widths[] = {1920, 1600, 1360, 1280};
    for (int i = 0; i < 4; ++i) {
        if (size.width() >= widths[i])
            return i;
    }
    return 4;
}

// The impact: the player a moment before the shock, the whole route on the map.
void impact(const MainWindow &main) {
    main.call("jumpToPeak");
    QTest::qWait(2500);
    showToolbar(main);
    if (QObject *fit = main.window()->findChild<QObject *>(QStringLiteral("fitRouteButton")))
        QMetaObject::invokeMethod(fit, "clicked");
    QTest::qWait(1500); // the tiles of the new view
}

// The report screen of the paused moment, its pictures loaded.
void report(const MainWindow &main) {
    main.call("pauseAll");
    main.call("menuClicked", {5}, "mainMenus");
    const QObject *screen = main.child(QStringLiteral("reportPopup"));
    main.waitUntil([&] { return screen->property("opened").toBool(); },
                   QStringLiteral("the report screen"));
    QTest::qWait(1000); // the pictures, loaded in the background
}

// The Share clip dialog of the large player's moment.
void share(const MainWindow &main) {
    main.call("pauseAll");
    const QVariant position = main.child(QStringLiteral("videoOut1"))->property("position");
    main.call("shareClip", {position});
    const QObject *dialog = main.child(QStringLiteral("shareDialog"));
    main.waitUntil([&] { return dialog->property("opened").toBool(); },
                   QStringLiteral("the share dialog"));
}

// The same dialog writing the whole recording, once it knows the time left.
void shareProgress(const MainWindow &main) {
    share(main);
    static QTemporaryDir scratch;
    QObject *dialog = main.child(QStringLiteral("shareDialog"));
    main.set(dialog, "whole", true);
    main.call("saveTo", {scratch.filePath(QStringLiteral("shared.mp4"))}, "shareDialog");
    const QObject *job = dialog->property("job").value<QObject *>();
    main.waitUntil([&] { return job && job->property("secondsLeft").toInt() > 0; },
                   QStringLiteral("the time left of the export"));
}

// The viewer settings screen, opened as the settings chooser opens it.
void viewerSettings(const MainWindow &main) {
    main.call("settingPcViewClick", {}, "mainMenus");
    const QObject *screen = main.child(QStringLiteral("settingPCV"));
    main.waitUntil([&] { return screen->property("opened").toBool(); },
                   QStringLiteral("the viewer settings screen"));
}

// The camera's settings on their system page, in the window's size class.
void cameraSettings(const MainWindow &main) {
    main.call("pauseAll");
    main.set(main.child(QStringLiteral("myFile")), "vresolution",
             main.window()->property("resolution"));
    main.call("settingDashCamClick", {}, "mainMenus");
    const QObject *screen = main.child(QStringLiteral("settingPopup"));
    main.waitUntil([&] { return screen->property("opened").toBool(); },
                   QStringLiteral("the camera settings"));
    main.call("showTab", {5}, "settingPopup");
}

struct Scenario {
    const char *name;
    int resolution; // set before the recording starts; -1: the class of the window's size
    int kind;       // the list the recording is taken from (0 driving, 1 driving impact)
    void (*arrange)(const MainWindow &main);
};

const Scenario Scenarios[] = {
    {"playing", -1, 0, [](const MainWindow &) {}},
    {"toolbar", -1, 0, [](const MainWindow &main) { showToolbar(main); }},
    {"zoomed", -1, 0, zoomIn},
    {"fullscreen", -1, 0, fullScreen},
    {"compact", 4, 0, [](const MainWindow &main) { showToolbar(main); }},
    {"impact", -1, 1, impact},
    {"report", -1, 0, report},
    {"share", -1, 0, share},
    {"share-progress", -1, 0, shareProgress},
    {"settings-viewer", -1, 0, viewerSettings},
    {"settings-viewer-compact", 4, 0, viewerSettings},
    {"settings-camera", -1, 0, cameraSettings},
    {"settings-camera-compact", 4, 0, cameraSettings},
};

void takeScreenshot(const MainWindow &main, const Scenario &scenario, const QString &card,
                    const QSize &size, const QString &out) {
    QQuickWindow *window = main.window();
    window->setVisibility(QWindow::Windowed);
    window->resize(size);
    main.waitUntil([&] { return window->isExposed() && window->size() == size; },
                   QStringLiteral("the window at %1x%2").arg(size.width()).arg(size.height()));
    QTest::qWait(200);
    chooseCard(main, card);
    main.set(window, "resolution",
             scenario.resolution >= 0 ? scenario.resolution : resolutionClass(size));
    playThreeChannels(main, scenario.kind);
    // Past the demo drive's first seconds at a standstill, so the read-out shows a speed.
    QTest::qWait(3000);
    scenario.arrange(main);
    for (const char *name : {"videoOut1", "videoOut2", "videoOut3", "videoOut1popup"}) {
        QObject *player = main.window()->findChild<QObject *>(QLatin1String(name));
        if (player && isPlaying(player))
            QMetaObject::invokeMethod(player, "pause");
    }
    QTest::qWait(500);
    const QImage image = window->grabWindow();
    if (image.isNull() || !image.save(out))
        throw Failure{QStringLiteral("cannot save the picture to %1").arg(out)};
}

int fail(const QString &message, int code) {
    std::fprintf(stderr, "velmora-screenshots: %s\n", qPrintable(message));
    return code;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    // libmpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");

    QCommandLineParser parser;
    const QCommandLineOption card(QStringLiteral("card"), QStringLiteral("Card folder."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Window size WxH."),
                                  QStringLiteral("WxH"), QStringLiteral("1920x1080"));
    const QCommandLineOption scenario(QStringLiteral("scenario"), QStringLiteral("What to show."),
                                      QStringLiteral("NAME"), QStringLiteral("playing"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("PNG file to write."),
                                 QStringLiteral("FILE"));
    parser.addOptions({card, size, scenario, out});
    parser.process(app);

    const QStringList wh = parser.value(size).split(QLatin1Char('x'));
    const QSize windowSize = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
    const Scenario *chosen = nullptr;
    for (const Scenario &s : Scenarios)
        chosen = parser.value(scenario) == QLatin1String(s.name) ? &s : chosen;
    if (!parser.isSet(card) || !parser.isSet(out) || windowSize.isEmpty() || !chosen)
        return fail(
            QStringLiteral(
                "usage: velmora-screenshots --card DIR --size WxH --scenario "
                "playing|toolbar|zoomed|fullscreen|compact|impact|report|share|share-progress|"
                "settings-viewer|settings-viewer-compact|settings-camera|settings-camera-compact "
                "--out FILE.png"),
            2);

    velmora::registerBackendTypes();
    velmora::registerPlayerTypes();
    auto engine = std::make_unique<QQmlApplicationEngine>();
    velmora::CardEnvironment::attach(
        engine.get(), std::make_shared<velmora::SystemVolumes>(QStringList{parser.value(card)}));
    velmora::publishBackendObjects(engine.get());
    engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
    auto *window = engine->rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
    if (!window)
        return fail(QStringLiteral("the main window cannot be loaded"), 1);

    int result = 0;
    try {
        takeScreenshot(MainWindow(window), *chosen, parser.value(card), windowSize,
                       parser.value(out));
    } catch (const Failure &failure) {
        result = fail(QStringLiteral("%1: %2").arg(parser.value(scenario), failure.message), 1);
    }
    engine.reset();
    return result;
}

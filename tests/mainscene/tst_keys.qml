import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// The players' keys on the main window, over real recordings.
MainTestCase {
    name: "Keys"

    readonly property string three: "R_20261206_091512_T_N"
    // Plays 6 s, but its header walk ends after 3 s.
    readonly property string timed: "T_20261206_091530_S_N"
    readonly property int frameMs: 34

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: three + ".avi", channels: 3, seconds: 6 },
            { folder: "Drive", name: timed + ".avi", channels: 1, seconds: 6, headerSeconds: 3 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function views() {
        return [1, 2, 3].map(function(i) { return child("videoOut" + i) })
    }

    function playThree() {
        playRecording(three)
        views().forEach(waitUntilPlaying)
    }

    function press(key) {
        win.requestActivate()
        tryCompare(win, "active", true, 15000)
        keyClick(key)
    }

    // Paused a little after the start, on a shown frame.
    function pauseAfterStart(player) {
        tryVerify(function() { return player.position > 500 }, 10000)
        press(Qt.Key_Space)
        tryCompare(player, "playbackState", MediaPlayer.PausedState)
    }

    // Space pauses and resumes all three views; the speed keys change every
    // view's speed, shown beside the name; a new recording plays at speed 1.
    function test_pauseAndSpeed() {
        playThree()
        pauseAfterStart(child("videoOut1"))
        views().forEach(function(v) { tryCompare(v, "playbackState", MediaPlayer.PausedState) })
        press(Qt.Key_Space)
        views().forEach(waitUntilPlaying)

        var label = child("speedLabel")
        compare(label.visible, false)
        press(Qt.Key_BracketRight)
        compare(views().map(function(v) { return v.playbackRate }), [1.5, 1.5, 1.5])
        compare([label.visible, label.text], [true, "\u00d71.5"])
        press(Qt.Key_BracketLeft)
        press(Qt.Key_BracketLeft)
        compare(views().map(function(v) { return v.playbackRate }), [0.5, 0.5, 0.5])

        playRecording(timed)
        compare([child("videoOut1").playbackRate, label.visible], [1, false])
    }

    // Home goes back to the start in every view; while paused `.` shows the
    // next frame and `,` the one before.
    function test_homeAndFrameSteps() {
        playThree()
        var v1 = child("videoOut1")
        pauseAfterStart(v1)
        // Once the first frame is shown again, the playing has ended for good.
        var shown = spy(v1, "frameReady")
        press(Qt.Key_Home)
        tryVerify(function() { return shown.count > 0 }, 5000)
        views().forEach(function(v) { tryCompare(v, "position", 0) })
        press(Qt.Key_Period)
        tryVerify(function() { return v1.position > 0 }, 5000)
        verify(v1.position <= frameMs, "stepped to " + v1.position)
        compare(v1.playbackState, MediaPlayer.PausedState)
        press(Qt.Key_Comma)
        tryCompare(v1, "position", 0)
    }

    // A recording with a header duration plays to its end: no key seeks or
    // changes the speed.
    function test_headerDurationLocksSeeking_data() {
        return [
            { tag: "Home", key: Qt.Key_Home },
            { tag: "Left", key: Qt.Key_Left },
            { tag: "Right", key: Qt.Key_Right },
            { tag: "]", key: Qt.Key_BracketRight },
        ]
    }
    function test_headerDurationLocksSeeking(data) {
        playRecording(timed)
        var v1 = child("videoOut1")
        pauseAfterStart(v1)
        press(data.key)
        // A seek would land at the start or at the end.
        verify(v1.position > 0 && v1.position < 3000, "at " + v1.position)
        compare(v1.playbackRate, 1)
    }

    // A key typed into a text field goes to the field only.
    function test_textFieldKeepsTheKeys_data() {
        return [
            { tag: "Space", key: Qt.Key_Space },
            { tag: "]", key: Qt.Key_BracketRight },
            { tag: "Page Down", key: Qt.Key_PageDown },
            { tag: "F", key: Qt.Key_F },
        ]
    }
    function test_textFieldKeepsTheKeys(data) {
        playThree()
        var v1 = child("videoOut1"), index = win.videoPlayListCurIdx
        var field = Qt.createQmlObject("import QtQuick 2.12; TextInput { width: 100; height: 20 }",
                                       win.contentItem)
        field.forceActiveFocus()
        press(data.key)
        compare([v1.playbackState, v1.playbackRate, win.videoPlayListCurIdx, win.fullmode],
                [MediaPlayer.PlayingState, 1, index, 0])
        field.destroy()
    }

    // F1 or `?` lists the keys; Escape or a click closes the list, and the
    // window stays as it was. F enters full screen, Escape leaves it.
    function test_helpOpensAndCloses() {
        var help = child("keyHelp")
        press(Qt.Key_F1)
        compare(help.visible, true)
        press(Qt.Key_Escape)
        compare([help.visible, win.fullmode], [false, 0])
        press(Qt.Key_Question)
        compare(help.visible, true)
        waitForRendering(help)
        mouseClick(help)
        compare(help.visible, false)
        press(Qt.Key_F)
        compare(win.fullmode, 1)
        press(Qt.Key_Escape)
        compare(win.fullmode, 0)
    }
}

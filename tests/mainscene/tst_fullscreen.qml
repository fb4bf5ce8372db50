import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// Handing playback to the full-screen player and back.
MainTestCase {
    name: "FullScreen"

    readonly property string three: "R_20261206_100000_T_N"
    readonly property string older: "R_20261206_095950_S_N"
    readonly property string timed: "T_20261206_100030_S_N"
    property string card: ""

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: older + ".avi", channels: 1, seconds: 2 },
            { folder: "Drive", name: three + ".avi", channels: 3, seconds: 6 },
            { folder: "Drive", name: timed + ".avi", channels: 1, seconds: 6, headerSeconds: 3 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function init() {
        openMain()
        chooseCard(card)
    }

    // The player comes to play near `position` (ms).
    function resumesNear(player, position) {
        tryVerify(function() {
            return player.playbackState === MediaPlayer.PlayingState
                    && Math.abs(player.position - position) < 300
        }, 10000, player.objectName + " did not play from " + position)
    }

    function test_enterAndLeaveCarryThePosition() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        var full = child("videoOut1popup")
        playRecording(three)
        tryVerify(function() { return views[0].position > 1000 }, 10000)
        clickControl("play_pauseBtn")
        tryCompare(views[0], "playbackState", MediaPlayer.PausedState)
        clickControl("zoomIn1")
        compare(views[0].zoom, 1.7)
        var position = views[0].position

        clickControl("fullSC")
        compare(win.fullmode, 1)
        compare(full.visible, true)
        verify(win.flags & Qt.FramelessWindowHint)
        resumesNear(full, position)
        for (var i = 0; i < 3; ++i)
            compare(views[i].playbackState, MediaPlayer.PausedState)
        compare(views[0].zoom, 1.0)
        compare(child("currentPlayFName1").text, three)

        clickControl("zoomIn2", "toolbar1")
        compare(full.zoom, 1.7)
        clickControl("play_pauseBtn1", "toolbar1")
        tryCompare(full, "playbackState", MediaPlayer.PausedState)
        // Only the full-screen player was paused and resumed.
        compare(views[0].playbackState, MediaPlayer.PausedState)
        position = full.position

        clickControl("fullSC1", "toolbar1")
        compare(win.fullmode, 0)
        compare(full.visible, false)
        verify(!(win.flags & Qt.FramelessWindowHint))
        compare(full.zoom, 1.0)
        for (i = 0; i < 3; ++i)
            resumesNear(views[i], position)
        compare(full.playbackState, MediaPlayer.PausedState)
    }

    function test_headerDurationRestartsBothWays() {
        var v1 = child("videoOut1")
        var full = child("videoOut1popup")
        playRecording(timed)
        tryVerify(function() { return v1.position > 1000 }, 10000)
        var index = win.videoPlayListCurIdx

        clickControl("fullSC")
        compare(v1.playbackState, MediaPlayer.StoppedState)
        tryCompare(full, "playbackState", MediaPlayer.PlayingState, 10000)
        verify(full.position < 1000, "started at " + full.position)
        // Giving way is no end of the clip.
        compare(win.videoPlayListCurIdx, index)
        compare(win.preparing(), false)
        compare(child("tFileTimer").running, false)
        compare(child("tFileTimer1").running, true)

        tryVerify(function() { return full.position > 500 }, 10000)
        clickControl("fullSC1", "toolbar1")
        compare(full.playbackState, MediaPlayer.StoppedState)
        tryCompare(v1, "playbackState", MediaPlayer.PlayingState, 10000)
        verify(v1.position < 1000, "started at " + v1.position)
        compare(win.videoPlayListCurIdx, index)
    }

    function test_endOfAClipStartedInFullScreenAdvances() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        var full = child("videoOut1popup")
        // Nothing loaded yet: only the mode and the frame change.
        clickControl("fullSC")
        compare(win.fullmode, 1)
        verify(full.isStopped())

        var inWindow = spy(views[0], "playing")
        child("listActions").listPlayDBClick(0, indexOf(three) + 1, child("myFile").readfileCnt(0))
        compare(win.currentPlayFileName, older)
        tryCompare(full, "playbackState", MediaPlayer.PlayingState, 10000)
        // At its end the next newer recording follows, again in full screen.
        tryCompare(win, "currentPlayFileName", three, 10000)
        tryCompare(full, "playbackState", MediaPlayer.PlayingState, 10000)
        compare(full.videoTrack, 0)
        compare(inWindow.count, 0)
        for (var i = 0; i < 3; ++i)
            verify(views[i].isStopped(), views[i].objectName)

        // Next, from full screen, goes on the same way.
        var index = win.videoPlayListCurIdx
        clickControl("nextBtn1", "toolbar1")
        compare(win.videoPlayListCurIdx, index - 1)
        tryCompare(win, "currentPlayFileName", timed, 10000)
        tryCompare(full, "playbackState", MediaPlayer.PlayingState, 10000)
        compare(inWindow.count, 0)
    }
}

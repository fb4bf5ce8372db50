import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// Handing playback to the full-screen player and back.
MainTestCase {
    name: "FullScreen"

    readonly property string three: "R_20261206_100000_T_N"
    readonly property string older: "R_20261206_095950_S_N"
    readonly property string timed: "T_20261206_100030_S_N"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: older + ".avi", channels: 1, seconds: 2 },
            { folder: "Drive", name: three + ".avi", channels: 3, seconds: 6 },
            { folder: "Drive", name: timed + ".avi", channels: 1, seconds: 6, headerSeconds: 3 },
        ])
        verify(card !== "", "the card could not be written")
    }

    // Each side plays on from where the other left off, and the side that
    // gives way pauses; leaving resets the full-screen zoom.
    function test_enterAndLeaveCarryThePosition() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        var full = child("videoOut1popup"), paused = MediaPlayer.PausedState
        playRecording(three)
        tryVerify(function() { return views[0].position > 1000 }, 10000)
        expectResumeFrom([full], views[0].position, function() { clickControl("fullSC") })
        compare([full.visible, !!(win.flags & Qt.FramelessWindowHint)], [true, true])
        tryVerify(function() { return views.every(function(v) { return v.playbackState === paused }) },
                  5000, "the in-window players did not pause")

        clickControl("zoomIn2", "toolbar1")
        verify(full.zoom > 1.0)
        expectResumeFrom(views, full.position, function() { clickControl("fullSC1", "toolbar1") })
        compare([full.visible, !!(win.flags & Qt.FramelessWindowHint)], [false, false])
        compare([full.zoom, full.playbackState], [1.0, paused])
    }

    // A header-timed recording starts over; giving way is no end of the clip.
    function test_headerDurationRestartsBothWays() {
        var v1 = child("videoOut1"), full = child("videoOut1popup")
        playRecording(timed)
        tryVerify(function() { return v1.position > 1000 }, 10000)
        var index = win.videoPlayListCurIdx
        var left = v1.position
        clickControl("fullSC")
        compare(v1.playbackState, MediaPlayer.StoppedState)
        waitUntilPlaying(full)
        verify(full.position < left, "started at " + full.position)
        compare([win.videoPlayListCurIdx, win.preparing()], [index, false])
        compare([child("tFileTimer").running, child("tFileTimer1").running], [false, true])

        tryVerify(function() { return full.position > 500 }, 10000)
        left = full.position
        clickControl("fullSC1", "toolbar1")
        compare(full.playbackState, MediaPlayer.StoppedState)
        waitUntilPlaying(v1)
        verify(v1.position < left, "started at " + v1.position)
        compare(win.videoPlayListCurIdx, index)
    }

    // Started in full screen, the list goes on there; the in-window players never start.
    function test_playListGoesOnInFullScreen() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        var full = child("videoOut1popup"), inWindow = spy(views[0], "playing")
        clickControl("fullSC")
        verify(full.isStopped())
        // Newest first: timed, three, older.
        child("listActions").listPlayDBClick(0, 2, 3)
        compare(win.currentPlayFileName, older)
        waitUntilPlaying(full)
        tryCompare(win, "currentPlayFileName", three, 10000)
        waitUntilPlaying(full)
        compare(full.videoTrack, 0)
        compare(views.map(function(v) { return v.isStopped() }), [true, true, true])

        clickControl("nextBtn1", "toolbar1")
        tryCompare(win, "currentPlayFileName", timed, 10000)
        waitUntilPlaying(full)
        compare(inWindow.count, 0)
    }
}

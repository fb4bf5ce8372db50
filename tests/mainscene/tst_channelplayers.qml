import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// The large view's controls over real recordings.
MainTestCase {
    name: "ChannelPlayers"

    readonly property string three: "R_20261206_100000_T_N"
    readonly property string one: "R_20261206_100020_S_N"
    // Plays 6 s, but its header walk ends after 2 s.
    readonly property string timed: "T_20261206_100030_S_N"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: three + ".avi", channels: 3, seconds: 6 },
            { folder: "Drive", name: one + ".avi", channels: 1, seconds: 3 },
            { folder: "Drive", name: timed + ".avi", channels: 1, seconds: 6, headerSeconds: 2 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function playThenPause(ms) {
        var v1 = child("videoOut1")
        tryVerify(function() { return v1.position > ms }, 10000, "did not play past " + ms)
        clickControl("play_pauseBtn")
        tryCompare(v1, "playbackState", MediaPlayer.PausedState)
    }

    // A layout left with CAM2 in front starts over for a recording without
    // that track; switching a single channel only puts the picture back.
    function test_oneChannelRecording() {
        var v1 = child("videoOut1")
        win.videoViewPos = 2
        child("playerActions").applyChannelLayout(3)
        playRecording(one)
        compare([v1.videoTrack, win.videoViewPos], [0, 0])
        clickControl("rotateBtn")
        compare(v1.orientation, 270)
        var stops = spy(v1, "stopped")
        clickControl("switchSC")
        compare([stops.count, v1.orientation, v1.playbackState], [0, 0, MediaPlayer.PlayingState])
    }

    // Every view moves to the next track, with its own picture and label, and
    // plays on from where the switch found it; a rewind moves all three.
    function test_threeChannelSwitchResumes() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        playRecording(three)
        waitUntilPlaying(views[2])
        playThenPause(1000)
        var stored = views[0].position
        expectResumeFrom(views, stored, function() { clickControl("switchSC") })
        compare(views.map(function(v) { return v.videoTrack }), [1, 2, 0])
        compare([views[0].orientation, views[0].vflip], [180, true])
        compare(child("playFrontText3").text, qsTranslate("main", "전방"))

        var before = views.map(function(v) { return v.position })
        clickControl("rewBtn")
        for (var i = 0; i < 3; ++i)
            verify(views[i].position < before[i], views[i].objectName)
    }

    // A small view that runs off is brought back to the large one.
    function test_smallViewsFollowTheLargeOne() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        playRecording(three)
        waitUntilPlaying(views[2])
        tryVerify(function() { return views[0].position > 500 }, 10000)
        var seeks = child("viewSync").seeks
        views[2].seek(views[0].position + 2000)
        tryVerify(function() { return child("viewSync").seeks > seeks }, 5000)
        // The seek sets the position at once: what the player reports after
        // it shows where the picture went.
        var moved = spy(views[2], "positionChanged")
        tryVerify(function() { return moved.count >= 10 }, 5000)
        verify(Math.abs(views[2].position - views[0].position) < 500,
               views[2].position + " / " + views[0].position)
    }

    // The header's duration is the length; the seek bar takes no input.
    function test_headerDurationEndsTheRecording() {
        var v1 = child("videoOut1")
        var fired = spy(child("tFileTimer"), "triggered")
        playRecording(timed)
        compare(child("endTime").text, "00:02")
        tryVerify(function() { return v1.position > 1000 }, 4000)
        var before = v1.position
        child("toolbar").shown = true
        mouseClick(child("progBG"), child("progBG").width * 0.1, child("progBG").height / 2)
        verify(v1.position >= before, "the position went back to " + v1.position)
        tryCompare(v1, "playbackState", MediaPlayer.StoppedState, 4000)
        compare(fired.count, 1)
    }

    function test_stepsStopAtTheEndOfTheList() {
        var count = child("myFile").readfileCnt(0)
        win.videoPlayListCount = count
        win.videoPlayListCurIdx = count - 1
        clickControl("beforeBtn")
        compare([win.videoPlayListCurIdx, child("readyTimer").running], [count - 1, false])
        // Previous from the newest is the next older recording.
        win.videoPlayListCurIdx = 0
        clickControl("beforeBtn")
        compare([win.videoPlayListCurIdx, child("readyTimer").running], [1, true])
    }

    // The frame point under the zoom point stays there; a drag to the left
    // moves the region right, up to the margin.
    function test_zoomAndPan() {
        var v1 = child("videoOut1"), overlay = child("overlay")
        playRecording(three)
        playThenPause(500)
        var w = v1.width, h = v1.height, fw = v1.videoFrameWidth
        mouseClick(overlay, w * 0.3, h * 0.3)
        for (var i = 0; i < 4; ++i)
            clickControl("zoomIn1")
        compare([v1.zoom, v1.roi_width], [3.0, fw / 3])
        fuzzyCompare((win.zoomCenterX / w * fw - v1.roi_x) / v1.roi_width * w, win.zoomCenterX, 1)

        var start = v1.roi_x, x = w * 0.9
        mousePress(overlay, x, h * 0.3)
        for (i = 0; i < 30; ++i)
            mouseMove(overlay, x -= 15, h * 0.3, -1, Qt.LeftButton)
        mouseRelease(overlay, x, h * 0.3)
        verify(v1.roi_x > start)
        verify(v1.roi_x + v1.roi_width <= fw - 10, "region at " + v1.roi_x)
        // It stopped only because one more step would have crossed the margin.
        verify(v1.roi_x + 30 + v1.roi_width > fw - 10, "region at " + v1.roi_x)
    }

    // The read-out changes while paused, and the choice is saved.
    function test_speedUnitWhilePaused() {
        playRecording(one)
        playThenPause(500)
        var unit = win.speedUnit
        var text = child("speedText").text
        clickControl("speedUnitTxt")
        compare(win.speedUnit, 1 - unit)
        verify(child("speedText").text !== text, "the read-out stayed " + text)
        verify(fixture.viewerConfigText().indexOf("speedunit=" + (1 - unit)) >= 0,
               fixture.viewerConfigText())
    }
}

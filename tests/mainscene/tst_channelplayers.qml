import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// The large view's controls over real recordings: channel switching,
// rotation, the header duration, skipping, list stepping, zoom and pan,
// sound and the speed unit.
MainTestCase {
    name: "ChannelPlayers"

    readonly property string three: "R_20261206_100000_T_N"
    readonly property string one: "R_20261206_100020_S_N"
    // Plays 6 s, but its header walk ends after 2 s.
    readonly property string timed: "T_20261206_100030_S_N"
    property string card: ""

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: three + ".avi", channels: 3, seconds: 6 },
            { folder: "Drive", name: one + ".avi", channels: 1, seconds: 3 },
            { folder: "Drive", name: timed + ".avi", channels: 1, seconds: 6, headerSeconds: 2 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function init() {
        openMain()
        chooseCard(card)
    }

    // Played past `ms`, then paused with the toolbar's button.
    function playThenPause(ms) {
        var v1 = child("videoOut1")
        tryVerify(function() { return v1.position > ms }, 10000, "did not play past " + ms)
        clickControl("play_pauseBtn")
        tryCompare(v1, "playbackState", MediaPlayer.PausedState)
    }

    function test_oneChannelSwitchOnlyResetsThePicture() {
        var v1 = child("videoOut1")
        // A layout left by a three-channel recording, with CAM2 in front:
        // this recording has no such track, so the layout starts over.
        win.videoViewPos = 2
        child("playerActions").applyChannelLayout(3)
        playRecording(one)
        compare(v1.videoTrack, 0)
        compare(win.videoViewPos, 0)
        verify(child("videoOut2").isStopped() && child("videoOut3").isStopped())
        compare(child("currentPlayFName2").text, "")

        // Rotation steps for the front track, then the switch.
        var orientations = []
        for (var i = 0; i < 3; ++i) {
            clickControl("rotateBtn")
            orientations.push(v1.orientation)
        }
        compare(orientations, [270, 180, 90])
        var stops = spy(v1, "stopped")
        clickControl("switchSC")
        compare(stops.count, 0)
        compare(v1.videoTrack, 0)
        compare(v1.orientation, 0)
        compare(v1.vflip, false)
        compare(v1.playbackState, MediaPlayer.PlayingState)
    }

    function test_threeChannelSwitchFollowsTheTableAndResumes() {
        var views = [child("videoOut1"), child("videoOut2"), child("videoOut3")]
        var labels = [child("playFrontText"), child("playFrontText2"), child("playFrontText3")]
        var names = [qsTranslate("main", "전방"), "CAM1", "CAM2"]
        playRecording(three)
        waitUntilPlaying(views[1])
        waitUntilPlaying(views[2])
        playThenPause(1000)
        var stored = views[0].position

        var expected = [[1, 2, 0], [2, 0, 1], [0, 1, 2]]
        for (var step = 0; step < expected.length; ++step) {
            clickControl("switchSC")
            compare(win.videoViewPos, (step + 1) % 3)
            for (var i = 0; i < 3; ++i) {
                compare(views[i].videoTrack, expected[step][i])
                compare(labels[i].text, names[expected[step][i]])
            }
            // The large view shows its new track's own picture.
            compare(views[0].orientation, expected[step][0] === 0 ? 0 : 180)
            compare(views[0].vflip, expected[step][0] !== 0)
            if (step > 0) {
                // A switch waits until the players have opened again.
                waitUntilPlaying(views[0])
                continue
            }
            // Each player comes back where the switch found them.
            for (i = 0; i < 3; ++i) {
                var view = views[i]
                tryVerify(function() {
                    return view.playbackState === MediaPlayer.PlayingState
                            && Math.abs(view.position - stored) < 200
                }, 10000, "view " + i + " did not resume at " + stored)
            }
            compare(child("currentPlayFName").text, three)
            playThenPause(0)
            stored = views[0].position
        }
    }

    function test_headerDurationEndsTheRecording() {
        var v1 = child("videoOut1")
        var fired = spy(child("tFileTimer"), "triggered")
        playRecording(timed)
        compare(win.curDuration, 2)
        compare(win.playDuration, 2000)
        compare(child("endTime").text, "00:02")

        // The seek bar takes no input: up to the end the position never goes back.
        tryVerify(function() { return v1.position > 1000 }, 4000)
        var lowest = v1.position
        var watch = function() {
            if (v1.position > 0)
                lowest = Math.min(lowest, v1.position)
        }
        v1.positionChanged.connect(watch)
        child("toolbar").shown = true
        var bar = child("progBG")
        mouseClick(bar, bar.width * 0.1, bar.height / 2)
        tryCompare(v1, "playbackState", MediaPlayer.StoppedState, 4000)
        v1.positionChanged.disconnect(watch)
        verify(lowest > 900, "the position went back to " + lowest)
        compare(fired.count, 1)
        compare(child("endTime").text, "")
    }

    function test_skipsStayWithinTheRecording() {
        var v1 = child("videoOut1")
        playRecording(three)
        playThenPause(1000)
        verify(v1.position < 3000)
        clickControl("rewBtn")
        tryCompare(v1, "position", 0)
        tryCompare(child("videoOut3"), "position", 0)
        compare(child("currentTime").text, "00:00")
    }

    function test_stepsStopAtTheEndsOfTheList() {
        var count = child("myFile").readfileCnt(0)
        win.videoPlayListCount = count
        win.videoPlayListCurIdx = count - 1
        clickControl("beforeBtn")
        compare(win.videoPlayListCurIdx, count - 1)
        compare(child("readyTimer").running, false)

        win.videoPlayListCurIdx = 0
        clickControl("nextBtn")
        compare(win.videoPlayListCurIdx, 0)
        compare(child("readyTimer").running, false)

        // Previous from the newest is the next older recording.
        clickControl("beforeBtn")
        compare(win.videoPlayListCurIdx, 1)
        compare(child("readyTimer").running, true)
    }

    // The colour at a point of a grab, as [r, g, b].
    function colourAt(image, x, y) {
        x = Math.round(x)
        y = Math.round(y)
        return [image.red(x, y), image.green(x, y), image.blue(x, y)]
    }

    function sameColour(a, b) {
        return Math.abs(a[0] - b[0]) + Math.abs(a[1] - b[1]) + Math.abs(a[2] - b[2]) < 90
    }

    function test_zoomStepsAndTheRegionShown() {
        var v1 = child("videoOut1")
        playRecording(three)
        playThenPause(1000)
        var before = grabImage(v1)
        var w = v1.width, h = v1.height

        // A click places the zoom point.
        mouseClick(child("overlay"), w * 0.3, h * 0.3)
        compare(win.zoomCenterX, Math.round(w * 0.3))
        compare(child("zoomPoint").visible, true)

        var steps = []
        for (var i = 0; i < 3; ++i) {
            clickControl("zoomIn1")
            steps.push(v1.zoom)
        }
        compare(steps, [1.7, 2.4, 3.0])
        compare(child("zoomIn1").source.toString(), "qrc:/images/player-zoom-in-dim.png")
        clickControl("zoomIn1")
        compare(v1.zoom, 3.0)

        // The frame point under the zoom point stays there.
        var fw = v1.videoFrameWidth, fh = v1.videoFrameHeight
        var pointX = win.zoomCenterX / w * fw
        fuzzyCompare((pointX - v1.roi_x) / v1.roi_width * w, win.zoomCenterX, 1)
        compare(v1.roi_width, fw / 3)
        compare(v1.roi_height, fh / 3)

        // What is drawn, once redrawn, is that region of the frame.
        var matches = 0
        tryVerify(function() {
            var after = grabImage(v1)
            matches = 0
            for (var k = 0; k < 9; ++k) {
                var vx = (k + 0.5) / 9 * w, vy = h * 0.6
                var sx = (v1.roi_x + vx / w * v1.roi_width) / fw * w
                var sy = (v1.roi_y + vy / h * v1.roi_height) / fh * h
                if (sameColour(colourAt(after, vx, vy), colourAt(before, sx, sy)))
                    ++matches
            }
            return matches >= 7
        }, 5000, "only " + matches + " of 9 points show the zoomed region")

        steps = []
        for (i = 0; i < 3; ++i) {
            clickControl("zoomOut1")
            steps.push(v1.zoom)
        }
        compare(steps, [2.3, 1.6, 1.0])
        compare(child("zoomOut1").source.toString(), "qrc:/images/player-zoom-out-dim.png")
        compare(child("zoomIn1").source.toString(), "qrc:/images/player-zoom-in-nor.png")
    }

    function test_panKeepsTheRegionOffTheRightEdge() {
        var v1 = child("videoOut1")
        playRecording(three)
        playThenPause(500)
        var overlay = child("overlay")
        var w = v1.width, h = v1.height
        mouseClick(overlay, w / 2, h * 0.3)
        for (var i = 0; i < 3; ++i)
            clickControl("zoomIn1")
        var fw = v1.videoFrameWidth
        var start = v1.roi_x

        // Dragging to the left moves the region to the right.
        var x = w / 2, y = h * 0.3
        var seen = [start]
        mousePress(overlay, x, y)
        for (i = 0; i < 20; ++i) {
            x -= 15
            mouseMove(overlay, x, y, -1, Qt.LeftButton)
            if (seen[seen.length - 1] !== v1.roi_x)
                seen.push(v1.roi_x)
        }
        mouseRelease(overlay, x, y)
        verify(seen.length > 2, "the region did not move: " + seen)
        verify(v1.roi_x > start)
        verify(v1.roi_x + v1.roi_width <= fw - 10, "region at " + v1.roi_x)
        // It stopped only because one more step would have crossed the line.
        verify(v1.roi_x + 30 + v1.roi_width > fw - 10)
        compare(child("zoomPoint").visible, false)
    }

    function test_hoverHelpNamesTheControl() {
        child("toolbar").shown = true
        var help = child("hoverHelp"), text = child("hoverTxt")
        var button = child("zoomIn1")
        mouseMove(button, button.width / 2, button.height / 2)
        compare(help.visible, true)
        compare(text.text, qsTranslate("main", "Zoom In"))
        // The lower row's help stands 40 px above the seek bar.
        compare(help.y, child("progress_Bar").y - 40)
        compare(help.width, text.width + 20)
        mouseMove(child("overlay"), 5, 5)
        compare(help.visible, false)
        compare(text.text, "")
    }

    function test_brightnessIsSharedAndResets() {
        child("toolbar").shown = true
        var slider = child("brightnessslider")
        mouseClick(slider, slider.width * 0.95, slider.height / 2)
        verify(child("videoOut1").brightness > 0.7, child("videoOut1").brightness)
        compare(child("videoOut1popup").brightness, child("videoOut1").brightness)
        // The icon puts both back to neutral, and the slider follows.
        mouseClick(child("brightnessCtrl"), 5, 5)
        compare(child("videoOut1").brightness, 0)
        compare(child("videoOut1popup").brightness, 0)
        compare(slider.value, 0)
    }

    function test_muteRestoresTheVolume() {
        var v1 = child("videoOut1")
        v1.volume = 0.4
        child("toolbar").shown = true
        var volume = child("valumeCtrl")
        mouseClick(volume, 5, 5)
        compare(v1.volume, 0)
        compare(win.volumeLevelPre, 0.4)
        mouseClick(volume, 5, 5)
        compare(v1.volume, 0.4)
        // The small views stay muted.
        compare(child("videoOut2").muted, true)
    }

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
        clickControl("speedUnitTxt")
        compare(child("speedText").text, text)
    }
}

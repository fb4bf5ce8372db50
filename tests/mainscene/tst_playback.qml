import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// From a chosen recording to its channels playing, and what follows when
// the large player stops.
MainTestCase {
    name: "Playback"

    // Newest first in the list: index 0 one channel, 1 two, 2 three.
    readonly property string oneChannel: "R_20261206_081524_S_N"
    readonly property string twoChannels: "R_20261206_081518_D_N"
    readonly property string threeChannels: "R_20261206_081512_T_N"
    property string card: ""

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: threeChannels + ".avi", channels: 3, seconds: 4 },
            { folder: "Drive", name: twoChannels + ".avi", channels: 2, seconds: 2 },
            { folder: "Drive", name: oneChannel + ".avi", channels: 1, seconds: 2 },
            { folder: "DriveEvent", name: "R_20261206_081740_T_E.avi", channels: 3, seconds: 2 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function init() {
        openMain()
        chooseCard(card)
        compare(win.videoPlayListCount, 3)
    }

    function test_doubleClickPollsThenTriggersThenStartsEveryChannel() {
        var v1 = child("videoOut1"), v2 = child("videoOut2"), v3 = child("videoOut3")
        var polls = spy(child("readyTimer"), "triggered")
        var ready = spy(win, "setTrigger")
        var current = spy(win, "setCurrentIndex")
        var stateAtReady = -1
        var toolbarAtReady = false
        var onReady = function() {
            stateAtReady = v1.playbackState
            toolbarAtReady = child("toolbar").shown
        }
        win.setTrigger.connect(onReady)

        child("listActions").listPlayDBClick(0, 2, 3)
        compare(win.currentPlayFilePath, card + "Drive/" + threeChannels + ".avi")
        compare(win.currentPlayFileName, threeChannels)
        // While the telemetry is extracted the loading indicator shows.
        compare(child("toolbar").shown, false)
        compare(child("lodingStr").shown, true)

        tryCompare(ready, "count", 1, 10000)
        verify(polls.count >= 1)
        compare(stateAtReady, MediaPlayer.StoppedState)
        compare(toolbarAtReady, true)
        waitUntilPlaying(v1)
        waitUntilPlaying(v2)
        waitUntilPlaying(v3)
        win.setTrigger.disconnect(onReady)
        compare(win.videoChannelIdx, 3)
        compare(current.count, 1)
        compare(argumentsOf(current, 0), [0, 2])
        compare(v1.source.toString(), "file://" + win.currentPlayFilePath)
        compare(v2.muted, true)
        compare(v3.muted, true)
        compare(child("videoOut1popup").playbackState, MediaPlayer.StoppedState)
    }

    function test_twoChannelsAdvanceToIndexZeroAndStopThere() {
        var v1 = child("videoOut1"), v2 = child("videoOut2"), v3 = child("videoOut3")
        fixture.clearLog()
        child("listActions").listPlayDBClick(0, 1, 3)
        waitUntilPlaying(v1)
        waitUntilPlaying(v2)
        compare(v3.playbackState, MediaPlayer.StoppedState)
        compare(win.videoChannelIdx, 2)

        // At its end the next lower index (the next newer recording) follows.
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        compare(win.videoPlayListCurIdx, 0)
        waitUntilPlaying(v1)
        compare(win.videoChannelIdx, 1)
        compare(v2.playbackState, MediaPlayer.StoppedState)
        compare(v3.playbackState, MediaPlayer.StoppedState)

        // After index 0 nothing wraps around.
        tryCompare(v1, "playbackState", MediaPlayer.StoppedState, 15000)
        compare(win.videoPlayListCurIdx, -1)
        wait(1000)
        compare(child("readyTimer").running, false)
        compare(v1.playbackState, MediaPlayer.StoppedState)
        compare(win.currentPlayFileName, oneChannel)
        // A quiet end: no notice, and the list stays as it was.
        compare(fixture.countLines("notice ===> "), 0)
        compare(child("myFile").readfileCnt(0), 3)
    }

    function test_newRequestWhilePlayingStopsEveryPlayerFirst() {
        var v1 = child("videoOut1"), v2 = child("videoOut2"), v3 = child("videoOut3")
        child("listActions").listPlayDBClick(0, 2, 3)
        waitUntilPlaying(v1)
        waitUntilPlaying(v2)
        waitUntilPlaying(v3)

        var stops = spy(v1, "stopped")
        child("listActions").listPlayDBClick(0, 0, 3)
        // All three stopped at once; the stop handler prepares the new one.
        compare(stops.count, 1)
        compare(v1.playbackState, MediaPlayer.StoppedState)
        compare(v2.playbackState, MediaPlayer.StoppedState)
        compare(v3.playbackState, MediaPlayer.StoppedState)
        compare(win.dbClickCheck, 0)
        compare(win.currentPlayFileName, oneChannel)

        waitUntilPlaying(v1)
        compare(v1.source.toString(), "file://" + card + "Drive/" + oneChannel + ".avi")
        wait(500)
        compare(v2.playbackState, MediaPlayer.StoppedState)
        compare(v3.playbackState, MediaPlayer.StoppedState)
    }

    function test_newRequestWhileTheChannelsOpenStopsThemFirst() {
        var v1 = child("videoOut1"), v2 = child("videoOut2"), v3 = child("videoOut3")
        var requested = false
        var stateAtRequest = -1
        // Right after the three players were told to play, before any of
        // them has opened the file.
        var request = function() {
            if (requested)
                return
            requested = true
            stateAtRequest = v1.playbackState
            child("listActions").listPlayDBClick(0, 0, 3)
        }
        child("playTimer").triggered.connect(request)
        child("listActions").listPlayDBClick(0, 2, 3)
        tryVerify(function() { return requested }, 10000)
        compare(stateAtRequest, MediaPlayer.StoppedState)
        // The old recording is stopped once open, then the new one follows.
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        waitUntilPlaying(v1)
        child("playTimer").triggered.disconnect(request)
        compare(v1.source.toString(), "file://" + card + "Drive/" + oneChannel + ".avi")
        wait(1000)
        compare(v2.playbackState, MediaPlayer.StoppedState)
        compare(v3.playbackState, MediaPlayer.StoppedState)
    }

    // A request while the previous one waits to start replaces it, and the
    // players stay answerable afterwards.
    function test_requestWhileAboutToStartReplacesIt() {
        var v1 = child("videoOut1")
        child("listActions").listPlayDBClick(0, 2, 3)
        tryCompare(child("playTimer"), "running", true, 10000)
        child("listActions").listPlayDBClick(0, 0, 3)
        waitUntilPlaying(v1)
        compare(win.currentPlayFileName, oneChannel)
        compare(v1.source.toString(), "file://" + card + "Drive/" + oneChannel + ".avi")
        wait(1000)
        var stops = spy(v1, "stopped")
        child("listActions").listPlayDBClick(0, 1, 3)
        compare(stops.count, 1)
        tryCompare(win, "currentPlayFileName", twoChannels, 10000)
    }

    function test_closingStartsNothing() {
        child("listActions").listPlayDBClick(0, 1, 3)
        waitUntilPlaying(child("videoOut1"))
        win.shutDown()
        compare(win.videoPlayListCurIdx, 1)
        compare(child("readyTimer").running, false)
        compare(child("videoOut1").playbackState, MediaPlayer.StoppedState)
    }

    function test_tabChangeWhilePlayingKeepsThePlayList() {
        var added = spy(win, "addListItem")
        child("listActions").listPlayDBClick(0, 2, 3)
        waitUntilPlaying(child("videoOut1"))
        child("listActions").listReadList(1)
        compare(added.count, 1)
        compare(added.signalArguments[0][0], "R_20261206_081740_T_E.avi")
        compare(added.signalArguments[0][2], 1)
        compare(win.videoPlayListKind, 0)
        compare(win.videoPlayListCount, 3)

        // Once stopped, a tab becomes the play list.
        win.dbClickCheck = 2
        win.stopAll()
        child("listActions").listReadList(1)
        compare(win.videoPlayListKind, 1)
        compare(win.videoPlayListCount, 1)
    }

    function test_deleteWhilePlayingStopsAndStartsNothing() {
        var v1 = child("videoOut1")
        child("listActions").listPlayDBClick(0, 2, 3)
        waitUntilPlaying(v1)
        child("listActions").listDeleteClick(1)
        compare(v1.playbackState, MediaPlayer.StoppedState)
        compare(child("deletePopup").opened, true)
        compare(win.dbClickCheck, 0)
        wait(1000)
        compare(child("readyTimer").running, false)
        compare(v1.playbackState, MediaPlayer.StoppedState)
    }

    function test_reportOfOneChannelHasOneImage() {
        child("listActions").listPlayDBClick(0, 0, 3)
        waitUntilPlaying(child("videoOut1"))
        var values = spy(win, "setValue")
        child("mainMenus").menuClicked(5)
        compare(values.count, 1)
        var folder = win.currentWrokDir + "velmora/report"
        compare(argumentsOf(values, 0),
                ["file://" + folder + "/F_" + oneChannel + ".png", "", ""])
        compare(child("loadingPopup").opened, true)
        compare(child("videoOut1").playbackState, MediaPlayer.PausedState)
        // The large view's capture lands where the first address points.
        tryVerify(function() { return fixture.exists(folder + "/F_" + oneChannel + ".png") },
                  10000)
    }

    function test_vanishedRecordingResetsTheCard() {
        var other = fixture.makeCard("OTHER", [
            { folder: "Drive", name: oneChannel + ".avi", channels: 1, seconds: 1 },
        ])
        chooseCard(other)
        compare(win.videoPlayListCount, 1)
        verify(fixture.remove(other + "Drive/" + oneChannel + ".avi"))
        var cleared = spy(win, "listClear")
        fixture.clearLog()
        child("listActions").listPlayDBClick(0, 0, 1)
        compare(fixture.countLines("notice ===> " + qsTranslate("main", "SDCard가 제거되었습니다.")), 1)
        compare(cleared.count, 1)
        compare(win.currentPlayFilePath, "")
        compare(child("myFile").readfileCnt(0), 0)
        compare(child("readyTimer").running, false)
    }
}

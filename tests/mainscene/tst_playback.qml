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
    readonly property int stopped: MediaPlayer.StoppedState
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

    function waitForChannels(n) {
        for (var i = 1; i <= n; ++i)
            waitUntilPlaying(child("videoOut" + i))
    }
    // The states of the large player and the two small ones.
    function states() {
        return [1, 2, 3].map(function(i) { return child("videoOut" + i).playbackState })
    }
    // The small views were never started (a player still opening counts as started).
    function smallViewsIdle() {
        return [child("videoOut2").isStopped(), child("videoOut3").isStopped()]
    }
    function playingFile() {
        return child("videoOut1").source.toString().replace("file://" + card + "Drive/", "")
    }

    // Polled, triggered, then every channel plays; another double-click stops
    // all three first and only the new recording runs.
    function test_doubleClickRunsThePipeline() {
        var polls = spy(child("readyTimer"), "triggered")
        var ready = spy(win, "setTrigger")
        var current = spy(win, "setCurrentIndex")
        var atReady = []
        var onReady = function() {
            atReady = [child("videoOut1").playbackState, child("toolbar").shown]
        }
        win.setTrigger.connect(onReady)
        child("listActions").listPlayDBClick(0, 2, 3)
        compare(win.currentPlayFilePath, card + "Drive/" + threeChannels + ".avi")
        compare(win.currentPlayFileName, threeChannels)
        // While the telemetry is extracted the loading indicator shows.
        compare([child("toolbar").shown, child("lodingStr").shown], [false, true])
        tryCompare(ready, "count", 1, 10000)
        win.setTrigger.disconnect(onReady)
        verify(polls.count >= 1)
        compare(atReady, [stopped, true])
        waitForChannels(3)
        compare(win.videoChannelIdx, 3)
        compare(argumentsOf(current, 0), [0, 2])
        compare(current.count, 1)
        compare(playingFile(), threeChannels + ".avi")
        compare([child("videoOut2").muted, child("videoOut3").muted], [true, true])
        compare(child("videoOut1popup").playbackState, stopped)

        var stops = spy(child("videoOut1"), "stopped")
        child("listActions").listPlayDBClick(0, 0, 3)
        // All three stopped at once; the stop handler prepares the new one.
        compare(stops.count, 1)
        compare(states(), [stopped, stopped, stopped])
        compare(win.dbClickCheck, 0)
        compare(win.currentPlayFileName, oneChannel)
        waitForChannels(1)
        compare(playingFile(), oneChannel + ".avi")
        compare(smallViewsIdle(), [true, true])
    }

    function test_twoChannelsAdvanceToIndexZeroAndStopThere() {
        child("listActions").listPlayDBClick(0, 1, 3)
        waitForChannels(2)
        compare(states()[2], stopped)
        compare(win.videoChannelIdx, 2)
        // At its end the next lower index (the next newer recording) follows.
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        compare(win.videoPlayListCurIdx, 0)
        waitForChannels(1)
        compare(win.videoChannelIdx, 1)
        compare(smallViewsIdle(), [true, true])
        // After index 0 nothing wraps around: a quiet end, no notice, the list kept.
        // What follows a stop is decided in the stop's own handler.
        tryCompare(child("videoOut1"), "playbackState", stopped, 15000)
        compare(win.videoPlayListCurIdx, -1)
        compare(win.preparing(), false)
        compare(child("videoOut1").isStopped(), true)
        compare(win.currentPlayFileName, oneChannel)
        expectNotice()
        compare(child("myFile").readfileCnt(0), 3)
    }

    function test_newRequestWhileTheChannelsOpenStopsThemFirst() {
        var stateAtRequest = -1
        // Right after the three players were told to play, before any has opened the file.
        var request = function() {
            if (stateAtRequest !== -1)
                return
            stateAtRequest = child("videoOut1").playbackState
            child("listActions").listPlayDBClick(0, 0, 3)
        }
        child("playTimer").triggered.connect(request)
        child("listActions").listPlayDBClick(0, 2, 3)
        tryVerify(function() { return stateAtRequest !== -1 }, 10000)
        compare(stateAtRequest, stopped)
        // The old recording is stopped once open, then the new one follows.
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        waitForChannels(1)
        child("playTimer").triggered.disconnect(request)
        compare(playingFile(), oneChannel + ".avi")
        compare(smallViewsIdle(), [true, true])
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
        tryVerify(function() { return v1.position > 500 }, 10000)
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

    // While playing, a tab change leaves the play list alone and a delete click
    // stops every player and starts nothing; once stopped, a tab is the play list.
    function test_listRequestsWhilePlaying() {
        var added = spy(win, "addListItem")
        child("listActions").listPlayDBClick(0, 2, 3)
        waitForChannels(3)
        child("listActions").listReadList(1)
        compare(added.count, 1)
        compare(added.signalArguments[0][0], "R_20261206_081740_T_E.avi")
        compare(added.signalArguments[0][2], 1)
        compare([win.videoPlayListKind, win.videoPlayListCount], [0, 3])
        child("listActions").listDeleteClick(1)
        compare(states(), [stopped, stopped, stopped])
        compare(child("deletePopup").opened, true)
        compare(win.dbClickCheck, 0)
        compare(win.preparing(), false)
        child("listActions").listReadList(1)
        compare([win.videoPlayListKind, win.videoPlayListCount], [1, 1])
    }

    function test_reportOfOneChannelHasOneImage() {
        child("listActions").listPlayDBClick(0, 0, 3)
        waitForChannels(1)
        var values = spy(win, "setValue")
        child("mainMenus").menuClicked(5)
        var image = win.currentWrokDir + "velmora/report/F_" + oneChannel + ".png"
        compare(values.count, 1)
        compare(argumentsOf(values, 0), ["file://" + image, "", ""])
        compare(child("loadingPopup").opened, true)
        compare(child("videoOut1").playbackState, MediaPlayer.PausedState)
        // The large view's capture lands where the first address points.
        tryVerify(function() { return fixture.exists(image) }, 10000)
    }

    function test_vanishedRecordingResetsTheCard() {
        var other = fixture.makeCard("OTHER", [
            { folder: "Drive", name: oneChannel + ".avi", channels: 1, seconds: 1 },
        ])
        chooseCard(other)
        compare(win.videoPlayListCount, 1)
        verify(fixture.remove(other + "Drive/" + oneChannel + ".avi"))
        var cleared = spy(win, "listClear")
        child("listActions").listPlayDBClick(0, 0, 1)
        expectNotice(qsTranslate("main", "SDCard가 제거되었습니다."))
        compare(cleared.count, 1)
        compare(win.currentPlayFilePath, "")
        compare(child("myFile").readfileCnt(0), 0)
        compare(child("readyTimer").running, false)
    }
}

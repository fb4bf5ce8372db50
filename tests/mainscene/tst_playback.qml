import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// From a chosen recording to its channels playing, and what follows a stop.
MainTestCase {
    name: "Playback"

    // Newest first in the list: index 0 one channel, 1 two, 2 three.
    readonly property string oneChannel: "R_20261206_081524_S_N"
    readonly property string twoChannels: "R_20261206_081518_D_N"
    readonly property string threeChannels: "R_20261206_081512_T_N"
    readonly property int stopped: MediaPlayer.StoppedState

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: threeChannels + ".avi", channels: 3, seconds: 4 },
            { folder: "Drive", name: twoChannels + ".avi", channels: 2, seconds: 2 },
            { folder: "Drive", name: oneChannel + ".avi", channels: 1, seconds: 2 },
            { folder: "DriveEvent", name: "R_20261206_081740_T_E.avi", channels: 3, seconds: 2 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function waitForChannels(n) {
        for (var i = 1; i <= n; ++i)
            waitUntilPlaying(child("videoOut" + i))
    }
    function states() {
        return [1, 2, 3].map(function(i) { return child("videoOut" + i).playbackState })
    }
    // Only the large view plays `name`; a small view still opening counts as started.
    function playsAlone(name) {
        compare(child("videoOut1").source.toString(), "file://" + card + "Drive/" + name + ".avi")
        compare([child("videoOut2").isStopped(), child("videoOut3").isStopped()], [true, true])
    }

    // Loading while the telemetry is extracted, then every channel plays;
    // another double-click stops the three and only the new recording runs.
    function test_doubleClickRunsThePipeline() {
        var current = spy(win, "setCurrentIndex")
        child("listActions").listPlayDBClick(0, 2, 3)
        compare([child("toolbar").shown, child("lodingStr").shown], [false, true])
        waitForChannels(3)
        compare(argumentsOf(current, 0), [0, 2])

        child("listActions").listPlayDBClick(0, 0, 3)
        waitForChannels(1)
        playsAlone(oneChannel)
    }

    // At its end the next newer recording follows; after index 0 nothing
    // wraps around: a quiet end, no notice, the list kept.
    function test_endAdvancesAndStopsAtTheNewest() {
        child("listActions").listPlayDBClick(0, 1, 3)
        waitForChannels(2)
        compare(states()[2], stopped)
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        waitForChannels(1)
        playsAlone(oneChannel)
        tryCompare(child("videoOut1"), "playbackState", stopped, 15000)
        compare([win.videoPlayListCurIdx, win.preparing(), child("videoOut1").isStopped(),
                 child("myFile").readfileCnt(0)], [-1, false, true, 3])
        expectNotice()
    }

    // The old recording never begins: it is stopped as soon as it has opened.
    function test_newRequestWhileTheChannelsOpenStopsThemFirst() {
        var stateAtRequest = -1, began = spy(child("videoOut1"), "began")
        // Right after the three players were told to play, before any has opened the file.
        var request = function() {
            child("playTimer").triggered.disconnect(request)
            stateAtRequest = child("videoOut1").playbackState
            child("listActions").listPlayDBClick(0, 0, 3)
        }
        child("playTimer").triggered.connect(request)
        child("listActions").listPlayDBClick(0, 2, 3)
        tryVerify(function() { return stateAtRequest === stopped }, 10000, "state " + stateAtRequest)
        tryCompare(win, "currentPlayFileName", oneChannel, 15000)
        waitForChannels(1)
        playsAlone(oneChannel)
        compare(began.count, 1)
    }

    // A request while the previous one waits to start replaces it, and the
    // player still answers the next request.
    function test_requestWhileAboutToStartReplacesIt() {
        var v1 = child("videoOut1")
        child("listActions").listPlayDBClick(0, 2, 3)
        tryCompare(child("playTimer"), "running", true, 10000)
        child("listActions").listPlayDBClick(0, 0, 3)
        waitUntilPlaying(v1)
        playsAlone(oneChannel)
        tryVerify(function() { return v1.position > 500 }, 10000)
        child("listActions").listPlayDBClick(0, 1, 3)
        tryCompare(win, "currentPlayFileName", twoChannels, 10000)
    }

    function test_closingStartsNothing() {
        child("listActions").listPlayDBClick(0, 1, 3)
        waitUntilPlaying(child("videoOut1"))
        win.shutDown()
        compare([win.videoPlayListCurIdx, win.preparing(), child("videoOut1").playbackState],
                [1, false, stopped])
    }

    // While playing, a tab change leaves the play list alone and a delete click
    // stops every player and starts nothing; once stopped, a tab is the play list.
    function test_listRequestsWhilePlaying() {
        var added = spy(win, "addListItem")
        child("listActions").listPlayDBClick(0, 2, 3)
        waitForChannels(3)
        child("listActions").listReadList(1)
        compare([added.count, win.videoPlayListKind, win.videoPlayListCount], [1, 0, 3])
        child("listActions").listDeleteClick(1)
        compare(states(), [stopped, stopped, stopped])
        compare([child("deletePopup").opened, win.preparing()], [true, false])
        child("listActions").listReadList(1)
        compare([win.videoPlayListKind, win.videoPlayListCount], [1, 1])
    }

    function test_reportOfOneChannelHasOneImage() {
        child("listActions").listPlayDBClick(0, 0, 3)
        waitForChannels(1)
        var values = spy(win, "setValue")
        child("mainMenus").menuClicked(5)
        var folder = win.currentWrokDir + "velmora/report/", name = "F_" + oneChannel + ".png"
        compare(argumentsOf(values, 0), ["file://" + folder + name, "", ""])
        compare([child("loadingPopup").opened, child("videoOut1").playbackState],
                [true, MediaPlayer.PausedState])
        tryVerify(function() { return fixture.files(folder).indexOf(name) >= 0 }, 10000)
    }

    function test_vanishedRecordingResetsTheCard() {
        var other = fixture.makeCard("OTHER", [{ folder: "Drive", name: oneChannel + ".avi",
                                                  channels: 1, seconds: 1 }])
        chooseCard(other)
        verify(fixture.remove(other + "Drive/" + oneChannel + ".avi"))
        child("listActions").listPlayDBClick(0, 0, 1)
        expectNotice(qsTranslate("main", "SDCard가 제거되었습니다."))
        compare([win.currentPlayFilePath, child("myFile").readfileCnt(0), win.preparing()],
                ["", 0, false])
    }
}

import QtQuick 2.12
import QtTest 1.2
import VelmoraPlayer 1.0

// The window with no camera card mounted.
MainTestCase {
    name: "WithoutCard"

    function init() {
        fixture.unmountAll()
        fixture.clearLog()
        openMain()
    }

    function test_startShowsTheInsertNoticeOnceAndNothingElse() {
        var notice = child("notiPopup")
        tryCompare(notice, "opened", true)
        compare(child("notiPopuptxt").text, qsTranslate("main", "SDCard를 삽입해주세요"))
        // Nothing else follows: no second notice, no drive dialog, no list.
        wait(1000)
        compare(fixture.countLines("notice ===> "), 1)
        compare(child("myFile").source, "none")
        compare(win.videoPlayListCount, 0)
        compare(win.sdCardDetect, 0)
        for (var kind = 0; kind < 5; ++kind)
            compare(child("myFile").readfileCnt(kind), 0)
        // The player shows its toolbar and no loading indicator.
        compare(child("toolbar").opacity, 1)
        compare(child("lodingStr").opacity, 0)
        compare(child("videoOut1").playbackState, MediaPlayer.StoppedState)
    }

    function test_startUpSettings() {
        compare(win.widthRate, 0.66)
        compare(win.heightRate, 0.64)
        compare(win.fullmode, 0)
        compare(win.resolution, child("myFile").vresolution)
        compare(win.speedUnit, child("myFile").vspeedunit)
        compare(win.currentWrokDir.length > 0, true)
        var tracks = [["videoOut1", 0], ["videoOut2", 1], ["videoOut3", 2], ["videoOut1popup", 0]]
        for (var i = 0; i < tracks.length; ++i) {
            var player = child(tracks[i][0])
            compare(player.videoTrack, tracks[i][1], tracks[i][0])
            compare(player.videoCodecPriority, ["VAAPI", "FFmpeg"], tracks[i][0])
        }
        compare(child("videoOut1").volume, 0.7)
        compare(child("videoOut1popup").volume, 0.7)
        compare(child("videoOut1popup").visible, false)
    }

    function test_cardMenusWithoutCardResetTheList_data() {
        return [
            { tag: "SD card menu", action: function() { child("mainMenus").menuClicked(1) } },
            { tag: "camera settings", action: function() { child("mainMenus").settingDashCamClick() } },
        ]
    }

    function test_cardMenusWithoutCardResetTheList(data) {
        tryCompare(child("notiPopup"), "opened", true)
        child("notiPopup").close()
        var cleared = spy(win, "listClear")
        var unlocked = spy(win, "unlockList")
        var dialog = spy(win, "viewPopup")
        var settings = spy(win, "settingDashViewPopup")
        win.currentPlayFilePath = "/somewhere/R_20261206_081512_T_N.avi"
        fixture.clearLog()
        data.action()
        compare(fixture.countLines("notice ===> " + qsTranslate("main", "SDCard를 삽입해주세요")), 1)
        compare(cleared.count, 1)
        compare(unlocked.count, 1)
        compare(win.currentPlayFilePath, "")
        compare(dialog.count, 0)
        compare(settings.count, 0)
    }

    function test_reportAndSnapshotDoNothingWhileStopped() {
        var values = spy(win, "setValue")
        var dialog = spy(win, "viewPopup")
        child("mainMenus").menuClicked(5)
        child("mainMenus").menuClicked(6)
        compare(values.count, 0)
        compare(dialog.count, 0)
        compare(child("loadingPopup").opened, false)
        // The version entry opens the dialog's version page in any state.
        child("mainMenus").menuClicked(4)
        compare(dialog.count, 1)
        compare(dialog.signalArguments[0][0], 3)
    }
}

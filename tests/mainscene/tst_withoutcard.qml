import QtQuick 2.12
import QtTest 1.2

// The window with no camera card mounted.
MainTestCase {
    name: "WithoutCard"

    function init() {
        fixture.unmountAll()
        openMain()
    }

    // The insert notice and nothing else: no drive dialog, no list, no loading
    // indicator; the players and the layout as the settings give them.
    function test_startUp() {
        var myFile = child("myFile")
        expectNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
        compare(child("menu1Popup").item.opened, false)
        compare(myFile.source, "none")
        compare([win.videoPlayListCount, win.sdCardDetect], [0, 0])
        for (var kind = 0; kind < 5; ++kind)
            compare(myFile.readfileCnt(kind), 0)
        compare([child("toolbar").opacity, child("lodingStr").opacity], [1, 0])
        compare([win.resolution, win.speedUnit], [myFile.vresolution, myFile.vspeedunit])
        // Each view on its own camera, the full-screen player on the front one.
        var tracks = { "videoOut1": 0, "videoOut2": 1, "videoOut3": 2, "videoOut1popup": 0 }
        for (var name in tracks) {
            verify(child(name).isStopped(), name)
            compare(child(name).videoTrack, tracks[name], name)
        }
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
        var opened = [spy(win, "viewPopup"), spy(win, "settingDashViewPopup")]
        win.currentPlayFilePath = "/somewhere/R_20261206_081512_T_N.avi"
        data.action()
        expectNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
        compare([cleared.count, unlocked.count, opened[0].count, opened[1].count], [1, 1, 0, 0])
        compare(win.currentPlayFilePath, "")
    }

    function test_reportAndSnapshotDoNothingWhileStopped() {
        var values = spy(win, "setValue")
        var dialog = spy(win, "viewPopup")
        child("mainMenus").menuClicked(5)
        child("mainMenus").menuClicked(6)
        compare([values.count, dialog.count], [0, 0])
        compare(child("loadingPopup").opened, false)
        // The version entry opens the dialog's version page in any state.
        child("mainMenus").menuClicked(4)
        compare(argumentsOf(dialog, 0), [3])
        compare(dialog.count, 1)
    }
}

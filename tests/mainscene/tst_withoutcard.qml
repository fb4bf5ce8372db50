import QtQuick 2.12
import QtTest 1.2

// The window with no camera card mounted.
MainTestCase {
    name: "WithoutCard"

    function init() {
        fixture.unmountAll()
        openMain()
    }

    // The insert notice, no drive dialog, no list; the layout as the settings give it.
    function test_startUp() {
        var myFile = child("myFile")
        expectNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
        compare(child("menu1Popup").item.opened, false)
        compare([myFile.source, myFile.readfileCnt(0), win.videoPlayListCount], ["none", 0, 0])
        compare([win.resolution, win.speedUnit], [myFile.vresolution, myFile.vspeedunit])
        // Each view on its own camera, the full-screen player on the front one.
        var views = ["videoOut1", "videoOut2", "videoOut3", "videoOut1popup"].map(child)
        compare(views.map(function(v) { return v.videoTrack }), [0, 1, 2, 0])
        compare(views.map(function(v) { return v.isStopped() }), [true, true, true, true])

        // A card put in later is offered.
        card = fixture.makeCard("DASHCAM", [])
        tryCompare(child("menu1Popup").item, "page", 1, 10000)
        verify(child("menu1Popup").item.opened)
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
        var opened = [spy(win, "viewPopup"), spy(win, "settingDashViewPopup")]
        win.currentPlayFilePath = "/somewhere/R_20261206_081512_T_N.avi"
        data.action()
        expectNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
        compare([cleared.count, opened[0].count, opened[1].count], [1, 0, 0])
        compare(win.currentPlayFilePath, "")
    }
}

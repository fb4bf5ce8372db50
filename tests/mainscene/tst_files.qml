import QtQuick 2.12
import QtTest 1.2

// Saving, deleting and opening recordings by hand, as the window handles the
// list panel's requests.
MainTestCase {
    name: "Files"

    readonly property string drive: "R_20261206_081512_S_N.avi"
    readonly property string impact: "R_20261206_081740_S_E.avi"
    property string card: ""

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: drive, channels: 1, seconds: 1 },
            { folder: "DriveEvent", name: impact, channels: 1, seconds: 1 },
        ])
        verify(card !== "", "the card could not be written")
    }

    function init() {
        openMain()
        chooseCard(card)
    }

    function test_saveNotice_data() {
        return [
            { tag: "all copied", clash: false, text: qsTranslate("main", "Successfully Saved") },
            // A copy never replaces a file of the same name, and the notice says so.
            { tag: "one refused", clash: true,
              text: qsTranslate("main", "Could not save %1 file(s): %2").arg(1).arg(drive) },
        ]
    }

    // The notice comes once the copies are done, and names what failed.
    function test_saveNotice(data) {
        var target = fixture.makeFolder()
        if (data.clash)
            verify(fixture.copy(card + "DriveEvent/" + impact, target + "/" + drive))
        var myFile = child("myFile")
        myFile.fileSave(0, 0, target)
        if (data.clash)
            myFile.fileSave(1, 0, target)
        myFile.fileSaveStart()
        child("listActions").listSaveSuccess()
        compare(child("savePopup").opened, false)
        tryCompare(child("savePopup"), "opened", true)
        compare(child("savePopuptxt01").text, data.text)
        compare(fixture.files(target), data.clash ? [drive, impact] : [drive])
    }

    function test_listButtons_data() {
        return [
            { tag: "delete, none checked", click: "listDeleteClick", checked: 0 },
            { tag: "save, none checked", click: "listSaveClick", checked: 0 },
            { tag: "delete", click: "listDeleteClick", checked: 2, asksFirst: true },
            { tag: "save", click: "listSaveClick", checked: 2, page: 4 },
        ]
    }

    // With nothing checked the buttons say so; else deleting asks first and
    // saving asks for a folder.
    function test_listButtons(data) {
        var dialog = spy(win, "viewPopup")
        var deletions = spy(win, "deleteListIndex")
        child("listActions")[data.click](data.checked)
        expectNotice(data.checked ? undefined : qsTranslate("main", "No video is selected"))
        compare(child("deletePopup").opened, data.asksFirst === true)
        compare(dialog.count, data.page ? 1 : 0)
        if (data.page)
            compare(argumentsOf(dialog, 0), [data.page])
        if (!data.asksFirst)
            return
        compare(deletions.count, 0)
        mouseClick(child("deleteConfirm"))
        compare(deletions.count, 1)
        tryCompare(child("deletePopup"), "opened", false)
    }

    function test_routingWithACard_data() {
        return [
            { tag: "SD card menu", signalName: "viewPopup", call: "menuClicked", arg: 1 },
            { tag: "camera settings", signalName: "settingDashViewPopup", call: "settingDashCamClick" },
            { tag: "viewer settings", signalName: "settingPcViewPopup", call: "settingPcViewClick" },
            { tag: "settings menu", signalName: "settingSelectPopup", call: "menuClicked", arg: 7 },
        ]
    }

    function test_routingWithACard(data) {
        var opened = spy(win, data.signalName)
        var cleared = spy(win, "listClear")
        child("mainMenus")[data.call](data.arg)
        compare([opened.count, cleared.count], [1, 0])
        expectNotice()
    }

    // Both recordings copied out of the card, as file URLs, the impact first.
    function pickedUrls() {
        var folder = fixture.makeFolder()
        verify(fixture.copy(card + "Drive/" + drive, folder + "/" + drive))
        verify(fixture.copy(card + "DriveEvent/" + impact, folder + "/" + impact))
        return ["file://" + folder + "/" + impact, "file://" + folder + "/" + drive]
    }

    function test_filesOpenedByHandAreFiledByTheirNames() {
        var locked = spy(win, "lockList")
        var unlocked = spy(win, "unlockList")
        var added = spy(win, "addListItem")
        child("mainMenus").openFiles(pickedUrls())
        compare([locked.count, unlocked.count], [1, 1])
        compare([child("myFile").readfileCnt(0), child("myFile").readfileCnt(1)], [1, 1])
        compare(added.count, 1)
        compare(added.signalArguments[0][0], drive)
        compare([win.videoPlayListKind, win.videoPlayListCount], [0, 1])
    }

    // Handed over by the desktop: the first file plays, shown in its own tab.
    function test_filesFromTheDesktopPlayTheFirst() {
        var urls = pickedUrls()
        child("mainMenus").openAndPlay(urls)
        waitUntilPlaying(child("videoOut1"))
        compare([win.videoPlayListKind, win.videoPlayListCurIdx], [1, 0])
        compare("file://" + win.currentPlayFilePath, urls[0])
        compare(win.fileListLoader.item.categoryIndex, 2)
    }
}

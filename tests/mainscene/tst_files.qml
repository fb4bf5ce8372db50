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

    function test_savedNoticeWaitsForTheCopies() {
        var target = fixture.makeFolder()
        var myFile = child("myFile")
        myFile.fileSave(0, 0, target)
        myFile.fileSaveStart()
        child("listActions").listSaveSuccess()
        compare(child("savePopup").opened, false)
        tryCompare(child("savePopup"), "opened", true)
        compare(child("savePopuptxt01").text, qsTranslate("main", "Successfully Saved"))
        compare(fixture.files(target), [drive])
    }

    function test_failedCopiesAreCountedAndNamed() {
        var target = fixture.makeFolder()
        // A copy never replaces a file of the same name.
        verify(fixture.copy(card + "DriveEvent/" + impact, target + "/" + drive))
        var myFile = child("myFile")
        myFile.fileSave(0, 0, target)
        myFile.fileSave(1, 0, target)
        myFile.fileSaveStart()
        child("listActions").listSaveSuccess()
        tryCompare(child("savePopup"), "opened", true)
        compare(child("savePopuptxt01").text,
                qsTranslate("main", "Could not save %1 file(s): %2").arg(1).arg(drive))
        compare(fixture.files(target), [drive, impact])
    }

    function test_emptySelectionIsNamed_data() {
        return [
            { tag: "delete", action: function() { child("listActions").listDeleteClick(0) } },
            { tag: "save", action: function() { child("listActions").listSaveClick(0) } },
        ]
    }

    function test_emptySelectionIsNamed(data) {
        var dialog = spy(win, "viewPopup")
        fixture.clearLog()
        data.action()
        compare(fixture.countLines("notice ===> " + qsTranslate("main", "No video is selected")), 1)
        compare(child("deletePopup").opened, false)
        compare(dialog.count, 0)
    }

    function test_deleteAsksFirst() {
        var deletions = spy(win, "deleteListIndex")
        child("listActions").listDeleteClick(2)
        compare(child("deletePopup").opened, true)
        compare(deletions.count, 0)
        mouseClick(child("deleteConfirm"))
        compare(deletions.count, 1)
        tryCompare(child("deletePopup"), "opened", false)
    }

    function test_saveAsksForAFolder() {
        var dialog = spy(win, "viewPopup")
        child("listActions").listSaveClick(2)
        compare(dialog.count, 1)
        compare(dialog.signalArguments[0][0], 4)
    }

    function test_routingWithACard_data() {
        return [
            { tag: "SD card menu", signalName: "viewPopup", action: function() { child("mainMenus").menuClicked(1) } },
            { tag: "camera settings", signalName: "settingDashViewPopup",
              action: function() { child("mainMenus").settingDashCamClick() } },
            { tag: "viewer settings", signalName: "settingPcViewPopup",
              action: function() { child("mainMenus").settingPcViewClick() } },
            { tag: "settings menu", signalName: "settingSelectPopup",
              action: function() { child("mainMenus").menuClicked(7) } },
        ]
    }

    function test_routingWithACard(data) {
        var opened = spy(win, data.signalName)
        var cleared = spy(win, "listClear")
        fixture.clearLog()
        data.action()
        compare(opened.count, 1)
        compare(cleared.count, 0)
        compare(fixture.countLines("notice ===> "), 0)
    }

    function test_filesOpenedByHandAreFiledByTheirNames() {
        var folder = fixture.makeFolder()
        verify(fixture.copy(card + "Drive/" + drive, folder + "/" + drive))
        verify(fixture.copy(card + "DriveEvent/" + impact, folder + "/" + impact))
        var locked = spy(win, "lockList")
        var unlocked = spy(win, "unlockList")
        var added = spy(win, "addListItem")
        child("mainMenus").openFiles(["file://" + folder + "/" + impact, "file://" + folder + "/" + drive])
        compare(locked.count, 1)
        compare(unlocked.count, 1)
        var myFile = child("myFile")
        compare(myFile.readfileCnt(0), 1)
        compare(myFile.readfileCnt(1), 1)
        compare(added.count, 1)
        compare(added.signalArguments[0][0], drive)
        compare(win.videoPlayListKind, 0)
        compare(win.videoPlayListCount, 1)
    }
}

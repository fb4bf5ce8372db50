import QtQuick 2.12
import QtTest 1.2

// Saving, deleting and opening recordings by hand.
MainTestCase {
    name: "Files"

    readonly property string drive: "R_20261206_081512_S_N.avi"
    readonly property string impact: "R_20261206_081740_S_E.avi"

    function initTestCase() {
        card = fixture.makeCard("DASHCAM", [
            { folder: "Drive", name: drive, channels: 1, seconds: 1 },
            { folder: "DriveEvent", name: impact, channels: 1, seconds: 1 },
        ])
        verify(card !== "", "the card could not be written")
    }

    // A copy never replaces a file; once the copies are done the notice names the one refused.
    function test_saveNoticeNamesWhatFailed() {
        var target = fixture.makeFolder()
        child("myFile").fileSave(0, 0, target)
        child("myFile").fileSave(0, 0, target)
        child("myFile").fileSaveStart()
        compare(child("savePopup").opened, false)
        tryCompare(child("savePopup"), "opened", true)
        compare(child("savePopuptxt01").text,
                qsTranslate("main", "Could not save %1 file(s): %2").arg(1).arg(drive))
        compare(fixture.files(target), [drive, "SHA256SUMS"])
    }

    // The save pop-up counts the files and closes at the end; after Cancel the notice says how
    // many were saved, and they are those in the folder.
    function test_savePopupShowsProgressAndCancel() {
        var target = fixture.makeFolder()
        child("myFile").fileSave(0, 0, target)
        child("myFile").fileSave(1, 0, target)
        child("myFile").fileSaveStart()
        child("listActions").listSaveSuccess()
        compare(child("copyProgress").opened, true)
        tryCompare(child("copyFiles"), "text", qsTranslate("CopyProgress", "%1 of %2 files")
                   .arg(2).arg(2))
        tryCompare(child("savePopup"), "opened", true)
        compare(child("copyProgress").opened, false)
        compare(child("savePopuptxt01").text, qsTranslate("main", "Successfully Saved"))
        compare(fixture.files(target), [impact, drive, "SHA256SUMS"].sort())
        child("savePopup").close()

        target = fixture.makeFolder()
        child("myFile").fileSave(0, 0, target)
        child("myFile").fileSaveStart()
        child("listActions").listSaveSuccess()
        child("copyCancel").clicked() // before the copy's report can arrive
        compare(child("copyCancel").enabled, false)
        tryCompare(child("savePopup"), "opened", true)
        var saved = fixture.files(target).filter(function(f) { return f === drive })
        compare(child("savePopuptxt01").text,
                qsTranslate("main", "Cancelled: %1 file(s) saved").arg(saved.length))
    }

    // With nothing checked the buttons say so; else deleting asks first and
    // saving asks for a folder.
    function test_listButtons() {
        var dialog = spy(win, "viewPopup")
        var deletions = spy(win, "deleteListIndex")
        child("listActions").listSaveClick(0)
        expectNotice(qsTranslate("main", "No video is selected"))
        child("listActions").listSaveClick(2)
        compare(argumentsOf(dialog, 0), [4])
        child("listActions").listDeleteClick(2)
        compare(deletions.count, 0)
        mouseClick(child("deleteConfirm"))
        compare(deletions.count, 1)
        tryCompare(child("deletePopup"), "opened", false)
    }

    function test_cardMenuWithACardOpensTheCardPage() {
        var dialog = spy(win, "viewPopup")
        var cleared = spy(win, "listClear")
        child("mainMenus").menuClicked(1)
        compare(argumentsOf(dialog, 0), [1])
        compare(cleared.count, 0)
        expectNotice()
    }

    // Handed over by the desktop: each filed by its name, the first plays in its tab.
    function test_filesFromTheDesktopPlayTheFirst() {
        var urls = ["file://" + card + "DriveEvent/" + impact, "file://" + card + "Drive/" + drive]
        child("mainMenus").openAndPlay(urls)
        compare([child("myFile").readfileCnt(0), child("myFile").readfileCnt(1)], [1, 1])
        waitUntilPlaying(child("videoOut1"))
        compare([win.videoPlayListKind, win.videoPlayListCurIdx], [1, 0])
        compare("file://" + win.currentPlayFilePath, urls[0])
        compare(win.fileListLoader.item.categoryIndex, 2)
    }

    // A file that is no recording at all: every view ends stopped, and the
    // window names it and says why, in full screen too.
    function test_aFileThatCannotBePlayedIsNamed() {
        var name = "R_20261206_090000_T_N"
        verify(fixture.makeSparseFile(card + name + ".avi", 0))
        child("mainMenus").openAndPlay(["file://" + card + name + ".avi"])
        expectNotice(qsTranslate("main", "%1 cannot be played: %2").arg(name)
                         .arg("unrecognized file format"))
        tryVerify(function() {
            return win.playersInUse().every(function(v) { return v.isStopped() })
        })
        // The same from the full-screen view.
        child("notiPopup").close()
        tryCompare(child("notiPopup"), "opened", false)
        win.enterFullScreen()
        expectNotice(qsTranslate("main", "%1 cannot be played: %2").arg(name)
                         .arg("unrecognized file format"))
        win.leaveFullScreen()
    }
}

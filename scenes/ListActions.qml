import QtQml 2.12

// What the recording list panel asks of the window: a tab's rows, playing a
// row, deleting and saving the checked rows. The window's players, dialogs
// and shared state are the main window's.
QtObject {
    id: listActions

    // A tab was chosen. The play list follows it only while nothing plays
    // or is being prepared, so previous/next stay in the playing category.
    function listReadList(idx) {
        var n = myFile.readfileCnt(idx)
        if (mainWin.isStopped(videoOut1) && !mainWin.preparing()) {
            mainWin.videoPlayListCount = n
            mainWin.videoPlayListKind = idx
        }
        mainWin.listClear()
        mainWin.fillList(idx)
    }

    function listPlayDBClick(fIdx, lIdx, lCnt) {
        mainWin.videoPlayListCount = lCnt
        mainWin.videoPlayListKind = fIdx
        mainWin.videoPlayListCurIdx = lIdx
        if (!mainWin.isStopped(videoOut1)) {
            // The stop handler starts the new recording.
            mainWin.stopForFollowUp(1)
        } else {
            mainWin.videoListfunc()
        }
    }

    function listDeleteClick(cnt) {
        if (!mainWin.isStopped(videoOut1))
            mainWin.stopForFollowUp(2)
        if (cnt > 0)
            deletePopup.open()
        else
            mainWin.showNotice(qsTranslate("main", "No video is selected"))
    }

    function listSaveClick(cnt) {
        if (cnt > 0)
            mainWin.viewPopup(4)
        else
            mainWin.showNotice(qsTranslate("main", "No video is selected"))
    }

    // The checked rows were handed over for copying: the save pop-up shows
    // their progress; the notice follows when the copies have ended
    // (copiesEnded).
    function listSaveSuccess() {
        console.log(Log.scenes, "saveSuccess ===> waiting for the copies")
        copyProgress.begin()
    }

    function copiesEnded(copied, failed, failedNames) {
        var cancelled = copyProgress.cancelled
        copyProgress.close()
        var lines = []
        if (cancelled)
            lines.push(qsTranslate("main", "Cancelled: %1 file(s) saved").arg(copied))
        if (failed > 0)
            lines.push(qsTranslate("main", "Could not save %1 file(s): %2")
                       .arg(failed).arg(failedNames.join(", ")))
        if (lines.length === 0)
            lines.push(qsTranslate("main", "Successfully Saved"))
        mainWin.showSaveNotice(lines.join("\n"))
    }
}

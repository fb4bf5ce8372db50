import QtQml 2.12
import VelmoraPlayer 1.0

// What the top menu's cells, the settings choice, the file dialog and the
// logo's link lead to: the card dialog, opening files by hand, the version
// and save pages, the report with its snapshots, and the settings screens.
// The window's players, dialogs and shared state are the main window's.
QtObject {
    id: menus

    function menuClicked(menuIdx) {
        var playing = videoOut1.playbackState === MediaPlayer.PlayingState
        switch (menuIdx) {
        case 1:
            if (playing)
                mainWin.pauseAll()
            myFile.source = "DASHCAM"
            if (myFile.source !== "none") {
                mainWin.viewPopup(1)
            } else {
                mainWin.showNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
                mainWin.cardReset()
            }
            break
        case 2:
            if (playing)
                mainWin.pauseAll()
            fileDialog.open()
            break
        case 4:
            mainWin.viewPopup(3)
            break
        case 5:
            if (!mainWin.isStopped(videoOut1))
                menus.takeReportSnapshots()
            break
        case 6:
            if (!mainWin.isStopped(videoOut1)) {
                mainWin.pauseAll()
                mainWin.viewPopup(2)
            }
            break
        case 7:
            if (playing)
                mainWin.pauseAll()
            mainWin.settingSelectPopup()
            break
        }
    }

    function reportFolder() {
        var dir = mainWin.currentWrokDir
        if (dir.length > 0 && dir.charAt(dir.length - 1) === "/")
            dir = dir.substring(0, dir.length - 1)
        return dir + "/velmora/report"
    }

    // Captures the views of the recording's channels for the report screen
    // and hands it their URLs ("" for a channel the recording lacks); the
    // report waits for the captures' own word.
    function takeReportSnapshots() {
        var folder = menus.reportFolder()
        var name = mainWin.currentPlayFileName
        var prefixes = ["F_", "R_", "S_"]
        var players = mainWin.playersInUse()
        var urls = ["", "", ""]
        // Paused first, so that every picture shows the moment the report
        // then reads from the large view.
        mainWin.pauseAll()
        for (var i = 0; i < players.length; ++i) {
            players[i].videoCapture.captureName = prefixes[i] + name
            players[i].videoCapture.captureDir = folder
            players[i].videoCapture.capture()
            urls[i] = mainWin.mediaUrl(folder + "/" + prefixes[i] + name + ".png")
        }
        mainWin.setValue(urls[0], urls[1], urls[2])
    }

    function settingDashCamClick() {
        var drivePath = myFile.getDrivePath()
        console.log(Log.scenes, "drivePath ================> " + drivePath)
        var hasConfig = myFile.readConfig()
        if (drivePath === "none") {
            mainWin.showNotice(qsTranslate("main", "SDCard를 삽입해주세요"))
            mainWin.cardReset()
        } else if (!hasConfig) {
            // Nothing to show and nothing to save over: the screen stays shut.
            mainWin.showNotice(qsTranslate("main", "The SD card holds no camera settings (config.txt)"))
        } else {
            mainWin.settingDashViewPopup()
        }
    }

    function settingPcViewClick() {
        mainWin.settingPcViewPopup()
    }

    // Files the user picked by hand: they become the list of category 0
    // (and the other categories by their names).
    function openFiles(urls) {
        mainWin.lockList()
        if (!mainWin.isStopped(videoOut1))
            mainWin.stopForFollowUp(2)
        var names = []
        for (var i = 0; i < urls.length; ++i)
            // Plain paths: "#" or "%" in a name arrive escaped in the URL.
            names.push(decodeURIComponent(urls[i].toString()))
        var result = myFile.setfileInfo(names.join(","))
        if (result === "ERROR")
            mainWin.showNotice(qsTranslate("main", "영문으로된 파일명과 경로만 지원합니다."))
        else
            mainWin.setExfileList()
        mainWin.unlockList()
    }

    // Files handed over by the desktop: opened as above, and the first one
    // plays in the tab of its category.
    function openAndPlay(urls) {
        openFiles(urls)
        // Named as the catalogue names picked files: the suffix reads ".avi".
        var path = decodeURIComponent(urls[0].toString())
        var name = path.substring(path.lastIndexOf("/") + 1).slice(0, -4) + ".avi"
        for (var kind = 0; kind < 5; ++kind) {
            var count = myFile.readfileCnt(kind)
            for (var i = 0; i < count; ++i) {
                if (myFile.readfilename(kind, i) !== name)
                    continue
                if (mainWin.fileListLoader.item)
                    mainWin.fileListLoader.item.selectTab(kind + 1)
                listActions.listPlayDBClick(kind, i, count)
                return
            }
        }
    }

    function openMakerSite() {
        if (makerSiteUrl !== "")
            Qt.openUrlExternally(makerSiteUrl)
    }
}

import QtQuick 2.12
import QtQuick.Window 2.12
import QtQuick.Layouts 1.12
import QtQuick.Controls 2.12
import QtQuick.Dialogs 1.3 as QD
import FileIO 1.0
import EnumLanguage 1.0
import VelmoraPlayer 1.0
import "playercontrol.js" as Control
import "graph.js" as Graph

// The main window: the card, the recording list, the three channel players,
// the map and the graph, and every dialog. It holds the player's shared state
// and runs the play pipeline: a chosen recording is prepared (its telemetry
// extracted in the background), then its channels are started.
Window {
    id: mainWin

    // Base name and full path of the recording being played. The path is a
    // plain absolute path; the players get it as a file URL (mediaUrl).
    property string currentPlayFileName: ""
    property string currentPlayFilePath: ""
    property string currentWrokDir: ""
    // The play list: a category, its size and the current index in it.
    property real videoPlayListKind: 0
    property real videoPlayListCount: 0
    property real videoPlayListCurIdx: 0
    property int videoChannelIdx: 0
    // What follows when the large player stops: 0 advance to the next
    // recording, 1 start the one just requested, 2 stop there.
    property real dbClickCheck: 0
    property int mutexLock: 0
    property int fullmode: 0
    property real speedUnit: 0
    property real resolution: 0
    property real curDuration: 0
    property real playDuration: 0
    property real videoViewPos: 0
    property int video1Rotate: 0
    property var videoRotateNor: ["qrc:/images/player-rotate-0-nor.png",
        "qrc:/images/player-rotate-90-nor.png", "qrc:/images/player-rotate-180-nor.png",
        "qrc:/images/player-rotate-270-nor.png"]
    property var videoRotateDim: ["qrc:/images/player-rotate-0-dim.png",
        "qrc:/images/player-rotate-90-dim.png", "qrc:/images/player-rotate-180-dim.png",
        "qrc:/images/player-rotate-270-dim.png"]
    property real seekposition1: 0
    property real seekposition2: 0
    property real seekposition3: 0
    property real zoomCenterX: 0
    property real zoomCenterY: 0
    property real volumeLevelPre: 0
    property real widthRate: 0
    property real heightRate: 0
    property real monitorCnt: 0
    property real monitorIndex: 0
    property real sdCardDetect: 0
    // Recordings named on the command line (file URLs): opened in place of
    // the card dialog once the window is built, and the first one plays.
    property var startupFiles: []
    // Files named there that cannot be opened (paths).
    property var refusedFiles: []

    // The players and cells of the layout.
    readonly property ChannelView videoOut1: layout.videoOut1
    readonly property ChannelView videoOut2: layout.smallView2.player
    readonly property ChannelView videoOut3: layout.smallView3.player
    readonly property PlayerOverlay largeOverlay: layout.largeOverlay
    readonly property SmallView smallView2: layout.smallView2
    readonly property SmallView smallView3: layout.smallView3
    readonly property Loader menuLoader: layout.menuLoader
    readonly property Item graphloader: layout.graphloader
    readonly property Item pageLoader: layout.pageLoader
    readonly property Item titleBar: layout.titleBar
    readonly property Loader fileListLoader: layout.fileListLoader

    signal addListItem(string filename, string fileinfo, int cIdx, int cIIdx)
    signal listInit
    signal listClear
    signal lockList
    signal unlockList
    signal setCurrentIndex(int kind, int index)
    signal deleteListIndex
    signal saveListIndex(string savePath)
    signal setTrigger
    signal playTrigger
    signal stopTrigger
    signal viewPopup(int vIdex)
    signal settingSelectPopup
    signal settingDashViewPopup
    signal settingPcViewPopup
    signal setValue(string fFilename, string rFilename, string sFilename)

    visible: true
    visibility: "Maximized"
    width: myFile.getScreenWidth()
    height: myFile.getScreenHeight()
    minimumWidth: 1280
    minimumHeight: 700
    flags: Qt.Window
    color: Theme.background
    title: "Velmora Viewer"

    FileIO {
        id: myFile
        objectName: "myFile"
        source: "DASHCAM"
        onError: console.log(Log.scenes, "FileIO error: " + msg)
        // The notice after a list save waits for the copies' own report.
        onCopyFinished: listActions.copiesEnded(copied, failed, failedNames)
        onCardRemoved: mainWin.cardPulled(root)
        onCardInserted: mainWin.cardCameIn()
    }

    // ---- helpers ---------------------------------------------------------

    // A player still opening its recording counts as started (ChannelView).
    function isStopped(player) {
        return player.isStopped()
    }

    // A recording of the play list is being prepared or about to start.
    function preparing() {
        return readyTimer.running || playTimer.running
    }

    // An absolute path as a file URL; each part is escaped, so names with
    // "#", "?" or "%" reach the player whole.
    function mediaUrl(path) {
        return "file://" + path.split("/").map(encodeURIComponent).join("/")
    }

    function showNotice(text) {
        console.log(Log.scenes, "notice ===> " + text)
        notiPopup.message.text = text
        notiPopup.open()
    }

    // The recording shown cannot be played: the window says so, and why.
    // The player's reasons are mpv's, in English.
    function cannotPlay(reason) {
        if (currentPlayFilePath === "")
            return
        var words = {
            "no such file": qsTr("no such file"),
            "unrecognized file format": qsTr("unrecognized file format"),
            "no audio or video data played": qsTr("no audio or video data played"),
            "loading failed": qsTr("loading failed"),
            "no picture output": qsTr("no picture output"),
        }
        var why = words[reason] !== undefined ? words[reason] : reason
        showNotice(qsTr("%1 cannot be played: %2").replace("%2", why)
                   .replace("%1", currentPlayFileName))
    }

    function showSaveNotice(text) {
        console.log(Log.scenes, "saveNotice ===> " + text)
        savePopup.message.text = text
        savePopup.open()
    }

    // Players still opening pause as soon as they have opened.
    function pauseAll() {
        videoOut1.hold()
        videoOut2.hold()
        videoOut3.hold()
    }

    function stopAll() {
        videoOut1.halt()
        videoOut2.halt()
        videoOut3.halt()
    }

    // Stops the channel players with `check` (1: start the requested
    // recording, 2: nothing) as what follows. The large player reports its
    // stop at once and its handler acts on it; when it had nothing to stop,
    // the follow-up happens here.
    function stopForFollowUp(check) {
        dbClickCheck = check
        stopAll()
        if (dbClickCheck !== check || videoOut1.stopWhenOpen)
            return
        dbClickCheck = 0
        if (check === 1)
            videoListfunc()
        else
            playerActions.clearNameLabels()
    }

    // The channel players that the current recording uses.
    function playersInUse() {
        if (videoChannelIdx === 3)
            return [videoOut1, videoOut2, videoOut3]
        if (videoChannelIdx === 2)
            return [videoOut1, videoOut2]
        return [videoOut1]
    }

    // ---- the list --------------------------------------------------------

    function fillList(kind) {
        var n = myFile.readfileCnt(kind)
        for (var i = 0; i < n; ++i)
            addListItem(myFile.readfilename(kind, i), myFile.readfileinfo(kind, i), kind, i)
        return n
    }

    function setList() {
        videoPlayListCount = 0
        videoPlayListKind = 0
        myFile.fileSearch()
        listClear()
        videoPlayListCount = myFile.readfileCnt(0)
        fillList(0)
        listInit()
    }

    function setExfileList() {
        videoPlayListCount = 0
        videoPlayListKind = 0
        listClear()
        videoPlayListCount = myFile.readfileCnt(0)
        fillList(0)
        listInit()
    }

    ListActions {
        id: listActions
        objectName: "listActions"
    }

    // ---- the play pipeline -----------------------------------------------

    // `followOn`: the previous recording has just ended by itself, and the
    // next one starts as soon as its telemetry is read, so that the drive
    // goes on with the shortest break.
    function videoListfunc(followOn) {
        // A recording about to start gives way to the one asked for now.
        playTimer.stop()
        readyTimer.followOn = followOn === true
        readyTimer.fastPolls = 50
        var filepath = myFile.readfilepath(videoPlayListKind, videoPlayListCurIdx)
        currentPlayFilePath = filepath
        curDuration = myFile.getDuration(currentPlayFilePath)
        playerActions.setSpeed(1)
        if (myFile.fileValidation(currentPlayFilePath) === 1) {
            currentPlayFileName = myFile.readBaseFName(videoPlayListKind, videoPlayListCurIdx)
            largeOverlay.toolbarShown = false
            readyTimer.repeat = true
            readyTimer.start()
        } else {
            showNotice(qsTr("SDCard가 제거되었습니다."))
            cardReset()
        }
    }

    function videoPlayfunc() {
        videoChannelIdx = myFile.getVideoChannel(currentPlayFileName)
        if (currentPlayFilePath === "" || !(largeOverlay.toolbarShown || fullOverlay.toolbarShown))
            return
        setCurrentIndex(videoPlayListKind, videoPlayListCurIdx)

        var url = mediaUrl(currentPlayFilePath)
        videoOut1.source = url
        videoOut1popup.source = url
        videoOut2.source = url
        videoOut3.source = url
        videoOut2.muted = true
        videoOut3.muted = true

        if (videoChannelIdx < 1 || videoChannelIdx > 3) {
            console.log(Log.scenes, "videoPlayfunc ===> no channel mark: " + currentPlayFileName)
            return
        }
        playerActions.setNameLabels(currentPlayFileName, videoChannelIdx)
        // A layout kept from a recording with more channels would leave a
        // view on a track this one lacks: such a layout starts over, with
        // every view on its own track.
        var tracks = [videoOut1.videoTrack, videoOut2.videoTrack, videoOut3.videoTrack]
        if (Control.layoutExceeds(videoChannelIdx, tracks)) {
            videoViewPos = 0
            playerActions.applyChannelLayout(3)
            playerActions.resetPicture()
        }
        if (fullmode === 1) {
            videoOut1popup.start()
            return
        }
        var players = playersInUse()
        for (var i = 0; i < players.length; ++i)
            players[i].start()
    }

    // What follows when the large player has stopped.
    function stopDispatch() {
        if (dbClickCheck === 0) {
            videoPlayListCurIdx = videoPlayListCurIdx - 1
            if (videoPlayListCurIdx >= 0)
                videoListfunc(true)
        } else if (dbClickCheck === 1) {
            videoListfunc()
            dbClickCheck = 0
        } else if (dbClickCheck === 2) {
            dbClickCheck = 0
            playerActions.clearNameLabels()
        }
    }

    // Zooms a player in (plus 1) or out (plus 0) around the zoom point,
    // keeping the frame point under it in place.
    function videoZoomEx(videoctl, plus) {
        if (isStopped(videoctl))
            return
        var fp = videoctl.mapPointToSource(Qt.point(zoomCenterX, zoomCenterY))
        var zoom = Control.nextZoom(videoctl.zoom, plus === 1)
        var region = Control.zoomRegion(fp, zoom, videoctl.videoFrameWidth,
                                        videoctl.videoFrameHeight)
        videoctl.zoom = zoom
        videoctl.roi_x = region.x
        videoctl.roi_y = region.y
        videoctl.roi_width = region.width
        videoctl.roi_height = region.height
        if (videoctl.playbackState === MediaPlayer.PausedState)
            videoctl.seek(videoctl.position)
    }

    // Two seconds before the strongest shock of the playing recording, in
    // the player that is on the screen.
    function jumpToPeak() {
        var ms = Graph.peakJumpTarget(graphloader.peakFraction, playDuration)
        if (ms >= 0)
            playerActions.seekTo(fullmode === 1 ? fullOverlay : largeOverlay, ms)
    }

    function enterFullScreen() {
        playerActions.enterFullScreen()
    }

    function leaveFullScreen() {
        playerActions.leaveFullScreen()
    }

    // The card is missing or gone: nothing of it stays listed.
    function cardReset() {
        currentPlayFilePath = ""
        playerActions.clearNameLabels()
        listClear()
        myFile.fileRemove()
        unlockList()
    }

    // The card shown was pulled: the backend has stopped its own work on it;
    // the players, a clip shared from it and what the list showed go too.
    function cardPulled(root) {
        readyTimer.stop()
        playTimer.stop()
        if (fullmode === 1)
            playerActions.leaveFullScreen(false)
        reportPopup.cardPulled(root)
        stopForFollowUp(2)
        videoOut1popup.halt()
        if (shareDialog.job.running && shareDialog.filePath.indexOf(root) === 0)
            shareDialog.job.cancel()
        // The copies were stopped without a report: nothing closes it else.
        copyProgress.close()
        sdCardDetect = 0
        myFile.source = "none"
        cardReset()
        showNotice(qsTr("SDCard를 삽입해주세요"))
    }

    // A card came in while none was shown: the card dialog offers it.
    function cardCameIn() {
        myFile.source = "DASHCAM"
        if (myFile.source === "none")
            return
        notiPopup.close()
        viewPopup(1)
    }

    MainMenus {
        id: mainMenus
        objectName: "mainMenus"
    }

    // ---- timers ------------------------------------------------------------

    // Polls the telemetry extraction of the prepared recording; no time limit.
    Timer {
        id: readyTimer
        objectName: "readyTimer"

        property bool followOn: false
        // Polls left at the fast rate; a telemetry that takes longer (or
        // never comes) is waited for at the usual rate.
        property int fastPolls: 0

        interval: followOn && fastPolls > 0 ? 10 : 300
        repeat: true
        onTriggered: {
            if (myFile.readProcessState() !== 1) {
                fastPolls = Math.max(fastPolls - 1, 0)
                return
            }
            mainWin.unlockList()
            readyTimer.repeat = false
            readyTimer.stop()
            largeOverlay.toolbarShown = true
            mainWin.setTrigger()
            // Going on from a clip that ended by itself, the players start
            // at once, unless one is still opening the clip before (it takes
            // its stop once open, and a new start would cancel that).
            var opening = videoOut1.starting || videoOut2.starting || videoOut3.starting
            if (followOn && !opening)
                mainWin.videoPlayfunc()
            else
                playTimer.start()
        }
    }

    Timer {
        id: playTimer
        objectName: "playTimer"
        interval: 300
        repeat: false
        onTriggered: mainWin.videoPlayfunc()
    }


    // ---- layout ----------------------------------------------------------

    MainLayout {
        id: layout
        anchors.fill: parent
    }

    // The full-screen player, over the whole window.
    ChannelView {
        id: videoOut1popup
        objectName: "videoOut1popup"
        anchors.fill: parent
        visible: false
        opacity: 0
        z: 10
        videoTrack: 0
        onBegan: playerActions.largeBegan(fullOverlay)
        onEnded: playerActions.fullEnded()
        onFailed: mainWin.cannotPlay(reason)

        PlayerOverlay {
            id: fullOverlay
            player: videoOut1popup
            fullScreen: true
            actions: playerActions
        }
    }

    PlayerActions {
        id: playerActions
        objectName: "playerActions"
    }

    PlayerKeys {
        id: playerKeys
        objectName: "playerKeys"
    }

    // ---- hosted dialogs ----------------------------------------------------

    Loader {
        id: menu1Popup
        objectName: "menu1Popup"
        anchors.fill: parent
        source: "QSDSel.qml"
    }

    SettingSelect {
        id: settingSelectP
        objectName: "settingSelectP"
    }
    onSettingSelectPopup: settingSelectP.open()
    SettingView {
        id: settingPopup
        objectName: "settingPopup"
        fileIO: myFile
    }
    onSettingDashViewPopup: settingPopup.openPage(resolution)
    SettingPCView {
        id: settingPCV
        objectName: "settingPCV"
        fileIO: myFile
        onLanguageChosen: LanguageManager.language = language === 0 ? EnumLanguage.ENG
                                                                    : EnumLanguage.FRE
    }
    onSettingPcViewPopup: settingPCV.openScreen()
    Report {
        id: reportPopup
        objectName: "reportPopup"
        fileIO: myFile
        reportFunc: commonFunc
        views: [videoOut1, videoOut2, videoOut3]
        graph: graphloader
        map: pageLoader
        loadingCover: loadingPopup
        fileName: mainWin.currentPlayFileName
        filePath: mainWin.currentPlayFilePath
        channels: mainWin.videoChannelIdx
        speedUnit: mainWin.speedUnit
        workFolder: mainWin.currentWrokDir
        widthRate: mainWin.widthRate
        heightRate: mainWin.heightRate
        onShareRequested: mainWin.shareClip(momentMs)
    }
    onSetValue: reportPopup.expectSnapshots(fFilename, rFilename, sFilename)

    ShareDialog {
        id: shareDialog
        objectName: "shareDialog"
        fileIO: myFile
    }

    // Share clip of the playing recording, around `positionMs`.
    function shareClip(positionMs) {
        shareDialog.ask(currentPlayFileName, currentPlayFilePath, playDuration, positionMs)
    }

    Connections {
        target: videoOut1
        function onFailed(reason) {
            mainWin.cannotPlay(reason)
        }
    }

    Connections {
        target: menuLoader.item
        ignoreUnknownSignals: true
        function onMenu1Click(menuIdx) {
            mainMenus.menuClicked(menuIdx)
        }
    }

    Connections {
        target: fileListLoader.item
        ignoreUnknownSignals: true
        function onReadList(idx) {
            listActions.listReadList(idx)
        }
        function onPlayDBClick(fIdx, lIdx, lCnt) {
            listActions.listPlayDBClick(fIdx, lIdx, lCnt)
        }
        function onDeleteClick(cnt) {
            listActions.listDeleteClick(cnt)
        }
        function onSaveClick(cnt) {
            listActions.listSaveClick(cnt)
        }
        function onSaveSuccess() {
            listActions.listSaveSuccess()
        }
    }

    Connections {
        target: settingSelectP
        function onDashCamClick() {
            mainMenus.settingDashCamClick()
        }
        function onPcVIewClick() {
            mainMenus.settingPcViewClick()
        }
    }

    // ---- the scene's own dialogs -------------------------------------------

    NoticePopup {
        id: notiPopup
        objectName: "notiPopup"
        textName: "notiPopuptxt"
        width: 400
        height: 150
        buttonTop: 95
    }

    NoticePopup {
        id: savePopup
        objectName: "savePopup"
        textName: "savePopuptxt01"
        textTop: 10
        width: 300
        // A list of files that could not be saved may need more lines.
        height: Math.max(100, message.height + 60)
    }

    CopyProgress {
        id: copyProgress
        objectName: "copyProgress"
        fileIO: myFile
    }

    NoticePopup {
        id: deletePopup
        objectName: "deletePopup"
        textTop: 15
        width: 300
        height: 100
        message.text: qsTr("Do you want to delete the selected video?")
        confirmText: qsTr("Confirm")
        confirmName: "deleteConfirm"
        onConfirmed: mainWin.deleteListIndex()
    }

    Popup {
        id: loadingPopup
        objectName: "loadingPopup"
        // What is being waited for, under the ring; usually nothing.
        property alias text: loadingText.text
        parent: Overlay.overlay
        x: 0
        y: 0
        width: mainWin.width
        height: mainWin.height
        modal: true
        closePolicy: Popup.NoAutoClose
        background: Rectangle {
            color: Theme.background
            opacity: 0.2
        }

        BusyIndicator {
            id: ring
            anchors.centerIn: parent
            running: loadingPopup.visible
            palette.dark: Theme.text
        }
        Text {
            id: loadingText
            objectName: "loadingText"
            anchors.top: ring.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            color: Theme.text
            font.family: Theme.fontBold.name
            font.pixelSize: Theme.fontTitle
        }
    }

    QD.FileDialog {
        id: fileDialog
        objectName: "fileDialog"
        selectMultiple: true
        nameFilters: [qsTr("AVI files (R_*.avi T_*.avi)")]
        onAccepted: mainMenus.openFiles(fileDialog.fileUrls)
    }

    Component.onCompleted: {
        sdCardDetect = 0
        widthRate = 0.66
        heightRate = 0.64
        fullmode = 0

        resolution = myFile.vresolution
        speedUnit = myFile.vspeedunit
        currentWrokDir = myFile.readWorkDir()
        LanguageManager.language = myFile.vlang === 0 ? EnumLanguage.ENG : EnumLanguage.FRE

        if (startupFiles.length > 0)
            mainMenus.openAndPlay(startupFiles)
        else if (myFile.source !== "none")
            viewPopup(1)
        else if (refusedFiles.length === 0)
            showNotice(qsTr("SDCard를 삽입해주세요"))
        if (refusedFiles.length > 0)
            showNotice(qsTr("These files could not be opened: %1").arg(refusedFiles.join(", ")))

        // VAAPI where the machine has it, else FFmpeg's own decoders.
        var decoders = ["VAAPI", "FFmpeg"]
        var players = [videoOut1, videoOut2, videoOut3, videoOut1popup]
        for (var i = 0; i < players.length; ++i)
            players[i].videoCodecPriority = decoders

        videoOut1.volume = 0.7
        videoOut1popup.volume = 0.7
        videoOut1.brightness = 0
        videoOut1.contrast = 0
        videoOut1popup.brightness = 0
        videoOut1popup.contrast = 0

        videoOut1.videoTrack = 0
        videoOut2.videoTrack = 1
        videoOut3.videoTrack = 2
        videoOut1popup.videoTrack = videoOut1.videoTrack

        monitorCnt = myFile.getScreenCnt()
        monitorIndex = myFile.setCurrentScreen(mainWin.x, mainWin.y)
    }

    // Closing the window stops the players and nothing follows: no next
    // recording is prepared while the window goes.
    function shutDown() {
        readyTimer.stop()
        playTimer.stop()
        dbClickCheck = 2
        stopAll()
        videoOut1popup.halt()
    }

    Component.onDestruction: shutDown()
}

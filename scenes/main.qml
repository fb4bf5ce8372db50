import QtQuick 2.12
import QtQuick.Window 2.12
import QtQuick.Layouts 1.12
import QtQuick.Controls 2.12
import QtQuick.Dialogs 1.3 as QD
import FileIO 1.0
import EnumLanguage 1.0
import VelmoraPlayer 1.0
import "playercontrol.js" as Control

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
    property var videoRotateNor: ["qrc:/drevo_res/player-ratate-0-nor.png",
        "qrc:/drevo_res/player-ratate-90-nor.png", "qrc:/drevo_res/player-ratate-180-nor.png",
        "qrc:/drevo_res/player-ratate-270-nor.png"]
    property var videoRotateDim: ["qrc:/drevo_res/player-ratate-0-dim.png",
        "qrc:/drevo_res/player-ratate-90-dim.png", "qrc:/drevo_res/player-ratate-180-dim.png",
        "qrc:/drevo_res/player-ratate-270-dim.png"]
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

    // The small views' players, declared in their cells.
    readonly property alias videoOut2: smallView2.player
    readonly property alias videoOut3: smallView3.player

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
    color: "#282828"
    title: "Velmora Viewer"

    FontLoader {
        id: fontBold
        source: "qrc:/font/Source_Sans_Pro/SourceSansPro-Bold.ttf"
    }
    FontLoader {
        id: fontMedium
        source: "qrc:/font/Source_Sans_Pro/SourceSansPro-Regular.ttf"
    }

    FileIO {
        id: myFile
        objectName: "myFile"
        source: "DASHCAM"
        onError: console.log("FileIO error: " + msg)
        // The notice after a list save waits for the copies' own report.
        onCopyFinished: mainWin.copiesEnded(copied, failed, failedNames)
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
        console.log("notice ===> " + text)
        notiPopup.message.text = text
        notiPopup.open()
    }

    function showSaveNotice(text) {
        console.log("saveNotice ===> " + text)
        savePopup.message.text = text
        savePopup.open()
    }

    function pauseAll() {
        var players = [videoOut1, videoOut2, videoOut3]
        for (var i = 0; i < players.length; ++i) {
            if (players[i].playbackState === MediaPlayer.PlayingState)
                players[i].pause()
        }
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
            clearNameLabels()
    }

    // The channel players that the current recording uses.
    function playersInUse() {
        if (videoChannelIdx === 3)
            return [videoOut1, videoOut2, videoOut3]
        if (videoChannelIdx === 2)
            return [videoOut1, videoOut2]
        return [videoOut1]
    }

    function setNameLabels(name, channels) {
        largeOverlay.nameText = name
        fullOverlay.nameText = name
        smallView2.nameText = channels >= 2 ? name : ""
        smallView3.nameText = channels >= 3 ? name : ""
    }

    function clearNameLabels() {
        setNameLabels("", 3)
    }

    function trackLabel(track) {
        return [qsTr("전방"), qsTr("CAM1"), qsTr("CAM2")][track] || ""
    }

    // The tracks of the three views by the channel layout (videoViewPos).
    function applyChannelLayout(channels) {
        var tracks = Control.channelTracks(channels, videoViewPos)
        if (tracks[0] < 0)
            return
        videoOut1.videoTrack = tracks[0]
        videoOut1popup.videoTrack = tracks[0]
        videoOut2.videoTrack = tracks[1]
        if (tracks[2] >= 0)
            videoOut3.videoTrack = tracks[2]
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

    // A tab was chosen. The play list follows it only while nothing plays
    // or is being prepared, so previous/next stay in the playing category.
    function listReadList(idx) {
        var n = myFile.readfileCnt(idx)
        if (isStopped(videoOut1) && !preparing()) {
            videoPlayListCount = n
            videoPlayListKind = idx
        }
        listClear()
        fillList(idx)
    }

    function listPlayDBClick(fIdx, lIdx, lCnt) {
        videoPlayListCount = lCnt
        videoPlayListKind = fIdx
        videoPlayListCurIdx = lIdx
        if (!isStopped(videoOut1)) {
            // The stop handler starts the new recording.
            stopForFollowUp(1)
        } else {
            videoListfunc()
        }
    }

    function listDeleteClick(cnt) {
        if (!isStopped(videoOut1))
            stopForFollowUp(2)
        if (cnt > 0)
            deletePopup.open()
        else
            showNotice(qsTr("No video is selected"))
    }

    function listSaveClick(cnt) {
        if (cnt > 0)
            viewPopup(4)
        else
            showNotice(qsTr("No video is selected"))
    }

    // The checked rows were handed over for copying; the notice follows
    // when the copies have ended (copiesEnded).
    function listSaveSuccess() {
        console.log("saveSuccess ===> waiting for the copies")
    }

    function copiesEnded(copied, failed, failedNames) {
        if (failed === 0)
            showSaveNotice(qsTr("Successfully Saved"))
        else
            showSaveNotice(qsTr("Could not save %1 file(s): %2").arg(failed).arg(
                               failedNames.join(", ")))
    }

    // ---- the play pipeline -----------------------------------------------

    function videoListfunc() {
        var filepath = myFile.readfilepath(videoPlayListKind, videoPlayListCurIdx)
        currentPlayFilePath = filepath
        curDuration = myFile.getDuration(currentPlayFilePath)
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
            console.log("videoPlayfunc ===> no channel mark: " + currentPlayFileName)
            return
        }
        setNameLabels(currentPlayFileName, videoChannelIdx)
        // A layout kept from a recording with more channels would leave a
        // view on a track this one lacks: such a layout starts over, with
        // every view on its own track.
        var tracks = [videoOut1.videoTrack, videoOut2.videoTrack, videoOut3.videoTrack]
        if (Control.layoutExceeds(videoChannelIdx, tracks)) {
            videoViewPos = 0
            applyChannelLayout(3)
            playerActions.resetPicture(videoOut1.videoTrack)
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
                videoListfunc()
        } else if (dbClickCheck === 1) {
            videoListfunc()
            dbClickCheck = 0
        } else if (dbClickCheck === 2) {
            dbClickCheck = 0
            clearNameLabels()
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

    function enterFullScreen() {
        playerActions.enterFullScreen()
    }

    function leaveFullScreen() {
        playerActions.leaveFullScreen()
    }

    // The card is missing or gone: nothing of it stays listed.
    function cardReset() {
        currentPlayFilePath = ""
        clearNameLabels()
        listClear()
        myFile.fileRemove()
        unlockList()
    }

    // ---- menus and dialogs -----------------------------------------------

    function menuClicked(menuIdx) {
        var playing = videoOut1.playbackState === MediaPlayer.PlayingState
        switch (menuIdx) {
        case 1:
            if (playing)
                pauseAll()
            myFile.source = "DASHCAM"
            if (myFile.source !== "none") {
                viewPopup(1)
            } else {
                showNotice(qsTr("SDCard를 삽입해주세요"))
                cardReset()
            }
            break
        case 2:
            if (playing)
                pauseAll()
            fileDialog.open()
            break
        case 4:
            viewPopup(3)
            break
        case 5:
            if (!isStopped(videoOut1))
                takeReportSnapshots()
            break
        case 6:
            if (!isStopped(videoOut1)) {
                pauseAll()
                viewPopup(2)
            }
            break
        case 7:
            if (playing)
                pauseAll()
            settingSelectPopup()
            break
        }
    }

    function reportFolder() {
        var dir = currentWrokDir
        if (dir.length > 0 && dir.charAt(dir.length - 1) === "/")
            dir = dir.substring(0, dir.length - 1)
        return dir + "/velmora/report"
    }

    // Captures the three views for the report screen and hands it their URLs.
    function takeReportSnapshots() {
        var folder = reportFolder()
        var name = currentPlayFileName
        var prefixes = ["F_", "R_", "S_"]
        var players = [videoOut1, videoOut2, videoOut3]
        for (var i = 0; i < players.length; ++i) {
            players[i].videoCapture.captureName = prefixes[i] + name
            players[i].videoCapture.captureDir = folder
            players[i].videoCapture.capture()
        }
        pauseAll()
        var urls = []
        for (i = 0; i < prefixes.length; ++i)
            urls.push(i < videoChannelIdx ? "file://" + folder + "/" + prefixes[i] + name + ".png" : "")
        setValue(urls[0], urls[1], urls[2])
        loadingPopup.open()
    }

    function settingDashCamClick() {
        var drivePath = myFile.getDrivePath()
        console.log("drivePath ================> " + drivePath)
        myFile.readConfig()
        if (drivePath !== "none") {
            settingDashViewPopup()
        } else {
            showNotice(qsTr("SDCard를 삽입해주세요"))
            cardReset()
        }
    }

    function settingPcViewClick() {
        settingPcViewPopup()
    }

    // Files the user picked by hand: they become the list of category 0
    // (and the other categories by their names).
    function openFiles(urls) {
        lockList()
        if (!isStopped(videoOut1))
            stopForFollowUp(2)
        var names = []
        for (var i = 0; i < urls.length; ++i)
            names.push(urls[i].toString())
        var result = myFile.setfileInfo(names.join(","))
        if (result === "ERROR")
            showNotice(qsTr("영문으로된 파일명과 경로만 지원합니다."))
        else
            setExfileList()
        unlockList()
    }

    function openMakerSite() {
        if (makerSiteUrl !== "")
            Qt.openUrlExternally(makerSiteUrl)
    }

    // ---- timers ------------------------------------------------------------

    // Polls the telemetry extraction of the prepared recording; no time limit.
    Timer {
        id: readyTimer
        objectName: "readyTimer"
        interval: 300
        repeat: true
        onTriggered: {
            if (myFile.readProcessState() !== 1)
                return
            mainWin.unlockList()
            readyTimer.repeat = false
            readyTimer.stop()
            largeOverlay.toolbarShown = true
            mainWin.setTrigger()
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

    Rectangle {
        anchors.fill: parent
        color: "#282828"
    }

    GridLayout {
        id: grid

        readonly property real columnWidth: (width - 2 * columnSpacing) / 3
        readonly property real topHeight: 74

        anchors.fill: parent
        anchors.margins: 5
        columns: 3
        rows: 2
        columnSpacing: 1
        rowSpacing: 1

        // Top row: menu, an empty cell, the logo with the maker's link.
        Rectangle {
            Layout.preferredWidth: grid.columnWidth
            Layout.preferredHeight: grid.topHeight
            Layout.maximumHeight: 74
            color: "#282828"

            Loader {
                id: menuLoader
                anchors.fill: parent
                source: "TopMenu.qml"
            }
        }
        Rectangle {
            Layout.preferredWidth: grid.columnWidth
            Layout.preferredHeight: grid.topHeight
            Layout.maximumHeight: 74
            color: "#282828"
        }
        Rectangle {
            Layout.preferredWidth: grid.columnWidth
            Layout.preferredHeight: grid.topHeight
            Layout.maximumHeight: 74
            color: "#282828"

            Column {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4

                Image {
                    id: titleBar
                    anchors.right: parent.right
                    source: "qrc:/drevo_res/title-bar_.png"

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: makerSiteUrl !== "" ? Qt.PointingHandCursor : Qt.ArrowCursor
                        onClicked: mainWin.openMakerSite()
                    }
                }
                Text {
                    id: siteLink
                    anchors.right: parent.right
                    // The address itself names the site; it is a deployment
                    // setting (VELMORA_SITE_URL), so there is nothing to translate.
                    text: makerSiteUrl.replace(/^[a-z]+:\/\//, "").replace(/\/$/, "")
                    font.pixelSize: 19
                    font.family: fontMedium.name
                    color: "#a0a0a0"

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: mainWin.openMakerSite()
                    }
                }
            }
        }

        // Main row, left two columns: the players and the graph.
        Rectangle {
            id: playerArea
            Layout.columnSpan: 2
            Layout.preferredWidth: 2 * grid.columnWidth + grid.columnSpacing
            Layout.fillHeight: true
            color: "#282828"

            ColumnLayout {
                anchors.fill: parent
                spacing: 1

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: (playerArea.height - 1) * 2.2 / 3.2
                    color: "#282828"

                    ChannelView {
                        id: videoOut1
                        objectName: "videoOut1"
                        anchors.fill: parent
                        anchors.margins: 5
                        videoTrack: 0
                        onBegan: playerActions.largeBegan(largeOverlay)
                        onEnded: playerActions.largeEnded()

                        PlayerOverlay {
                            id: largeOverlay
                            player: videoOut1
                            actions: playerActions
                        }
                    }
                }


                RowLayout {
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    spacing: 1

                    SmallView {
                        id: smallView2
                        Layout.fillWidth: false
                        Layout.preferredWidth: (playerArea.width - 2) / 3 - 10
                        Layout.fillHeight: true
                        Layout.margins: 5
                        viewName: "videoOut2"
                        suffix: "2"
                        seekKey: "seekposition2"
                        player.videoTrack: 1
                    }
                    SmallView {
                        id: smallView3
                        Layout.fillWidth: false
                        Layout.preferredWidth: (playerArea.width - 2) / 3 - 10
                        Layout.fillHeight: true
                        Layout.margins: 5
                        viewName: "videoOut3"
                        suffix: "3"
                        seekKey: "seekposition3"
                        player.videoTrack: 2
                    }
                    Rectangle {
                        Layout.fillWidth: true
                        Layout.fillHeight: true
                        color: "#282828"

                        GraphViewer {
                            id: graphloader
                            anchors.fill: parent
                        }
                    }
                }
            }
        }

        // Main row, right column: the map above the recording list.
        Rectangle {
            id: sideColumn
            Layout.preferredWidth: grid.columnWidth
            Layout.fillHeight: true
            color: "#282828"

            ColumnLayout {
                anchors.fill: parent
                spacing: 1

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: (sideColumn.height - 1) / 3
                    color: "#282828"

                    MapView {
                        id: pageLoader
                        anchors.fill: parent
                        anchors.margins: 5
                    }
                }
                Rectangle {
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    color: "#282828"

                    Loader {
                        id: fileListLoader
                        anchors.fill: parent
                        anchors.margins: 5
                        source: "VideoFilelist.qml"
                    }
                }
            }
        }
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

        PlayerOverlay {
            id: fullOverlay
            player: videoOut1popup
            fullScreen: true
            actions: playerActions
        }
    }

    PlayerActions {
        id: playerActions
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
        anchors.fill: parent
    }
    SettingView {
        id: settingPopup
        anchors.fill: parent
    }
    SettingPCView {
        id: settingPCV
        anchors.fill: parent
    }
    Report {
        id: reportPopup
        anchors.fill: parent
    }

    Connections {
        target: menuLoader.item
        ignoreUnknownSignals: true
        function onMenu1Click(menuIdx) {
            mainWin.menuClicked(menuIdx)
        }
    }

    Connections {
        target: fileListLoader.item
        ignoreUnknownSignals: true
        function onReadList(idx) {
            mainWin.listReadList(idx)
        }
        function onPlayDBClick(fIdx, lIdx, lCnt) {
            mainWin.listPlayDBClick(fIdx, lIdx, lCnt)
        }
        function onDeleteClick(cnt) {
            mainWin.listDeleteClick(cnt)
        }
        function onSaveClick(cnt) {
            mainWin.listSaveClick(cnt)
        }
        function onSaveSuccess() {
            mainWin.listSaveSuccess()
        }
    }

    Connections {
        target: settingSelectP
        function onDashCamClick() {
            mainWin.settingDashCamClick()
        }
        function onPcVIewClick() {
            mainWin.settingPcViewClick()
        }
    }

    // ---- the scene's own dialogs -------------------------------------------

    NoticePopup {
        id: notiPopup
        objectName: "notiPopup"
        textName: "notiPopuptxt"
        width: 400
        height: 150
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
        parent: Overlay.overlay
        x: 0
        y: 0
        width: mainWin.width
        height: mainWin.height
        modal: true
        closePolicy: Popup.NoAutoClose
        background: Rectangle {
            color: "#282828"
            opacity: 0.2
        }

        BusyIndicator {
            anchors.centerIn: parent
            running: loadingPopup.visible
            palette.dark: "white"
        }
    }

    QD.FileDialog {
        id: fileDialog
        selectMultiple: true
        nameFilters: [qsTr("AVI files (R_*.avi T_*.avi)")]
        onAccepted: mainWin.openFiles(fileDialog.fileUrls)
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

        if (myFile.source !== "none")
            viewPopup(1)
        else
            showNotice(qsTr("SDCard를 삽입해주세요"))

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

    Component.onDestruction: stopAll()
}

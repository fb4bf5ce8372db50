import QtQuick 2.12
import QtQuick.Controls 2.12
import Qt.labs.platform 1.1 as Platform
import "report.js" as Rules

// The accident report of the paused moment: the snapshots of the recording's
// channels, the date, place and sensor reading, a note; it prints the report,
// saves it as a PDF, saves chosen channels as files of their own, and asks
// for a shared clip around the moment. It opens once every snapshot the
// window asked for is written.
Popup {
    id: report

    required property var fileIO
    // The report's backend: texts, printing, the PDF and the channel exports.
    required property var reportFunc
    // The large view and the two small views: the pictures F_, R_ and S_.
    required property var views
    required property Item graph
    // The map cell (grabMoment), whose picture goes on the evidence page.
    property Item map: null
    // The window's loading cover, shown while the report waits or works.
    required property Popup loadingCover

    // The playing recording: base name, full path, number of channels.
    property string fileName: ""
    property string filePath: ""
    property int channels: 0
    property int speedUnit: 0
    // The window's work folder, under which the snapshots are written.
    property string workFolder: ""
    // The screen is laid out in design units, scaled by these.
    property real widthRate: 1
    property real heightRate: 1

    property string bgfFilename: ""
    property string bgrFilename: ""
    property string bgsFilename: ""
    property string strDate: ""
    property string strPosition: ""
    property string strGSensor: ""
    // Where saved channels go; the desktop until the user picks a folder.
    property string popupPath: ""
    property var channelBtnIdx: [0, 0, 0]
    // The moment of the report, in ms from the start of the recording.
    property real momentMs: 0

    // The snapshots still awaited, one flag per view; the URLs to show.
    property bool waiting: false
    property var pending: [false, false, false]
    property var snapshotUrls: ["", "", ""]
    // Counts the openings: each loads its pictures under a new URL.
    property int loadCount: 0

    // The channels of the running save, how many have ended, which failed.
    property bool saving: false
    property var saveQueue: []
    property int saveDone: 0
    property var saveFailed: []
    // The file the running export writes; the end of any other is not ours.
    property string saveTarget: ""

    // Share clip around the moment of the report, asked for.
    signal shareRequested(real momentMs)

    readonly property bool covering: waiting || saving || reportFunc.busy === true
    readonly property var trackNames: [qsTr("전방"), "CAM1", "CAM2"]
    readonly property bool french: fileIO.vlang === 1

    function sx(v) {
        return v * widthRate
    }
    function sy(v) {
        return v * heightRate
    }

    parent: Overlay.overlay
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    padding: 0
    modal: true
    closePolicy: Popup.NoAutoClose
    background: Rectangle {
        color: Theme.backdrop
        opacity: 0.6
    }

    onCoveringChanged: covering ? loadingCover.open() : loadingCover.close()

    // The window has asked its views for snapshots; "" for a channel the
    // recording lacks. The report opens once each asked-for picture is
    // written, and gives up on the first that fails, or after waitTimer.
    function expectSnapshots(fFilename, rFilename, sFilename) {
        snapshotUrls = [fFilename, rFilename, sFilename]
        pending = snapshotUrls.map(function(url) { return url !== "" })
        console.log(Log.scenes, "fFilename ==========> " + fFilename)
        if (pending.indexOf(true) < 0)
            return giveUp()
        waiting = true
        waitTimer.restart()
    }

    function snapshotEnded(view, ok) {
        if (!waiting || !pending[view])
            return
        if (!ok)
            return giveUp()
        pending[view] = false
        if (pending.indexOf(true) < 0)
            showMoment()
    }

    function giveUp() {
        waitTimer.stop()
        waiting = false
        showNotice(qsTr("The pictures could not be taken"))
    }

    function showMoment() {
        waitTimer.stop()
        ++loadCount
        var sources = snapshotUrls.map(function(url) {
            return url === "" ? "" : url + "?n=" + loadCount
        })
        bgfFilename = sources[0]
        bgrFilename = sources[1]
        bgsFilename = sources[2]

        var player = views[0]
        momentMs = Math.min(player.position, player.duration)
        strDate = Rules.momentDate(fileName, momentMs)
        var i = Rules.sampleIndex(momentMs, player.duration, graph.drawPointCnt)
        strGSensor = Rules.sensorText(fileIO.readMagneticDataX(i), fileIO.readMagneticDataY(i),
                                      fileIO.readMagneticDataZ(i))
        strPosition = fileIO.readGioDataInfo(Math.floor(momentMs / 1000))

        channelBtnIdx = [0, 0, 0]
        note.clear()
        if (popupPath === "")
            popupPath = fileIO.getDesktopPath()
        waiting = false
        open()
        note.forceActiveFocus()
    }

    function showNotice(text) {
        console.log(Log.scenes, "report notice ===> " + text)
        notice.message.text = text
        notice.open()
    }

    function closeReport() {
        bgfFilename = ""
        bgrFilename = ""
        bgsFilename = ""
        close()
    }

    // The card the report's recording came from went away: the channels
    // being saved from it stop and leave nothing, and the screen closes.
    function cardPulled(root) {
        if (filePath.indexOf(root) !== 0)
            return
        waitTimer.stop()
        waiting = false
        if (saving) {
            reportFunc.cancelExports(root)
            saving = false
            loadingCover.text = ""
        }
        closeReport()
    }

    function toggleChannel(channel) {
        var flags = channelBtnIdx.slice()
        flags[channel] = flags[channel] ? 0 : 1
        channelBtnIdx = flags
    }

    // A folder picked in the dialog arrives as a URL, escaped.
    function chooseFolder(url) {
        popupPath = fileIO.fileCut(url.toString())
    }

    // The texts of the page and its evidence, handed over before printing
    // or writing the PDF.
    function handTexts() {
        reportFunc.evidencePath = filePath
        reportFunc.evidenceMoment = Math.round(momentMs)
        reportFunc.speedUnit = speedUnit
        reportFunc.workFolder = workFolder
        reportFunc.currentLanguage = LanguageManager.language
        reportFunc.dateStr = strDate
        reportFunc.positionStr = strPosition
        reportFunc.gSensorStr = strGSensor
        reportFunc.contentStr = note.text
    }

    // Hands the map cell's picture of the moment to the report, then goes on
    // with `next`; without a map picture the report draws the route itself.
    function withMapPicture(next) {
        reportFunc.setMapPicture(null)
        var grabbing = map !== null && map.grabMoment(function(result) {
            reportFunc.setMapPicture(result.image, map.ground)
            next()
        })
        if (!grabbing)
            next()
    }

    function printReport() {
        withMapPicture(function() {
            handTexts()
            reportFunc.runPrint = fileName
        })
    }

    function askPdf() {
        var desktop = fileIO.getDesktopPath()
        pdfDialog.folder = Rules.fileUrl(desktop)
        pdfDialog.currentFile = Rules.fileUrl(desktop + "/" + fileName + "_report.pdf")
        pdfDialog.open()
    }

    function savePdf(url) {
        withMapPicture(function() {
            handTexts()
            reportFunc.savePdf(fileName, url.toString())
        })
    }

    // Exports the chosen channels one after the other, each once the one
    // before has ended.
    function saveChannels() {
        var queue = Rules.selectedChannels(channelBtnIdx)
        if (queue.length === 0)
            return showNotice(qsTr("No channel is selected"))
        saveQueue = queue
        saveDone = 0
        saveFailed = []
        saving = true
        exportNext()
    }

    function exportNext() {
        if (saveDone === saveQueue.length)
            return saveEnded()
        loadingCover.text = qsTr("%1 of %2").arg(saveDone + 1).arg(saveQueue.length)
        reportFunc.videoChannel = saveQueue[saveDone]
        reportFunc.disFilePath = popupPath
        reportFunc.disFileName = fileName
        saveTarget = reportFunc.disFileName
        reportFunc.runMake = filePath
    }

    function saveEnded() {
        saving = false
        loadingCover.text = ""
        if (saveFailed.length === 0)
            showNotice(qsTr("Successfully Saved"))
        else
            showNotice(qsTr("These channels could not be saved: %1").arg(saveFailed.join(", ")))
    }

    Component.onCompleted: {
        views.forEach(function(view, i) {
            view.videoCapture.saved.connect(function() { report.snapshotEnded(i, true) })
            view.videoCapture.failed.connect(function() { report.snapshotEnded(i, false) })
        })
    }

    Timer {
        id: waitTimer
        objectName: "reportWaitTimer"
        interval: 10000
        onTriggered: report.giveUp()
    }

    Connections {
        target: report.reportFunc
        function onExportFinished(destination, ok) {
            if (!report.saving || destination !== report.saveTarget)
                return
            if (!ok)
                report.saveFailed.push(report.trackNames[report.saveQueue[report.saveDone]])
            ++report.saveDone
            report.exportNext()
        }
        function onPrintFinished(ok) {
            if (!ok)
                report.showNotice(qsTr("The report could not be printed"))
        }
        function onPdfFinished(path, ok, error) {
            report.showNotice(ok ? qsTr("Saved: %1").arg(path)
                                 : qsTr("The PDF could not be saved: %1").arg(error))
        }
    }

    Rectangle {
        id: panel
        objectName: "reportPanel"
        anchors.centerIn: parent
        width: sx(1728)
        height: sy(743)
        color: Theme.background

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: sy(50)
            text: qsTr("사건보고서")
            color: Theme.text
            font.family: Theme.fontBold.name
            font.bold: true
            font.pixelSize: Theme.fontReportTitle
        }

        Repeater {
            model: 3

            Rectangle {
                x: sx(30 + 560 * index)
                y: sy(100)
                width: sx(550)
                height: sy(310)
                color: Theme.reportPicture

                Image {
                    id: picture
                    objectName: "reportImage" + index
                    anchors.fill: parent
                    source: [report.bgfFilename, report.bgrFilename, report.bgsFilename][index]
                    cache: false
                    asynchronous: true
                    fillMode: Image.Stretch
                }
                Rectangle {
                    visible: picture.source.toString() !== ""
                    width: 50
                    height: 20
                    color: Theme.reportTag
                    Text {
                        objectName: "reportTag" + index
                        anchors.centerIn: parent
                        text: report.trackNames[report.views[index].videoTrack] || ""
                        color: Theme.accent
                        font.family: Theme.fontBold.name
                        font.pixelSize: Theme.fontCaption
                    }
                }
            }
        }

        Repeater {
            model: [
                { caption: qsTr("1. 발생일자"), value: report.strDate },
                { caption: qsTr("2. 발생위치"), value: report.strPosition },
                { caption: qsTr("3. 충격 센서"), value: report.strGSensor },
            ]

            Column {
                x: sx(40)
                y: sy(440 + 100 * index)
                width: sx(520)
                spacing: sy(25) - Theme.fontBody
                Text {
                    text: modelData.caption
                    color: Theme.textSecondary
                    font.family: Theme.fontRegular.name
                    font.pixelSize: Theme.fontBody
                }
                Text {
                    objectName: ["reportDate", "reportPosition", "reportSensor"][index]
                    width: parent.width
                    text: modelData.value
                    color: Theme.text
                    wrapMode: Text.Wrap
                    font.family: Theme.fontRegular.name
                    font.pixelSize: Theme.fontBody
                }
            }
        }

        Text {
            id: noteCaption
            x: sx(600)
            y: sy(440)
            text: qsTr("4. 메모")
            color: Theme.textSecondary
            font.family: Theme.fontRegular.name
            font.pixelSize: Theme.fontBody
        }
        Rectangle {
            x: sx(600)
            y: noteCaption.y + noteCaption.height + 4
            width: sx(500)
            // Ends where the design's box ends, above the buttons.
            height: sy(665) - y
            color: Theme.clear
            border.width: 1
            border.color: Theme.text

            ScrollView {
                anchors.fill: parent
                anchors.margins: 2
                clip: true
                ScrollBar.vertical.width: 10
                ScrollBar.vertical.policy: ScrollBar.AsNeeded
                ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

                TextArea {
                    id: note
                    objectName: "reportNote"
                    wrapMode: TextEdit.Wrap
                    color: Theme.text
                    font.family: Theme.fontRegular.name
                    font.pixelSize: Theme.fontBody
                    background: null
                }
            }
        }

        Row {
            x: sx(600)
            y: sy(675) + 5
            spacing: sx(20)

            ReportButton {
                objectName: "printButton"
                designWidth: sx(100) + (report.french ? 10 : 0)
                height: sy(40)
                filled: true
                label: qsTr("인  쇄")
                onClicked: report.printReport()
            }
            ReportButton {
                objectName: "savePdfButton"
                designWidth: sx(100) + (report.french ? 10 : 0)
                height: sy(40)
                filled: true
                label: qsTr("Save PDF")
                onClicked: report.askPdf()
            }
            ReportButton {
                objectName: "reportShareButton"
                designWidth: sx(100) + (report.french ? 10 : 0)
                height: sy(40)
                filled: true
                label: qsTr("Share clip")
                onClicked: report.shareRequested(report.momentMs)
            }
            ReportButton {
                objectName: "closeButton"
                designWidth: sx(100)
                height: sy(40)
                label: qsTr("닫  기")
                onClicked: report.closeReport()
            }
        }

        Item {
            x: sx(1170)
            y: sy(465)
            width: sx(500)
            height: sy(200)

            Text {
                text: qsTr("저장할 영상을 선택하세요")
                color: Theme.accent
                font.family: Theme.fontBold.name
                font.pixelSize: Theme.fontBody
            }
            Row {
                y: sy(40)
                spacing: sx(20)

                ReportButton {
                    objectName: "saveButton"
                    designWidth: sx(100)
                    height: sy(40)
                    label: qsTr("Save")
                    onClicked: report.saveChannels()
                }
                Repeater {
                    model: 3
                    ReportButton {
                        objectName: "channelButton" + index
                        designWidth: sx(100)
                        height: sy(40)
                        enabled: index < report.channels
                        label: report.trackNames[index]
                        textColor: report.channelBtnIdx[index] ? Theme.accent : Theme.reportChannelOff
                        onClicked: report.toggleChannel(index)
                    }
                }
            }
            Rectangle {
                id: browse
                y: sy(100)
                width: 30
                height: 20
                color: browseArea.containsMouse ? Theme.browseButtonHover : Theme.browseButton
                Text {
                    anchors.centerIn: parent
                    text: "..."
                    color: Theme.text
                    font.family: Theme.fontRegular.name
                    font.pixelSize: Theme.fontSmall
                }
                MouseArea {
                    id: browseArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        folderDialog.folder = Rules.fileUrl(report.popupPath)
                        folderDialog.open()
                    }
                }
            }
            Text {
                objectName: "reportFolder"
                x: browse.width + sx(10)
                y: browse.y
                width: parent.width - x
                text: report.popupPath
                color: Theme.text
                wrapMode: Text.WrapAnywhere
                font.family: Theme.fontRegular.name
                font.pixelSize: Theme.fontBody
            }
        }
    }

    NoticePopup {
        id: notice
        objectName: "reportNotice"
        parent: report.parent
        textName: "reportNoticeText"
        textTop: 10
        width: 300
        height: Math.max(100, message.height + 60)
    }

    Platform.FolderDialog {
        id: folderDialog
        options: Platform.FolderDialog.ShowDirsOnly
        onAccepted: report.chooseFolder(folder)
    }

    // Qt.labs.platform's dialog, as QtQuick.Dialogs' cannot propose a name.
    Platform.FileDialog {
        id: pdfDialog
        objectName: "pdfDialog"
        title: qsTr("Save PDF")
        fileMode: Platform.FileDialog.SaveFile
        nameFilters: [qsTr("PDF files (*.pdf)")]
        defaultSuffix: "pdf"
        onAccepted: report.savePdf(file)
    }
}

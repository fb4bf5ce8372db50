import QtQuick 2.12
import QtQuick.Controls 2.12
import Qt.labs.platform 1.1 as Platform
import "report.js" as Paths

// The viewer's own settings: the interface language, the window-size class
// and where the map takes its tiles. Each choice goes to FileIO at once and
// stays there after Close, for the next save (a speed-unit toggle in a
// player saves too); Save writes viewer_config.txt. The language chosen
// applies when the save's notice closes, however it is closed.
//
// The map row shows and saves the file's own values. VELMORA_MAP_TILE_URL
// and VELMORA_MAP_OFFLINE_DIR, when set, still decide what the map uses.
Popup {
    id: screen

    // FileIO: vlang, vresolution, vmaponline, vmapofflinedir, writePCConfig
    // and fileCut.
    required property var fileIO

    // The display variables, taken from FileIO at each opening.
    property int language: 0
    property int resolution: 0
    property bool mapOnline: false

    readonly property bool mac: Qt.platform.os === "osx"
    // The window-size classes 0..4.
    readonly property var classLabels: mac
        ? ["1680 X 1050", "1440 X 900", "1280 X 800", "1280 X 720", "1024 X 700"]
        : ["1920 X 1080", "1600 X 900", "1360 X 768", "1280 X 720", "1024 X 700"]

    // The save's notice has closed: the interface takes `language` (0
    // English, 1 French).
    signal languageChosen(int language)

    function openScreen() {
        language = fileIO.vlang
        resolution = fileIO.vresolution
        mapOnline = fileIO.vmaponline
        folderField.text = fileIO.vmapofflinedir
        console.log(Log.scenes, "settingValue2 =>" + resolution)
        open()
    }

    function chooseLanguage(value) {
        language = value
        fileIO.vlang = value
    }

    function chooseClass(value) {
        resolution = value
        fileIO.vresolution = value
    }

    function chooseMapOnline(online) {
        mapOnline = online
        fileIO.vmaponline = online
    }

    // A folder from the dialog arrives as a URL, escaped.
    function chooseOfflineDir(url) {
        folderField.text = fileIO.fileCut(url.toString())
        fileIO.vmapofflinedir = folderField.text
    }

    // Writes viewer_config.txt and says whether that worked; the screen and
    // its values stay either way.
    function save() {
        var saved = fileIO.writePCConfig()
        console.log(Log.scenes, "writePCConfig ===> " + saved)
        notice.message.text = saved ? qsTr("Save Success") : qsTr("Could not save the viewer settings")
        notice.open()
        return saved
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

    Image {
        id: panel
        objectName: "pcPanel"
        anchors.centerIn: parent
        // The design's 700 x 600, and room for the map row.
        width: 700
        height: 680
        source: "qrc:/images/settings-panel.png"

        Text {
            objectName: "pcTitle"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 50
            text: screen.mac ? qsTr("MAC Viewer Setting") : qsTr("PC Viewer Setting")
            color: Theme.text
            font.family: Theme.fontBold.name
            font.bold: true
            font.pointSize: Theme.settingTitlePoints
        }

        Repeater {
            model: [
                { top: 150, label: qsTr("언어") },
                { top: 270, label: qsTr("해상도") },
                { top: 450, label: qsTr("Map") },
            ]
            Text {
                x: 130
                y: modelData.top + 15
                width: 180
                text: modelData.label
                color: Theme.text
                elide: Text.ElideRight
                font.family: Theme.fontRegular.name
                font.pointSize: Theme.settingLabelPoints
            }
        }

        // The language's two options, then the five classes; two a line.
        Repeater {
            model: 7
            Button {
                readonly property bool isLanguage: index < 2
                readonly property int value: isLanguage ? index : index - 2

                objectName: isLanguage ? "pcLangOption" + value : "pcResOption" + value
                x: 320 + 150 * (value % 2)
                y: (isLanguage ? 160 : 280) + 60 * Math.floor(value / 2)
                width: 130
                height: 40
                checked: isLanguage ? screen.language === value : screen.resolution === value
                onClicked: isLanguage ? screen.chooseLanguage(value) : screen.chooseClass(value)
                contentItem: Text {
                    text: isLanguage ? [qsTr("영어"), qsTr("프랑스어")][value]
                                     : screen.classLabels[value]
                    color: parent.checked ? Theme.tabSelectedText : Theme.text
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                    font.family: Theme.fontRegular.name
                    font.pointSize: Theme.optionPoints
                }
                background: Image {
                    source: parent.checked ? "qrc:/images/option-sel.png"
                                           : "qrc:/images/option-nor.png"
                }
            }
        }

        Switch {
            id: onlineSwitch
            objectName: "mapOnlineSwitch"
            x: 320
            y: 460
            height: 40
            checked: screen.mapOnline
            onToggled: screen.chooseMapOnline(checked)
            text: qsTr("Online map tiles")
            indicator: Rectangle {
                x: onlineSwitch.leftPadding
                anchors.verticalCenter: parent.verticalCenter
                width: 44
                height: 22
                radius: height / 2
                color: onlineSwitch.checked ? Theme.accent : Theme.buttonFace
                Rectangle {
                    x: onlineSwitch.checked ? parent.width - width - 2 : 2
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    radius: 9
                    color: Theme.text
                }
            }
            contentItem: Text {
                leftPadding: onlineSwitch.indicator.width + 10
                text: onlineSwitch.text
                color: Theme.text
                verticalAlignment: Text.AlignVCenter
                font.family: Theme.fontRegular.name
                font.pointSize: Theme.optionPoints
            }
        }

        // The offline tile folder: typed, or picked with the ". . ." button.
        Text {
            x: 130
            y: folderField.y + (folderField.height - height) / 2
            width: 180
            text: qsTr("Offline tiles")
            color: Theme.textSecondary
            elide: Text.ElideRight
            font.family: Theme.fontRegular.name
            font.pointSize: Theme.optionPoints
        }
        TextField {
            id: folderField
            objectName: "mapOfflineDirField"
            x: 320
            y: 510
            width: 230
            height: 40
            placeholderText: qsTr("No folder")
            placeholderTextColor: Theme.textSecondary
            color: Theme.text
            selectByMouse: true
            font.family: Theme.fontRegular.name
            font.pointSize: Theme.fieldPoints
            onTextEdited: screen.fileIO.vmapofflinedir = text
            background: Rectangle {
                color: Theme.inputBackground
                radius: 2
            }
        }
        ReportButton {
            objectName: "mapOfflineDirBrowse"
            x: folderField.x + folderField.width
            y: folderField.y
            designWidth: 50
            height: folderField.height
            filled: true
            label: ". . ."
            onClicked: {
                if (folderField.text !== "")
                    folderDialog.folder = Paths.fileUrl(folderField.text)
                folderDialog.open()
            }
        }

        ReportButton {
            objectName: "saveButton"
            x: 170
            y: panel.height - 100
            designWidth: 120
            height: 40
            filled: true
            label: qsTr("저  장")
            onClicked: screen.save()
        }
        ReportButton {
            objectName: "closeButton"
            x: 420
            y: panel.height - 100
            designWidth: 120
            height: 40
            label: qsTr("닫  기")
            onClicked: screen.close()
        }
    }

    NoticePopup {
        id: notice
        objectName: "pcSaveNotice"
        parent: screen.parent
        textName: "pcSaveNoticeText"
        closeName: "pcSaveNoticeClose"
        focus: true
        textTop: 10
        width: 200
        height: Math.max(100, message.height + 60)
        onClosed: screen.languageChosen(screen.fileIO.vlang)
    }

    Platform.FolderDialog {
        id: folderDialog
        options: Platform.FolderDialog.ShowDirsOnly
        onAccepted: screen.chooseOfflineDir(folder)
    }
}

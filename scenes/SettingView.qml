import QtQuick 2.12
import QtQuick.Controls 2.12
import "settings.js" as Rules

// The camera's settings: six tabs, each a page whose controls write into
// `fileIO` at once; Save writes config.txt and says whether it was written.
// Every opening and every tab change loads the page anew from `fileIO`.
Popup {
    id: settingView

    required property var fileIO
    // The window-size class, taken at each opening.
    property int sizeClass: 0
    // The shown tab; none before the first opening.
    property int tab: -1
    readonly property var tabTitles: [qsTr("녹화"), qsTr("민감도"), qsTr("사운드"), qsTr("시간"),
        qsTr("메모리"), qsTr("시스템")]
    readonly property var tabIcons: ["recording", "sensitivity", "sound", "time", "memory",
        "system"]

    // `windowClass`: the size class the window was laid out in.
    function openPage(windowClass) {
        sizeClass = windowClass
        var settled = Rules.normalise(fileIO)
        if (settled.length > 0)
            console.log(Log.scenes, "camera settings shown as saved ===> " + settled.join(", "))
        showTab(0)
        open()
    }

    function showTab(index) {
        tab = index
        // Cleared first, so that even the page already shown is built anew
        // from `fileIO` (a Loader keeps an item whose source is unchanged).
        page.source = ""
        page.setSource("SettingSub0" + (index + 1) + ".qml",
                       { "fileIO": fileIO, "sizeClass": sizeClass })
    }

    // Writes config.txt; the notice says whether it was written. The screen
    // and its values stay, to try again or close.
    function save() {
        var saved = fileIO.writeConfig()
        console.log(Log.scenes, "camera settings saved ===> " + saved)
        notice.message.text = saved ? qsTr("Successfully Saved")
                                    : qsTr("Could not save: config.txt is unchanged")
        notice.open()
        return saved
    }

    parent: Overlay.overlay
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    modal: true
    padding: 0
    Overlay.modal: Rectangle {
        color: Theme.backdrop
        opacity: 0.6
    }
    background: Item {}

    Image {
        id: panel
        objectName: "settingPanel"
        anchors.centerIn: parent
        width: Theme.size(settingView.sizeClass, 1129, 1024)
        height: Theme.size(settingView.sizeClass, 739, 700)
        source: "qrc:/images/settings-panel.png"

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 50
            text: qsTr("Dashcam Setting")
            font.family: Theme.fontBold.name
            font.pointSize: Theme.settingTitlePoints
            color: Theme.text
        }
        Image {
            x: 20
            y: 130
            source: "qrc:/images/settings-tab-column.png"
            Image {
                y: settingView.tab * 80
                visible: settingView.tab >= 0
                source: "qrc:/images/settings-tab-selected.png"
            }
            Repeater {
                model: settingView.tabTitles
                delegate: MouseArea {
                    objectName: "settingTab" + index
                    y: index * 80
                    width: parent.width
                    height: 80
                    onClicked: settingView.showTab(index)
                    Image {
                        x: 26
                        anchors.verticalCenter: parent.verticalCenter
                        scale: 1.2
                        source: "qrc:/images/settings-tab-" + settingView.tabIcons[index] + ".png"
                    }
                    Text {
                        x: 75
                        width: parent.width - x - 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: modelData
                        elide: Text.ElideRight
                        font.family: Theme.fontBold.name
                        font.pointSize: Theme.settingLabelPoints
                        color: Theme.text
                    }
                }
            }
        }
        Image {
            x: 330
            y: 125
            width: panel.width - x - 20
            height: 490
            source: "qrc:/images/settings-page.png"
        }
        Loader {
            id: page
            objectName: "settingPage"
            x: 340
            y: 130
            width: Math.min(750, panel.width - 360)
            height: 470
        }
        SettingButton {
            objectName: "saveButton"
            x: 400
            y: panel.height - 70
            filled: true
            label: qsTr("저  장")
            onClicked: settingView.save()
        }
        SettingButton {
            objectName: "closeButton"
            x: 650
            y: panel.height - 70
            label: qsTr("닫  기")
            onClicked: settingView.close()
        }
    }

    NoticePopup {
        id: notice
        objectName: "settingNotice"
        textName: "settingNoticeText"
        textTop: 12
        width: 200
        height: Math.max(100, message.height + 60)
    }
}

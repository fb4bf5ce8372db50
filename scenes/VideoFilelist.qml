import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12

// The recording list: five category tabs over the rows of one category, and
// the delete and save buttons. The rows come from the catalogue through the
// signals of mainWin; every row remembers its category and its index there.
Item {
    id: fileListRoot

    // The selected tab, 1..5 (tab N shows category N - 1); 0 while rows are
    // being added.
    property int categoryIndex: 1
    property int categoryInFCnt: 0
    // The highlighted row (the playing recording), -1 for none.
    property int currentRow: -1

    signal readList(int idx)
    signal playDBClick(int fIdx, int lIdx, int lCnt)
    signal deleteClick(int cnt)
    signal saveClick(int cnt)
    signal saveSuccess

    readonly property var tabs: [
        { "image": "tab-drive", "label": qsTr("주행"), "icon": "qrc:/images/icon-drive.png" },
        { "image": "tab-drive-impact", "label": qsTr("주행 충격"), "icon": "qrc:/images/icon-drive-impact.png" },
        { "image": "tab-parking", "label": qsTr("주차"), "icon": "qrc:/images/icon-parking.png" },
        { "image": "tab-parking-impact", "label": qsTr("주차 충격"), "icon": "qrc:/images/icon-parking-impact.png" },
        { "image": "tab-manual", "label": qsTr("수동"), "icon": "qrc:/images/icon-manual.png" }
    ]

    function iconOf(category) {
        return category >= 0 && category < tabs.length ? tabs[category].icon : ""
    }

    function checkedCount() {
        var cnt = 0
        for (var i = 0; i < fileListModel.count; ++i) {
            if (fileListModel.get(i).checkValue)
                ++cnt
        }
        return cnt
    }

    function selectTab(n) {
        if (n === categoryIndex)
            return
        categoryIndex = n
        readList(n - 1)
        // main rebuilt the rows, which cleared the selection on the way
        categoryIndex = n
    }

    // From the last row to the first, so that the catalogue indices of the
    // rows still to come stay valid while recordings are removed.
    function deleteChecked() {
        for (var i = fileListModel.count - 1; i >= 0; --i) {
            var row = fileListModel.get(i)
            if (row.checkValue)
                myFile.fileRemove(row.categoryIdx, row.categoryInIdx)
        }
        mainWin.setList()
    }

    function saveChecked(savePath) {
        for (var i = fileListModel.count - 1; i >= 0; --i) {
            var row = fileListModel.get(i)
            if (row.checkValue) {
                myFile.fileSave(row.categoryIdx, row.categoryInIdx, savePath)
                fileListModel.setProperty(i, "checkValue", false)
            }
        }
        myFile.fileSaveStart()
        saveSuccess()
    }

    Connections {
        target: mainWin

        function onListClear() {
            fileListModel.clear()
            currentRow = -1
            categoryInFCnt = 0
        }
        function onAddListItem(filename, fileinfo, cIdx, cIIdx) {
            currentRow = -1
            fileListModel.append({
                                     "name": filename,
                                     "info": fileinfo,
                                     "imgStr": iconOf(cIdx),
                                     "categoryIdx": cIdx,
                                     "categoryInIdx": cIIdx,
                                     "checkValue": false
                                 })
            categoryIndex = 0
            categoryInFCnt = categoryInFCnt + 1
        }
        function onListInit() {
            categoryIndex = 1
        }
        function onLockList() {
            mainWin.mutexLock = 1
        }
        function onUnlockList() {
            mainWin.mutexLock = 0
        }
        function onSetCurrentIndex(kind, index) {
            if (kind === categoryIndex - 1) {
                currentRow = index
                fileListView.positionViewAtIndex(index, ListView.Contain)
            }
        }
        function onDeleteListIndex() {
            deleteChecked()
        }
        function onSaveListIndex(savePath) {
            saveChecked(savePath)
        }
    }

    ListModel {
        id: fileListModel
    }

    Image {
        anchors.fill: parent
        source: "qrc:/images/list-background.png"
        fillMode: Image.Stretch
    }

    ColumnLayout {
        id: panelColumn
        anchors.fill: parent
        spacing: 3

        // Tab row, list and button row share the height 1 : 8 : 0.5, the
        // button row at most 35 px.
        readonly property real share: Math.max(0, height - 2 * spacing)
        readonly property real buttonHeight: Math.min(35, share * 0.5 / 9.5)
        readonly property real restShare: share - buttonHeight

        RowLayout {
            id: tabRow
            Layout.fillWidth: true
            Layout.preferredHeight: panelColumn.restShare / 9
            spacing: 0

            Repeater {
                id: tabRepeater
                model: tabs.length

                delegate: Item {
                    id: tab
                    readonly property int tabNumber: index + 1
                    readonly property bool selected: categoryIndex === tabNumber
                    readonly property bool pressed: tabArea.pressed && !selected
                    objectName: "menu" + tabNumber

                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.preferredWidth: 1

                    Image {
                        id: tabImage
                        anchors.fill: parent
                        source: "qrc:/images/" + tabs[index].image
                                + (tab.selected ? "-sel.png" : tab.pressed ? "-pre.png" : "-nor.png")
                    }
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: parent.height * 0.65
                        text: tabs[index].label
                        color: tab.selected ? Theme.tabSelectedText : Theme.text
                        font.family: Theme.fontRegular.name
                        font.pixelSize: Theme.fontTab(mainWin.resolution)
                    }
                    MouseArea {
                        id: tabArea
                        anchors.fill: parent
                        onReleased: {
                            if (!tab.selected)
                                selectTab(tab.tabNumber)
                        }
                    }
                }
            }
        }

        ListView {
            id: fileListView
            objectName: "fileListView"
            Layout.fillWidth: true
            Layout.preferredHeight: panelColumn.restShare * 8 / 9
            clip: true
            model: fileListModel
            boundsBehavior: Flickable.StopAtBounds

            ScrollBar.vertical: ScrollBar {
                width: 10
                policy: ScrollBar.AlwaysOn
            }

            delegate: Rectangle {
                id: row
                width: ListView.view.width
                height: 50
                color: index === currentRow ? Theme.rowCurrent
                                              : index % 2 === 0 ? Theme.background : Theme.rowAlternate

                CheckBox {
                    id: rowCheck
                    objectName: "rowCheck"
                    anchors.verticalCenter: parent.verticalCenter
                    x: 4
                    checked: checkValue
                    onToggled: fileListModel.setProperty(index, "checkValue", checked)
                    indicator: Image {
                        x: rowCheck.leftPadding
                        anchors.verticalCenter: parent.verticalCenter
                        source: "qrc:/images/unchecked.png"
                        Image {
                            anchors.fill: parent
                            visible: rowCheck.checked
                            source: "qrc:/images/checked.png"
                        }
                    }
                }
                Image {
                    id: rowIcon
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.left: rowCheck.right
                    source: imgStr
                    scale: 0.6
                }
                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.left: rowIcon.right
                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    Text {
                        width: parent.width
                        text: name
                        color: Theme.text
                        clip: true
                        font.family: Theme.fontRegular.name
                        font.pixelSize: Theme.fontItem
                    }
                    Text {
                        width: parent.width
                        text: info
                        color: Theme.textSecondary
                        clip: true
                        font.family: Theme.fontRegular.name
                        font.pixelSize: Theme.fontCaption
                    }
                }
                // The check box and the icon take no double-click.
                MouseArea {
                    anchors.fill: parent
                    anchors.leftMargin: 80
                    onDoubleClicked: {
                        if (mainWin.mutexLock !== 0)
                            return
                        currentRow = index
                        mainWin.mutexLock = 1
                        playDBClick(categoryIdx, categoryInIdx, categoryInFCnt)
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.preferredHeight: panelColumn.buttonHeight
            Layout.maximumHeight: 35
            spacing: 3

            Repeater {
                model: [qsTr("삭제"), qsTr("저장")]

                delegate: Image {
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.preferredWidth: 1
                    objectName: index === 0 ? "deleteButton" : "saveButton"
                    source: buttonArea.pressed ? "qrc:/images/button-pre.png" : "qrc:/images/button-nor.png"

                    Text {
                        anchors.centerIn: parent
                        text: modelData
                        color: Theme.text
                        font.family: Theme.fontRegular.name
                        font.pixelSize: Theme.fontItem
                    }
                    MouseArea {
                        id: buttonArea
                        anchors.fill: parent
                        onReleased: {
                            if (index === 0)
                                deleteClick(checkedCount())
                            else
                                saveClick(checkedCount())
                        }
                    }
                }
            }
        }
    }
}

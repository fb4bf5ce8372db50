import QtQuick 2.12
import VelmoraPlayer 1.0

// The list of the players' keys over the whole window; Escape or a click
// closes it.
Rectangle {
    id: help

    anchors.fill: parent
    z: 100
    color: Theme.shadeDeep

    MouseArea {
        anchors.fill: parent
        onClicked: help.visible = false
    }

    Column {
        anchors.centerIn: parent
        spacing: 8

        Text {
            text: qsTr("단축키")
            font.pixelSize: Theme.fontTitle
            font.family: Theme.fontBold.name
            color: Theme.text
        }
        Grid {
            columns: 2
            columnSpacing: 24
            rowSpacing: 6

            Repeater {
                model: [
                    qsTr("스페이스"), qsTr("재생 / 일시정지"),
                    "\u2190 / \u2192", qsTr("3초 뒤로 / 앞으로"),
                    "Page Up / Page Down", qsTr("이전 / 다음 영상"),
                    "Home", qsTr("처음으로"),
                    ", / .", qsTr("한 프레임 뒤로 / 앞으로 (일시정지 중)"),
                    "[ / ]", qsTr("재생 속도 느리게 / 빠르게"),
                    "\u2191 / \u2193", qsTr("음량 크게 / 작게"),
                    "M", qsTr("음소거"),
                    "F / Esc", qsTr("전체 화면 / 전체 화면 종료"),
                    "I", qsTr("최대 충격 지점으로"),
                    "F1 / ?", qsTr("이 도움말")
                ]
                Text {
                    text: modelData
                    font.pixelSize: Theme.fontItem
                    font.family: index % 2 === 0 ? Theme.fontBold.name : Theme.fontRegular.name
                    color: index % 2 === 0 ? Theme.accent : Theme.text
                }
            }
        }
        Text {
            text: qsTr("Esc 키나 클릭으로 닫기")
            font.pixelSize: Theme.fontCaption
            font.family: Theme.fontRegular.name
            color: Theme.textSecondary
        }
    }
}

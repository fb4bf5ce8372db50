import QtQuick 2.12
import QtQuick.Layouts 1.12
import VelmoraPlayer 1.0

// A small channel view below the large one: the player, the name of the
// recording and the label of the track it shows. Its picture always follows
// its track, it stays muted, and it has no controls.
ColumnLayout {
    id: cell

    property alias player: view
    property alias nameText: name.text
    // "seekposition2" or "seekposition3" of the main window: where the view
    // resumes after a channel switch.
    property string seekKey: ""
    property string viewName: ""
    property string suffix: ""

    spacing: 2

    ChannelView {
        id: view
        objectName: cell.viewName
        Layout.fillWidth: true
        Layout.fillHeight: true
        muted: true
        onVideoTrackChanged: showTrackDefault()

        onBegan: {
            name.text = mainWin.currentPlayFileName
            if (mainWin[cell.seekKey] > 0) {
                view.seek(mainWin[cell.seekKey])
                mainWin[cell.seekKey] = 0
            }
            fillMode = VideoOutput.Stretch
        }
        onEnded: fillMode = VideoOutput.PreserveAspectFit
    }
    Text {
        id: name
        objectName: "currentPlayFName" + cell.suffix
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        font.pixelSize: Theme.fontCellTitle
        font.family: Theme.fontRegular.name
        color: Theme.text
    }
    Text {
        objectName: "playFrontText" + cell.suffix
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        text: playerActions.trackLabel(view.videoTrack)
        font.pixelSize: Theme.fontCaption
        font.family: Theme.fontRegular.name
        color: Theme.text
    }
}

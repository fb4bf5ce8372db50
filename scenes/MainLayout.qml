import QtQuick 2.12
import QtQuick.Layouts 1.12
import VelmoraPlayer 1.0

// The main window's cells: the top menu and the logo above; the large player,
// the two small ones and the graph in the left two columns; the map and the
// recording list in the right one.
Item {
    id: layout

    readonly property alias videoOut1: videoOut1
    readonly property alias largeOverlay: largeOverlay
    readonly property alias smallView2: smallView2
    readonly property alias smallView3: smallView3
    readonly property alias graphloader: graphloader
    readonly property alias pageLoader: pageLoader
    readonly property alias titleBar: titleBar
    readonly property alias menuLoader: menuLoader
    readonly property alias fileListLoader: fileListLoader

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    // The small views follow the large one's clock.
    ViewSync {
        objectName: "viewSync"
        master: videoOut1
        followers: [smallView2.player, smallView3.player]
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
            color: Theme.background

            Loader {
                id: menuLoader
                objectName: "menuLoader"
                anchors.fill: parent
                source: "TopMenu.qml"
            }
        }
        Rectangle {
            Layout.preferredWidth: grid.columnWidth
            Layout.preferredHeight: grid.topHeight
            Layout.maximumHeight: 74
            color: Theme.background
        }
        Rectangle {
            Layout.preferredWidth: grid.columnWidth
            Layout.preferredHeight: grid.topHeight
            Layout.maximumHeight: 74
            color: Theme.background

            Column {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4

                Image {
                    id: titleBar
                    objectName: "titleBar"
                    anchors.right: parent.right
                    source: "qrc:/images/logo.png"

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: makerSiteUrl !== "" ? Qt.PointingHandCursor : Qt.ArrowCursor
                        onClicked: mainMenus.openMakerSite()
                    }
                }
                Text {
                    id: siteLink
                    anchors.right: parent.right
                    // The address itself names the site; it is a deployment
                    // setting (VELMORA_SITE_URL), so there is nothing to translate.
                    text: makerSiteUrl.replace(/^[a-z]+:\/\//, "").replace(/\/$/, "")
                    font.pixelSize: Theme.fontTitle
                    font.family: Theme.fontRegular.name
                    color: Theme.linkText

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: mainMenus.openMakerSite()
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
            color: Theme.background

            ColumnLayout {
                anchors.fill: parent
                spacing: 1

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: (playerArea.height - 1) * 2.2 / 3.2
                    color: Theme.background

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
                        color: Theme.background

                        GraphViewer {
                            id: graphloader
                            objectName: "graphloader"
                            anchors.fill: parent
                            anchors.margins: 5
                            fileIO: myFile
                            player: videoOut1
                            curDuration: mainWin.curDuration
                            playDuration: mainWin.playDuration
                            onSeekRequested: playerActions.seekTo(largeOverlay, ms)

                            Connections {
                                target: mainWin
                                function onSetTrigger() {
                                    graphloader.refresh()
                                }
                            }
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
            color: Theme.background

            ColumnLayout {
                anchors.fill: parent
                spacing: 1

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: (sideColumn.height - 1) / 3
                    color: Theme.background

                    MapView {
                        id: pageLoader
                        objectName: "pageLoader"
                        anchors.fill: parent
                        anchors.margins: 5
                        fileIO: myFile
                        player: videoOut1
                        onNotice: mainWin.showNotice(text)

                        Connections {
                            target: mainWin
                            function onSetTrigger() {
                                pageLoader.showRecording()
                            }
                            function onPlayTrigger() {
                                pageLoader.playbackStarted()
                            }
                            function onStopTrigger() {
                                pageLoader.playbackStopped()
                            }
                        }
                    }
                }
                Rectangle {
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    color: Theme.background

                    Loader {
                        id: fileListLoader
                        objectName: "fileListLoader"
                        anchors.fill: parent
                        anchors.margins: 5
                        source: "VideoFilelist.qml"
                    }
                }
            }
        }
    }

}

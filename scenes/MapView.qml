import QtQuick 2.12
import QtQuick.Dialogs 1.3 as QD
import "map.js" as MapRules

// The map cell: a street map that follows the car while a recording plays,
// the recording's whole route, and the export of its track. The map itself
// (MapArea, on Qt Location) is loaded apart: when it cannot be, the cell
// says so in one line and the rest of the window goes on.
Item {
    id: mapView

    // FileIO: readGioPosition, readGioTrack, saveTrack and the tile settings.
    required property var fileIO
    // The player the map follows (position and duration in milliseconds).
    required property Item player
    // The map's scene, read when the cell is built.
    property url mapSource: "MapArea.qml"

    // The map moves with the car; a drag of the map stops that until the
    // next playback or a click on the follow button.
    property bool following: true
    // The car at the playing second, {latitude, longitude}; null before the
    // first tick of a recording and for a second without a fix.
    property var carPosition: null
    property bool noFix: false
    // Every position of the recording's GPS records, in order.
    property var route: []
    property bool telemetryReady: false
    // Where the map looks, kept when it is built again.
    property var lastCentre: ({ "latitude": 47.406054, "longitude": -122.250025 })
    property real lastZoom: 17

    // The tile settings the map is built with.
    property string tileUrl
    property string offlineDir
    property string cacheDir

    // What the map paints where it has no tile.
    readonly property color ground: Theme.background

    signal notice(string text)

    // The telemetry of a recording is ready: its route, and no car until
    // it plays.
    function showRecording() {
        telemetryReady = true
        carPosition = null
        noFix = false
        route = MapRules.trackPath(fileIO.readGioTrack())
    }

    function playbackStarted() {
        following = true
        mapRunTimer.restart()
    }

    function playbackStopped() {
        mapRunTimer.stop()
    }

    // The car at the player's second; at the end of the clip the map stops
    // following.
    function followPlayer() {
        var second = MapRules.secondAt(player.position, player.duration)
        if (second < 0) {
            mapRunTimer.stop()
            return
        }
        carPosition = MapRules.positionOf(fileIO.readGioPosition(second))
        noFix = carPosition === null
    }

    // The map at the player's moment, the marker on the car, as a picture
    // handed to `done` (a grab result); false, and `done` is not called,
    // when the map shows no tiles or the moment has no position.
    function grabMoment(done) {
        var map = mapLoader.item
        if (map === null || map.failure !== "" || (tileUrl === "" && offlineDir === ""))
            return false
        followPlayer()
        return carPosition !== null && map.grabMap(done)
    }

    // Builds the map (again) with the current tile settings, where the last
    // one looked.
    function loadMap() {
        var map = mapLoader.item
        if (map !== null) {
            lastCentre = { "latitude": map.center.latitude, "longitude": map.center.longitude }
            lastZoom = map.zoomLevel
        }
        tileUrl = fileIO.maptileurl
        offlineDir = fileIO.mapofflinedir
        cacheDir = fileIO.mapcachedir
        mapLoader.setSource(mapSource, { "view": mapView })
    }

    // `filterIndex`: the chosen filter of the save dialog.
    function saveTrack(url, filterIndex) {
        var target = MapRules.exportTarget(url, filterIndex)
        var reason = fileIO.saveTrack(target.url, target.format)
        console.log(Log.scenes, "saveTrack ===> " + target.url + " " + (reason === "" ? "OK" : reason))
        if (reason !== "")
            notice(qsTr("The track could not be saved: %1").arg(reason))
    }

    Component.onCompleted: loadMap()

    Connections {
        target: mapView.fileIO
        function onMapSettingsChanged() {
            if (fileIO.maptileurl !== tileUrl || fileIO.mapofflinedir !== offlineDir
                    || fileIO.mapcachedir !== cacheDir)
                loadMap()
        }
    }

    Timer {
        id: mapRunTimer
        objectName: "mapRunTimer"
        interval: 800
        repeat: true
        onTriggered: mapView.followPlayer()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Loader {
        id: mapLoader
        objectName: "mapLoader"
        anchors.fill: parent
        onStatusChanged: {
            if (status === Loader.Error)
                console.log(Log.scenes, "map ===> cannot be loaded: " + mapView.mapSource)
        }
    }

    Text {
        id: failureLine
        objectName: "mapFailure"
        anchors.fill: parent
        anchors.margins: Theme.mapSpacing
        visible: mapLoader.status === Loader.Error
                 || (mapLoader.item !== null && mapLoader.item.failure !== "")
        text: qsTr("No map: Qt Location or its map plugin is missing.")
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        color: Theme.textSecondary
        font.pixelSize: Theme.fontBody
        font.family: Theme.fontRegular.name
    }

    Text {
        id: noGpsLabel
        objectName: "noGpsLabel"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: Theme.mapSpacing
        padding: 3
        visible: mapView.noFix
        text: qsTr("No GPS position")
        color: Theme.text
        font.pixelSize: Theme.fontCaption
        font.family: Theme.fontBold.name

        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.shadeDeep
        }
    }

    MapButton {
        objectName: "exportTrackButton"
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: Theme.mapSpacing
        source: "qrc:/images/map-export.png"
        hint: qsTr("Save the track (GPX, KML or CSV)")
        enabled: mapView.telemetryReady
        onClicked: {
            trackDialog.active = true
            trackDialog.item.open()
        }
    }

    // Made when first asked for.
    Loader {
        id: trackDialog
        active: false
        sourceComponent: QD.FileDialog {
            objectName: "trackDialog"
            title: qsTr("Save the track")
            selectExisting: false
            folder: shortcuts.documents
            nameFilters: [qsTr("GPX track (*.gpx)"), qsTr("KML track (*.kml)"),
                qsTr("CSV table (*.csv)")]
            onAccepted: mapView.saveTrack(fileUrl, nameFilters.indexOf(selectedNameFilter))
        }
    }
}

import QtQuick 2.12
import QtLocation 5.9
import QtPositioning 5.5
import "map.js" as MapRules

// The street map of the map cell, on Qt Location's "osm" plugin with its
// custom map type: tiles from the viewer's tile address, its offline folder,
// or both. It shows what `view` (MapView) holds: the car's marker and the
// recording's route; it moves with the car while the view follows, and a
// drag of the map stops that.
Item {
    id: area

    property Item view

    // Why the map shows nothing ("" while it works).
    readonly property string failure: map.error !== Map.NoError ? map.errorString : ""
    readonly property alias center: map.center
    readonly property alias zoomLevel: map.zoomLevel

    // The map with its route and marker, without the buttons, as a picture
    // handed to `done`; false when it cannot be taken.
    function grabMap(done) {
        return map.grabToImage(done)
    }

    // What the plugin is given; a parameter without a value keeps it from
    // starting, so the folders are passed only when there are some.
    readonly property PluginParameter userAgent: PluginParameter {
        name: "osm.useragent"
        value: "velmora-viewer/" + Qt.application.version
    }
    readonly property PluginParameter noRepository: PluginParameter {
        name: "osm.mapping.providersrepository.disabled"
        value: true
    }
    readonly property PluginParameter tileHost: PluginParameter {
        name: "osm.mapping.custom.host"
        value: MapRules.tileHost(view.tileUrl)
    }
    readonly property PluginParameter offlineFolder: PluginParameter {
        name: "osm.mapping.offline.directory"
        value: view.offlineDir
    }
    readonly property PluginParameter cacheFolder: PluginParameter {
        name: "osm.mapping.cache.directory"
        value: view.cacheDir
    }

    function pluginParameters() {
        var parameters = [userAgent, noRepository, tileHost]
        if (view.offlineDir !== "")
            parameters.push(offlineFolder)
        if (view.cacheDir !== "")
            parameters.push(cacheFolder)
        return parameters
    }

    function coordinate(position) {
        return QtPositioning.coordinate(position.latitude, position.longitude)
    }

    function recentre() {
        if (MapRules.recentres(view.following, view.carPosition))
            map.center = coordinate(view.carPosition)
    }

    function zoomBy(step) {
        map.zoomLevel = map.zoomLevel + step
        console.log(Log.scenes, "map.zoomLevel     ============>   " + map.zoomLevel)
    }

    function showRoute() {
        view.following = false
        map.fitViewportToMapItems([trackLine])
    }

    Connections {
        target: view
        function onCarPositionChanged() {
            area.recentre()
        }
        function onFollowingChanged() {
            area.recentre()
        }
    }

    Map {
        id: map
        objectName: "map"

        anchors.fill: parent
        copyrightsVisible: false
        color: view.ground

        plugin: Plugin {
            name: "osm"
            parameters: area.pluginParameters()
        }

        // Only the custom type: the others ask the network for what the
        // offline folder lacks. The first type, active until this runs, is
        // given up before its tiles are asked for.
        onSupportedMapTypesChanged: {
            var custom = MapRules.mapTypeOfStyle(supportedMapTypes, MapType.CustomMap)
            if (custom !== null)
                activeMapType = custom
        }

        gesture.onPanStarted: view.following = false
        gesture.onFlickStarted: view.following = false

        MapPolyline {
            id: trackLine
            objectName: "trackLine"
            line.width: 4
            line.color: Theme.accent
            opacity: 0.8
            path: view.route
        }

        MapQuickItem {
            id: carMarker
            objectName: "carMarker"
            z: 1
            visible: view.carPosition !== null
            coordinate: visible ? area.coordinate(view.carPosition) : QtPositioning.coordinate()
            anchorPoint.x: pin.width / 2
            anchorPoint.y: pin.height
            sourceItem: Image {
                id: pin
                source: "qrc:/images/map-pin.png"
            }
        }
    }

    // The tiles' notice; the plugin shows none for its custom map type.
    Text {
        id: copyright
        objectName: "mapCopyright"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        leftPadding: 3
        rightPadding: 3
        text: qsTr("© OpenStreetMap contributors")
        color: Theme.text
        font.pixelSize: Theme.fontSmall
        font.family: Theme.fontRegular.name

        Rectangle {
            anchors.fill: parent
            z: -1
            color: Theme.shade
        }
    }

    Column {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: Theme.mapSpacing
        anchors.bottomMargin: 2 * Theme.mapSpacing

        MapButton {
            objectName: "fitRouteButton"
            source: "qrc:/images/map-route.png"
            hint: qsTr("Whole route")
            enabled: view.route.length > 0
            onClicked: area.showRoute()
        }
        MapButton {
            objectName: "followButton"
            source: "qrc:/images/map-follow.png"
            hint: qsTr("Follow the car")
            onClicked: view.following = true
        }
        Item {
            width: 1
            height: 2 * Theme.mapSpacing
        }
        MapButton {
            objectName: "zoomInButton"
            source: "qrc:/images/map-zoom-in.png"
            hint: qsTr("Zoom in")
            onClicked: area.zoomBy(1)
        }
        MapButton {
            objectName: "zoomOutButton"
            source: "qrc:/images/map-zoom-out.png"
            hint: qsTr("Zoom out")
            onClicked: area.zoomBy(-1)
        }
    }

    Component.onCompleted: {
        map.center = coordinate(view.lastCentre)
        map.zoomLevel = view.lastZoom
    }
}

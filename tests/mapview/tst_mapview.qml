import QtQuick 2.12
import QtTest 1.2
import QtLocation 5.9
import QtPositioning 5.5
import "qrc:/"
import "qrc:/map.js" as MapRules

Item {
    id: root
    width: 480
    height: 320

    // What the map cell uses of FileIO; `fixes` is a drive, {second: [latitude, longitude]}.
    Component {
        id: filesComponent
        QtObject {
            property string maptileurl: ""
            property string mapofflinedir: ""
            property string mapcachedir: fixture.freshFolder()
            property var fixes: ({})
            property var saved: []
            signal mapSettingsChanged

            function readGioPosition(second) {
                var fix = fixes[second]
                return { "valid": !!fix, "latitude": fix ? fix[0] : 0, "longitude": fix ? fix[1] : 0 }
            }
            function readGioTrack() {
                return Object.keys(fixes).map(function(s) {
                    return { "latitude": fixes[s][0], "longitude": fixes[s][1], "time": Number(s) }
                })
            }
            function saveTrack(target, format) {
                saved.push([target, format])
                return "disk full"
            }
        }
    }
    Component {
        id: playerComponent
        Item {
            property real position: 0
            property real duration: 10000
        }
    }
    Component {
        id: viewComponent
        MapView {
            anchors.fill: parent
        }
    }
    SignalSpy {
        id: noticeSpy
        signalName: "notice"
    }

    TestCase {
        name: "MapView"
        when: windowShown

        property var files
        property var player
        property var view

        // Ten seconds from (latitude, longitude), without a fix in second 4.
        function drive(latitude, longitude) {
            var fixes = {}
            for (var s = 0; s < 10; ++s) {
                if (s !== 4)
                    fixes[s] = [latitude + s * 0.0004, longitude + s * 0.0003]
            }
            return fixes
        }

        function open(settings, mapSource) {
            files = createTemporaryObject(filesComponent, root, settings)
            player = createTemporaryObject(playerComponent, root)
            var properties = { "fileIO": files, "player": player }
            if (mapSource)
                properties.mapSource = mapSource
            view = createTemporaryObject(viewComponent, root, properties)
            noticeSpy.target = view
            if (!mapSource)
                tryCompare(child("map").activeMapType, "style", MapType.CustomMap)
            view.showRecording()
        }

        function child(name) {
            var found = findChild(view, name)
            verify(found, "no object named " + name)
            return found
        }

        function tick(second) {
            player.position = second * 1000 + 400
            view.followPlayer()
        }

        function distanceToCar() {
            return child("map").center.distanceTo(child("carMarker").coordinate)
        }

        function test_followsTheCar_data() {
            return [
                { tag: "southern drive", latitude: -33.87, longitude: 151.21 },
                { tag: "western drive", latitude: 53.35, longitude: -6.26 }
            ]
        }

        // One marker on the car however many ticks, the route one point a fix; a
        // second without a fix hides the marker and leaves the map where it was.
        function test_followsTheCar(data) {
            open({ "fixes": drive(data.latitude, data.longitude) })
            compare(child("trackLine").pathLength(), 9)
            view.playbackStarted()
            for (var i = 0; i < 40; ++i)
                tick(i % 4)
            tick(9)
            compare(child("map").mapItems.length, 2)
            var car = [child("carMarker").coordinate.latitude, child("carMarker").coordinate.longitude]
            compare(car, [data.latitude + 9 * 0.0004, data.longitude + 9 * 0.0003])
            verify(distanceToCar() < 1, distanceToCar())
            verify(!child("noGpsLabel").visible)
            tick(4)
            verify(!child("carMarker").visible && child("noGpsLabel").visible)
            compare(child("noGpsLabel").text, "No GPS position")
            compare([child("map").center.latitude, child("map").center.longitude], car)
            player.position = player.duration
            view.followPlayer()
            verify(!child("mapRunTimer").running)
        }

        // A drag stops the following until the follow button or the next playback;
        // the route button shows the whole route, which the map never does alone.
        function test_dragAndWholeRoute() {
            open({ "fixes": drive(-34.6, -58.38) })
            tick(0)
            mouseDrag(child("map"), 200, 150, 60, 40)
            tick(9)
            verify(distanceToCar() > 50, distanceToCar())
            mouseClick(child("followButton"))
            verify(distanceToCar() < 1, distanceToCar())
            mouseDrag(child("map"), 200, 150, 60, 40)
            view.playbackStarted()
            verify(distanceToCar() < 1, distanceToCar())
            compare(child("map").zoomLevel, 17)
            mouseClick(child("fitRouteButton"))
            for (var s = 0; s < 10; s += 9) {
                var fix = files.fixes[s]
                verify(child("map").visibleRegion.contains(QtPositioning.coordinate(fix[0], fix[1])))
            }
        }

        // Without Qt Location the cell says so; the track is still saved, and a
        // refusal comes back as a notice with its reason.
        function test_withoutQtLocation() {
            open({}, Qt.resolvedUrl("BrokenMap.qml"))
            verify(child("mapFailure").visible && child("exportTrackButton").enabled)
            view.saveTrack("file:///tmp/trip", 1)
            compare(files.saved, [["file:///tmp/trip.kml", "kml"]])
            compare(noticeSpy.count, 1)
            verify(noticeSpy.signalArguments[0][0].indexOf("disk full") >= 0)
        }

        // Share of the map's pixels in the ground colour of the generated tiles.
        function groundShare() {
            var image = grabImage(child("map"))
            var ground = fixture.groundColour, hits = 0, samples = 0
            for (var x = 5; x < image.width; x += 20) {
                for (var y = 5; y < image.height; y += 20, ++samples) {
                    var c = image.pixel(x, y)
                    if (Math.abs(c.r - ground.r) + Math.abs(c.g - ground.g) + Math.abs(c.b - ground.b) < 0.02)
                        ++hits
                }
            }
            return hits / samples
        }

        // Without a tile address the map draws its offline folder and asks the
        // network for nothing, not even for the tiles the folder lacks. A second
        // map, with an address, shows that its requests reach the proxy after
        // those the first one would have sent.
        function test_offlineTilesWithoutNetwork() {
            var before = fixture.proxyRequests().length
            var sentSince = function(wanted) {
                return fixture.proxyRequests().slice(before).filter(function(line) {
                    return (line.indexOf("control.invalid") >= 0) === wanted
                })
            }
            open({ "maptileurl": "", "mapofflinedir": fixture.tilesDir })
            tryVerify(function() { return groundShare() > 0.1 }, 10000, "offline tiles drawn")
            open({ "maptileurl": "http://control.invalid/" })
            tryVerify(function() { return sentSince(true).length > 0 }, 10000, "the second map's requests")
            compare(sentSince(false), [])
        }

        // The start centre at zoom 17; the zoom buttons step by one.
        function test_startAndZoom() {
            open({})
            var map = child("map")
            compare([map.center.latitude, map.center.longitude], [47.406054, -122.250025])
            mouseClick(child("zoomInButton"))
            mouseClick(child("zoomInButton"))
            mouseClick(child("zoomOutButton"))
            compare(map.zoomLevel, 18)
        }
    }

    TestCase {
        name: "MapRules"
        when: windowShown

        function test_rules() {
            compare([MapRules.secondAt(4999, 5000), MapRules.secondAt(5000, 5000)], [4, -1])
            verify(MapRules.tileHost("").indexOf("file:///") === 0)
            // The extension the user typed wins; otherwise the chosen filter's is added.
            compare(MapRules.exportTarget("file:///a/trip.KML", 0),
                    { "url": "file:///a/trip.KML", "format": "kml" })
            compare(MapRules.exportTarget("file:///a/trip.txt", 2),
                    { "url": "file:///a/trip.txt.csv", "format": "csv" })
        }
    }
}

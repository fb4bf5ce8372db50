import QtQuick 2.12
import QtTest 1.2

Item {
    width: 1000
    height: 700

    StandInMain {
        id: main
        width: 600
        height: 74
        sceneSource: "qrc:/TopMenu.qml"
    }

    SignalSpy { id: menuSpy; target: main.scene; signalName: "menu1Click" }

    TestCase {
        name: "TopMenu"
        when: windowShown

        function test_cells_data() {
            return [
                { tag: "report", cell: 4, image: "menu-report", emits: 5 },
                { tag: "version, released elsewhere", cell: 3, image: "menu-version", emits: 4, away: true }
            ]
        }

        // A cell shows its press and emits its number on release, wherever the pointer is.
        function test_cells(data) {
            var cell = findChild(main.scene, "menuCell" + data.cell)
            menuSpy.clear()
            var image = function() { return String(cell.children[0].source) }
            mousePress(cell, 10, 10)
            compare(image(), "qrc:/images/" + data.image + "-pre.png")
            compare(menuSpy.count, 0)
            var to = data.away ? Qt.point(250, 60) : Qt.point(10, 10)
            mouseMove(cell, to.x, to.y)
            mouseRelease(cell, to.x, to.y)
            compare(image(), "qrc:/images/" + data.image + "-nor.png")
            compare([menuSpy.count, menuSpy.signalArguments[0][0]], [1, data.emits])
        }

        // Theme through the bundle's qmldir, and its face; either missing leaves the system font.
        function test_labelFaceFromTheme() {
            var label = findChild(main.scene, "menuCell1").children[1]
            tryVerify(function() { return label.font.family === "Source Sans Pro" }, 5000,
                      "label font: " + label.font.family)
        }
    }
}

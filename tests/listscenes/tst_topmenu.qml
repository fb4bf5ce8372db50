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

    SignalSpy {
        id: menuSpy
        target: main.scene
        signalName: "menu1Click"
    }

    TestCase {
        name: "TopMenu"
        when: windowShown

        function init() {
            menuSpy.clear()
        }

        function cell(n) {
            var item = findChild(main.scene, "menuCell" + n)
            verify(item !== null)
            return item
        }
        function cellImage(n) {
            return String(cell(n).children[0].source)
        }

        function test_cells_data() {
            return [
                { tag: "SD card", cell: 1, image: "menu-sd", emits: 1 },
                { tag: "file", cell: 2, image: "menu-file", emits: 2 },
                { tag: "version", cell: 3, image: "menu-ver", emits: 4 },
                { tag: "report", cell: 4, image: "menu-report", emits: 5 },
                { tag: "snapshot", cell: 5, image: "menu-snap", emits: 6 },
                { tag: "settings", cell: 6, image: "menu-set", emits: 7 }
            ]
        }

        function test_cells(data) {
            compare(cell(data.cell).width, 99)
            compare(cellImage(data.cell), "qrc:/drevo_res/" + data.image + "-nor.png")
            mousePress(cell(data.cell))
            compare(cellImage(data.cell), "qrc:/drevo_res/" + data.image + "-pre.png")
            compare(menuSpy.count, 0)
            mouseRelease(cell(data.cell))
            compare(cellImage(data.cell), "qrc:/drevo_res/" + data.image + "-nor.png")
            compare(menuSpy.count, 1)
            compare(menuSpy.signalArguments[0][0], data.emits)
        }

        // The release counts wherever the pointer is by then.
        function test_releaseOutsideTheCell() {
            mousePress(cell(3), 10, 10)
            mouseMove(cell(3), 250, 60)
            mouseRelease(cell(3), 250, 60)
            compare(menuSpy.count, 1)
            compare(menuSpy.signalArguments[0][0], 4)
            compare(cellImage(3), "qrc:/drevo_res/menu-ver-nor.png")
        }
    }
}

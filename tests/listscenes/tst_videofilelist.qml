import QtQuick 2.12
import QtTest 1.2

Item {
    width: 1000
    height: 700

    StandInMain {
        id: main
        anchors.fill: parent
    }

    SignalSpy { id: readListSpy; target: main.scene; signalName: "readList" }
    SignalSpy { id: playSpy; target: main.scene; signalName: "playDBClick" }
    SignalSpy { id: deleteSpy; target: main.scene; signalName: "deleteClick" }
    SignalSpy { id: copySpy; target: main.file; signalName: "copyFinished" }

    TestCase {
        name: "VideoFilelist"
        when: windowShown

        readonly property var driveNames: ["R_20260301_100500_T_N.avi", "R_20260301_100400_T_N.avi",
            "R_20260301_100300_T_N.avi", "R_20260301_100200_T_N.avi", "R_20260301_100100_T_N.avi",
            "R_20260301_100000_T_N.avi"]
        property var listView: null

        function init() {
            verify(cardFixture.reset())
            main.sceneSource = ""
            main.sceneSource = "qrc:/VideoFilelist.qml"
            main.file.source = cardFixture.firstCard
            main.mutexLock = 0
            main.setList()
            main.setListCalls = 0
            for (var spy of [readListSpy, playSpy, deleteSpy, copySpy])
                spy.clear()
            waitForRendering(main.scene)
            listView = findChild(main.scene, "fileListView")
        }

        function column(role) {
            var model = listView.model, values = []
            for (var i = 0; i < model.count; ++i)
                values.push(model.get(i)[role])
            return values
        }
        function checkedRows() {
            return column("checkValue").reduce(function(r, on, i) { return on ? r.concat(i) : r }, [])
        }
        // The delegate of row i, once the list has laid out its rows anew.
        function row(i) {
            waitForItemPolished(listView)
            tryVerify(function() { return listView.itemAtIndex(i) !== null }, 2000, "row " + i)
            return listView.itemAtIndex(i)
        }
        function emitted(spy) {
            return spy.signalArguments.map(function(args) { return Array.prototype.slice.call(args) })
        }
        function toggleRow(i) {
            mouseClick(findChild(row(i), "rowCheck"))
        }
        function tab(n) {
            return findChild(main.scene, "menu" + n)
        }

        // A tab's rows keep the catalogue's addresses; the selected tab does not answer.
        function test_tabs() {
            compare(column("name"), driveNames)
            mouseClick(tab(5))
            mouseClick(tab(5))
            compare([emitted(readListSpy), main.scene.categoryIndex], [[[4]], 5])
            compare(column("name"), ["R_20260301_130200_D_M.avi", "R_20260301_130100_D_M.avi",
                                     "R_20260301_130000_D_M.avi"])
            compare([column("categoryIdx"), column("categoryInIdx")], [[4, 4, 4], [0, 1, 2]])
        }

        // Exactly the checked recordings go; the card is then listed afresh on tab 1.
        function test_deleteChecked() {
            mouseClick(tab(5))
            toggleRow(0)
            toggleRow(2)
            main.deleteListIndex()
            compare(cardFixture.files(cardFixture.firstCard + "Manual"), ["R_20260301_130100_D_M.avi"])
            compare(cardFixture.files(cardFixture.firstCard + "Drive"), driveNames.slice().reverse())
            compare([main.setListCalls, main.scene.categoryIndex], [1, 1])
            compare([column("name"), checkedRows()], [driveNames, []])
        }

        // Saving copies the checked rows and clears their checks, and nothing else.
        function test_buttonsAndSave() {
            for (var r of [0, 1, 3, 1])
                toggleRow(r)
            mouseClick(findChild(main.scene, "deleteButton"))
            compare(emitted(deleteSpy), [[2]])
            main.saveListIndex(cardFixture.saveFolder)
            compare(checkedRows(), [])
            verify(!findChild(row(3), "rowCheck").checked)
            compare([main.setListCalls, column("name")], [0, driveNames])
            copySpy.wait(10000)
            compare(cardFixture.files(cardFixture.saveFolder),
                    ["R_20260301_100200_T_N.avi", "R_20260301_100500_T_N.avi", "SHA256SUMS"])
            compare(cardFixture.files(cardFixture.firstCard + "Drive").length, 6)
        }

        // Not on the check box or the icon, and not while a recording is prepared.
        function test_doubleClick() {
            mouseDoubleClickSequence(row(2), 40, 25)
            compare(playSpy.count, 0)
            mouseDoubleClickSequence(row(2), 200, 25)
            compare(emitted(playSpy), [[0, 2, 6]])
            compare([main.mutexLock, main.scene.currentRow], [1, 2])
            mouseDoubleClickSequence(row(4), 200, 25)
            compare(playSpy.count, 1)
            main.unlockList()
            mouseDoubleClickSequence(row(4), 200, 25)
            compare(emitted(playSpy), [[0, 2, 6], [0, 4, 6]])
        }

        // The playing recording is highlighted only on its own tab.
        function test_currentRow() {
            main.setCurrentIndex(0, 3)
            main.setCurrentIndex(1, 1)
            compare([main.scene.currentRow, String(row(3).color)], [3, "#000000"])
            mouseClick(tab(2))
            compare(main.scene.currentRow, -1)
            main.setCurrentIndex(0, 1)
            compare(main.scene.currentRow, -1)
        }
    }
}

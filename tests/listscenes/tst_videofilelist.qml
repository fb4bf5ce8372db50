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
    SignalSpy { id: saveSpy; target: main.scene; signalName: "saveClick" }
    SignalSpy { id: successSpy; target: main.scene; signalName: "saveSuccess" }
    SignalSpy { id: copySpy; target: main.file; signalName: "copyFinished" }

    TestCase {
        name: "VideoFilelist"
        when: windowShown

        readonly property var driveNames: ["R_20260301_100500_T_N.avi", "R_20260301_100400_T_N.avi",
            "R_20260301_100300_T_N.avi", "R_20260301_100200_T_N.avi", "R_20260301_100100_T_N.avi",
            "R_20260301_100000_T_N.avi"]

        function init() {
            verify(cardFixture.reset())
            main.sceneSource = ""
            main.sceneSource = "qrc:/VideoFilelist.qml"
            tryCompare(main.scene, "width", main.width)
            main.file.source = cardFixture.firstCard
            main.mutexLock = 0
            main.setList()
            main.setListCalls = 0
            for (var spy of [readListSpy, playSpy, deleteSpy, saveSpy, successSpy, copySpy])
                spy.clear()
            waitForRendering(main.scene)
        }

        function listView() {
            return findChild(main.scene, "fileListView")
        }
        function column(role) {
            var model = listView().model, values = []
            for (var i = 0; i < model.count; ++i)
                values.push(model.get(i)[role])
            return values
        }
        function checkedRows() {
            return column("checkValue").reduce(function(r, on, i) { return on ? r.concat(i) : r }, [])
        }
        // The delegate of row i, once the list has laid out its rows anew.
        function row(i) {
            waitForItemPolished(listView())
            tryVerify(function() { return listView().itemAtIndex(i) !== null }, 2000, "row " + i)
            return listView().itemAtIndex(i)
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
        function tabImage(n) {
            return String(tab(n).children[0].source)
        }

        function test_tabs_data() {
            return [
                { tag: "driving", tab: 1, icon: "icon-drive.png", names: driveNames },
                { tag: "driving impact", tab: 2, icon: "icon-drive-impact.png",
                    names: ["R_20260301_110100_T_E.avi", "R_20260301_110000_T_E.avi"] },
                { tag: "parking", tab: 3, icon: "icon-parking.png", names: ["R_20260301_120000_S_P.avi"] },
                { tag: "parking impact", tab: 4, icon: "icon-parking-impact.png", names: [] },
                { tag: "manual", tab: 5, icon: "icon-manual.png",
                    names: ["R_20260301_130200_D_M.avi", "R_20260301_130100_D_M.avi",
                        "R_20260301_130000_D_M.avi"] }
            ]
        }

        // Each tab shows its category's rows in catalogue order, each row keeping
        // the address the catalogue knows it by; a pressed tab shows so.
        function test_tabs(data) {
            var asked = data.tab === 1 ? [] : [[data.tab - 1]]
            if (data.tab !== 1) {
                mousePress(tab(data.tab))
                verify(tabImage(data.tab).endsWith("-pre.png"))
                mouseRelease(tab(data.tab))
            }
            compare(main.scene.categoryIndex, data.tab)
            compare(emitted(readListSpy), asked)
            compare(column("name"), data.names)
            var n = data.names.length
            compare(main.scene.categoryInFCnt, n)
            compare(column("categoryIdx"), new Array(n).fill(data.tab - 1))
            compare(column("categoryInIdx"), Array.from(new Array(n).keys()))
            compare(column("imgStr"), new Array(n).fill("qrc:/images/" + data.icon))
            compare(checkedRows(), [])
            for (var t = 1; t <= 5; ++t)
                verify(tabImage(t).endsWith(t === data.tab ? "-sel.png" : "-nor.png"), tabImage(t))
            // The selected tab does not answer.
            mouseClick(tab(data.tab))
            compare(emitted(readListSpy), asked)
        }

        function test_delete_data() {
            return [
                { tag: "driving rows 1 and 4", tab: 1, check: [1, 4], folder: "Drive",
                    left: ["R_20260301_100000_T_N.avi", "R_20260301_100200_T_N.avi",
                        "R_20260301_100300_T_N.avi", "R_20260301_100500_T_N.avi"] },
                { tag: "manual row 0", tab: 5, check: [0], folder: "Manual",
                    left: ["R_20260301_130000_D_M.avi", "R_20260301_130100_D_M.avi"] }
            ]
        }

        // Exactly the checked recordings go; the list is then searched afresh and
        // shown on tab 1 with nothing checked.
        function test_delete(data) {
            mouseClick(tab(data.tab))
            data.check.forEach(toggleRow)
            main.deleteListIndex()
            compare(cardFixture.files(cardFixture.firstCard + data.folder), data.left)
            compare(main.setListCalls, 1)
            compare(main.scene.categoryIndex, 1)
            verify(tabImage(1).endsWith("-sel.png"))
            compare(column("name"), data.folder === "Drive" ? data.left.slice().reverse() : driveNames)
            compare(checkedRows(), [])
        }

        // The buttons only count the checked rows; saving queues them and clears
        // their checks, and nothing else changes.
        function test_buttonsAndSave() {
            var clickButtons = function() {
                mouseClick(findChild(main.scene, "deleteButton"))
                mouseClick(findChild(main.scene, "saveButton"))
            }
            clickButtons()
            for (var r of [0, 1, 3, 1])
                toggleRow(r)
            compare(checkedRows(), [0, 3])
            clickButtons()
            compare(emitted(deleteSpy), [[0], [2]])
            compare(emitted(saveSpy), [[0], [2]])
            main.saveListIndex(cardFixture.saveFolder)
            compare(successSpy.count, 1)
            compare(checkedRows(), [])
            verify(!findChild(row(0), "rowCheck").checked)
            verify(!findChild(row(3), "rowCheck").checked)
            compare(main.setListCalls, 0)
            compare(column("name"), driveNames)
            copySpy.wait(10000)
            compare(emitted(copySpy), [[2, 0, []]])
            compare(cardFixture.files(cardFixture.saveFolder),
                    ["R_20260301_100200_T_N.avi", "R_20260301_100500_T_N.avi"])
            compare(cardFixture.files(cardFixture.firstCard + "Drive").length, 6)
            // A check set after the save is not cleared by it.
            toggleRow(2)
            compare(checkedRows(), [2])
        }

        function test_doubleClick() {
            var listX = 200
            // The check box and the icon take no double-click.
            mouseDoubleClickSequence(row(2), 40, 25)
            compare(playSpy.count, 0)
            mouseDoubleClickSequence(row(2), listX, 25)
            compare(emitted(playSpy), [[0, 2, 6]])
            compare(main.mutexLock, 1)
            compare(main.scene.currentRow, 2)
            // Ignored while the recording is being prepared.
            mouseDoubleClickSequence(row(4), listX, 25)
            compare(playSpy.count, 1)
            main.unlockList()
            compare(main.mutexLock, 0)
            mouseClick(row(4), listX, 25)
            compare(playSpy.count, 1)
            mouseDoubleClickSequence(row(4), listX, 25)
            compare(emitted(playSpy), [[0, 2, 6], [0, 4, 6]])
            main.lockList()
            compare(main.mutexLock, 1)
        }

        // The playing recording is highlighted only on its own tab.
        function test_currentRow() {
            main.setCurrentIndex(1, 1)
            compare(main.scene.currentRow, -1)
            main.setCurrentIndex(0, 3)
            compare(main.scene.currentRow, 3)
            compare(String(row(3).color), "#000000")
            mouseClick(tab(2))
            compare(main.scene.currentRow, -1)
            main.setCurrentIndex(0, 1)
            compare(main.scene.currentRow, -1)
            main.listClear()
            compare(main.scene.categoryInFCnt, 0)
            compare(listView().count, 0)
        }
    }
}

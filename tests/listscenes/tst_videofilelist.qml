import QtQuick 2.12
import QtTest 1.2

Item {
    width: 1000
    height: 700

    StandInMain {
        id: main
        anchors.fill: parent
    }

    SignalSpy {
        id: readListSpy
        target: main.scene
        signalName: "readList"
    }
    SignalSpy {
        id: playSpy
        target: main.scene
        signalName: "playDBClick"
    }
    SignalSpy {
        id: deleteSpy
        target: main.scene
        signalName: "deleteClick"
    }
    SignalSpy {
        id: saveSpy
        target: main.scene
        signalName: "saveClick"
    }
    SignalSpy {
        id: successSpy
        target: main.scene
        signalName: "saveSuccess"
    }
    SignalSpy {
        id: copySpy
        target: main.file
        signalName: "copyFinished"
    }

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
            var spies = [readListSpy, playSpy, deleteSpy, saveSpy, successSpy, copySpy]
            for (var i = 0; i < spies.length; ++i)
                spies[i].clear()
            waitForRendering(main.scene)
        }

        function listView() {
            return findChild(main.scene, "fileListView")
        }
        function rowNames() {
            var model = listView().model
            var names = []
            for (var i = 0; i < model.count; ++i)
                names.push(model.get(i).name)
            return names
        }
        function checkedRows() {
            var model = listView().model
            var rows = []
            for (var i = 0; i < model.count; ++i) {
                if (model.get(i).checkValue)
                    rows.push(i)
            }
            return rows
        }
        // The delegate of row i, once the list has laid out its rows anew.
        function row(i) {
            waitForItemPolished(listView())
            tryVerify(function() { return listView().itemAtIndex(i) !== null }, 2000,
                      "row " + i + " is not shown")
            return listView().itemAtIndex(i)
        }
        function playArguments(n) {
            return Array.prototype.slice.call(playSpy.signalArguments[n])
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
        function release(name) {
            mouseClick(findChild(main.scene, name))
        }

        function test_tabs_data() {
            return [
                { tag: "driving", tab: 1, icon: "icon-drive.png", names: driveNames },
                { tag: "driving impact", tab: 2, icon: "icon-drive-ev.png",
                    names: ["R_20260301_110100_T_E.avi", "R_20260301_110000_T_E.avi"] },
                { tag: "parking", tab: 3, icon: "icon-parking.png", names: ["R_20260301_120000_S_P.avi"] },
                { tag: "parking impact", tab: 4, icon: "icon-parking-ev.png", names: [] },
                { tag: "manual", tab: 5, icon: "icon-manual.png",
                    names: ["R_20260301_130200_D_M.avi", "R_20260301_130100_D_M.avi",
                        "R_20260301_130000_D_M.avi"] }
            ]
        }

        // Each tab shows its category's rows in catalogue order, each row
        // keeping the address the catalogue knows it by.
        function test_tabs(data) {
            if (data.tab !== 1)
                mouseClick(tab(data.tab))
            compare(main.scene.categoryIndex, data.tab)
            compare(readListSpy.count, data.tab === 1 ? 0 : 1)
            if (data.tab !== 1)
                compare(readListSpy.signalArguments[0][0], data.tab - 1)
            compare(rowNames(), data.names)
            compare(main.scene.categoryInFCnt, data.names.length)
            var model = listView().model
            for (var i = 0; i < model.count; ++i) {
                compare(model.get(i).categoryIdx, data.tab - 1)
                compare(model.get(i).categoryInIdx, i)
                compare(model.get(i).imgStr, "qrc:/drevo_res/" + data.icon)
                compare(model.get(i).checkValue, false)
            }
            for (var n = 1; n <= 5; ++n)
                verify(tabImage(n).endsWith(n === data.tab ? "-sel.png" : "-nor.png"),
                       "tab " + n + ": " + tabImage(n))
            // The selected tab does not answer.
            mouseClick(tab(data.tab))
            compare(readListSpy.count, data.tab === 1 ? 0 : 1)
        }

        function test_pressedTab() {
            mousePress(tab(3))
            verify(tabImage(3).endsWith("-pre.png"))
            mouseRelease(tab(3))
            verify(tabImage(3).endsWith("-sel.png"))
            verify(tabImage(1).endsWith("-nor.png"))
        }

        function test_buttonsCountCheckedRows() {
            release("deleteButton")
            compare(deleteSpy.count, 1)
            compare(deleteSpy.signalArguments[0][0], 0)
            release("saveButton")
            compare(saveSpy.signalArguments[0][0], 0)
            toggleRow(1)
            toggleRow(3)
            toggleRow(4)
            toggleRow(3)
            compare(checkedRows(), [1, 4])
            release("deleteButton")
            compare(deleteSpy.signalArguments[1][0], 2)
            release("saveButton")
            compare(saveSpy.signalArguments[1][0], 2)
            // Counting alone changes nothing.
            compare(cardFixture.files(cardFixture.firstCard + "Drive").length, 6)
            compare(main.setListCalls, 0)
        }

        function test_deleteCheckedRows() {
            toggleRow(1)
            toggleRow(4)
            main.deleteListIndex()
            var left = cardFixture.files(cardFixture.firstCard + "Drive")
            compare(left, ["R_20260301_100000_T_N.avi", "R_20260301_100200_T_N.avi",
                           "R_20260301_100300_T_N.avi", "R_20260301_100500_T_N.avi"])
            compare(main.setListCalls, 1)
            compare(rowNames(), ["R_20260301_100500_T_N.avi", "R_20260301_100300_T_N.avi",
                                 "R_20260301_100200_T_N.avi", "R_20260301_100000_T_N.avi"])
            compare(checkedRows(), [])
        }

        // A deletion from another tab removes that tab's recording and ends on
        // tab 1 with a fresh search of the card.
        function test_deleteFromOtherTab() {
            mouseClick(tab(5))
            toggleRow(0)
            main.deleteListIndex()
            compare(cardFixture.files(cardFixture.firstCard + "Manual"),
                    ["R_20260301_130000_D_M.avi", "R_20260301_130100_D_M.avi"])
            compare(cardFixture.files(cardFixture.firstCard + "Drive").length, 6)
            compare(main.scene.categoryIndex, 1)
            compare(rowNames(), driveNames)
            verify(tabImage(1).endsWith("-sel.png"))
        }

        function test_saveQueuesCheckedRowsAndClearsTheirChecks() {
            toggleRow(0)
            toggleRow(3)
            main.saveListIndex(cardFixture.saveFolder)
            compare(successSpy.count, 1)
            compare(checkedRows(), [])
            verify(!findChild(row(0), "rowCheck").checked)
            verify(!findChild(row(3), "rowCheck").checked)
            // The list stays as it was.
            compare(main.setListCalls, 0)
            compare(rowNames(), driveNames)
            copySpy.wait(10000)
            compare(copySpy.signalArguments[0][0], 2)
            compare(copySpy.signalArguments[0][1], 0)
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
            compare(playSpy.count, 1)
            compare(playArguments(0), [0, 2, 6])
            compare(main.mutexLock, 1)
            compare(main.scene.currentRow, 2)
            compare(String(row(2).color), "#000000")
            // Ignored while the recording is being prepared.
            mouseDoubleClickSequence(row(4), listX, 25)
            compare(playSpy.count, 1)
            main.unlockList()
            compare(main.mutexLock, 0)
            mouseClick(row(4), listX, 25)
            compare(playSpy.count, 1)
            mouseDoubleClickSequence(row(4), listX, 25)
            compare(playArguments(1), [0, 4, 6])
            main.lockList()
            compare(main.mutexLock, 1)
        }

        function test_rowColours() {
            compare(String(row(0).color), "#282828")
            compare(String(row(1).color), "#232323")
            // The playing recording is highlighted only on its own tab.
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

import QtQuick 2.12
import FileIO 1.0

// What the list panel, the menu and the card dialog use of the main window,
// with a real FileIO; the scene under test is loaded inside and reaches it by id.
Item {
    id: mainWin

    property alias scene: sceneLoader.item
    property alias sceneSource: sceneLoader.source
    property alias file: myFile
    property alias capture: captureStandIn

    property int mutexLock: 0
    property int resolution: 0
    property int sdCardDetect: 0
    property string currentPlayFileName: "R_20260301_100300_T_N"
    property int setListCalls: 0

    signal addListItem(string filename, string fileinfo, int cIdx, int cIIdx)
    signal listInit
    signal listClear
    signal lockList
    signal unlockList
    signal setCurrentIndex(int kind, int index)
    signal deleteListIndex
    signal saveListIndex(string savePath)
    signal viewPopup(int vIdex)

    function showCategory(kind) {
        listClear()
        var n = myFile.readfileCnt(kind)
        for (var i = 0; i < n; ++i)
            addListItem(myFile.readfilename(kind, i), myFile.readfileinfo(kind, i), kind, i)
    }

    function setList() {
        ++setListCalls
        myFile.fileSearch()
        showCategory(0)
        listInit()
    }

    FileIO {
        id: myFile
        source: "DASHCAM"
    }

    // The large player, reduced to its snapshot facility.
    Item {
        id: videoOut1
        property QtObject videoCapture: QtObject {
            id: captureStandIn
            property string captureName
            property string captureDir
            property int requests: 0
            signal saved(string path)
            signal failed(string path)
            function capture() { ++requests }
        }
    }

    Loader {
        id: sceneLoader
        anchors.fill: parent
    }

    // What main does with a tab choice.
    Connections {
        target: sceneLoader.item
        ignoreUnknownSignals: true
        function onReadList(idx) { showCategory(idx) }
    }
}

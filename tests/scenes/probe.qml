import QtQuick 2.12
import QtQuick.Window 2.12
import FileIO 1.0
import EnumLanguage 1.0

// Loaded by the start-up test in place of the main scene: reports what the
// scenes can reach, then quits.
Window {
    visible: true
    width: 240
    height: 120

    property var startupFiles: []
    property var refusedFiles: []

    FileIO {
        id: myFile
        source: "DASHCAM"
    }

    Timer {
        interval: 0
        running: true
        onTriggered: Qt.quit()
    }

    Component.onCompleted: {
        console.log("probe: enum", EnumLanguage.KOR, EnumLanguage.ENG, EnumLanguage.FRE)
        console.log("probe: language", LanguageManager.language)
        console.log("probe: files", startupFiles.join(" "), "refused", refusedFiles.join(" "))
        commonFunc.contentStr = "a scene's text"
        console.log("probe: contentStr", commonFunc.contentStr)
        console.log("probe: state", myFile.readProcessState(), myFile.readfileCnt(0))
        console.log("probe: source", myFile.source, myFile.getDriveCount())
        for (var i = 0; i < myFile.getDriveCount(); ++i)
            console.log("probe: card", myFile.getDrivePath(i))
    }
}

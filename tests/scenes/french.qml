import QtQuick 2.12
import FileIO 1.0
import EnumLanguage 1.0

// Loaded by the install test: switches to French, reports a translated text
// and the window-size class of the default settings, then quits.
Item {
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
        LanguageManager.language = EnumLanguage.FRE
        console.log("probe: " + qsTranslate("main", "SDCard를 삽입해주세요") + " / " + myFile.vresolution)
    }
}

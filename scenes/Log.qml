pragma Singleton
import QtQml 2.12

// The category of the scenes' debug lines, beside the backend's under
// "velmora.": console.log(Log.scenes, "...").
QtObject {
    readonly property LoggingCategory scenes: LoggingCategory {
        name: "velmora.scenes"
    }
}

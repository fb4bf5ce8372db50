import QtQuick 2.12

// Placeholder for the settings chooser: filled in later. It is to open on
// mainWin.settingSelectPopup() and answer with one of the two signals.
Item {
    id: settingSelect

    signal dashCamClick
    signal pcVIewClick
}

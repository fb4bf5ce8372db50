import QtQuick 2.12

// A text that comes from the card: shown as it is, never as markup, and cut
// short when it does not fit.
Text {
    height: 40
    textFormat: Text.PlainText
    elide: Text.ElideRight
    verticalAlignment: Text.AlignVCenter
    font.family: Theme.fontRegular.name
    font.pointSize: Theme.optionPoints
    color: Theme.text
}

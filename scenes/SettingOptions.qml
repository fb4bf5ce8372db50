import QtQuick 2.12
import QtQuick.Controls 2.12

// A row of option buttons, 150 px apart and `perLine` to a line; the one at
// `value` is selected. A click selects it and reports its index.
Item {
    id: options

    property var labels: []
    property int value: -1
    // The objectNames are this prefix and the index.
    property string namePrefix: ""
    property int perLine: labels.length
    // Text size of each option in points; 13 where none is given.
    property var points: []

    signal chosen(int index)

    width: (Math.min(perLine, labels.length) - 1) * 150 + 130
    height: Math.ceil(labels.length / perLine) * 80 - 40

    Repeater {
        model: options.labels
        delegate: AbstractButton {
            objectName: options.namePrefix + index
            x: (index % options.perLine) * 150
            y: Math.floor(index / options.perLine) * 80
            width: 130
            height: 40
            readonly property bool selected: index === options.value
            background: Image {
                source: parent.selected ? "qrc:/images/option-sel.png" : "qrc:/images/option-nor.png"
            }
            contentItem: Text {
                text: modelData
                font.family: Theme.fontBold.name
                font.pointSize: options.points[index] || Theme.optionPoints
                color: parent.selected ? Theme.tabSelectedText : Theme.text
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
            }
            onClicked: {
                options.value = index
                options.chosen(index)
            }
        }
    }
}

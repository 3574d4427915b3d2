import QtQuick

// A flat button: no animation and no theme, so that every machine draws the same pixels.
Rectangle {
    id: button
    property alias text: label.text
    property bool checked: false
    signal clicked()

    width: Math.max(56, label.implicitWidth + 16)
    height: 24
    radius: 3
    color: !enabled ? "#2b3038" : checked ? "#1f6fb2" : "#46505d"
    border.color: checked ? "#7fb8ea" : "#5a6675"

    Text {
        id: label
        anchors.centerIn: parent
        color: button.enabled ? "#f0f3f6" : "#77808b"
    }
    MouseArea {
        anchors.fill: parent
        onClicked: button.clicked()
    }
}

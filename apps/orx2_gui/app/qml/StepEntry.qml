import QtQuick

// One entry of the step menu, drawn by its group: the instruction text (with its own OK and Cancel
// while they are enabled), the number entry, or an answer button. Hidden entries take no room.
Item {
    id: entry
    required property var item
    property string group: item ? item.groupID : ""
    property bool shown: item ? item.visibility : false

    objectName: "stepEntry_" + group
    width: 340
    height: shown ? (group === "InputText" || (group === "eInfoText" && item.okEnabled) ? 56 : 28) : 0
    visible: shown

    Text {
        visible: entry.group === "eInfoText"
        width: parent.width
        y: 4
        elide: Text.ElideRight
        text: entry.item ? entry.item.infoText : ""
        color: "#f0f3f6"
    }
    Row {
        visible: entry.group === "InputText"
        y: 2
        spacing: 6
        Rectangle {
            width: 120; height: 24
            color: "#0d1014"
            border.color: "#7fb8ea"
            TextInput {
                id: number
                objectName: entry.group === "InputText" ? "numberInput" : ""
                anchors.fill: parent
                anchors.margins: 4
                color: "#f0f3f6"
                // The entry's text is the proposal followed by a control suffix.
                text: entry.item ? entry.item.infoText.split("##CTRL##")[0] : ""
            }
        }
    }
    Row {
        visible: entry.group === "InputText" || (entry.group === "eInfoText" && entry.item && entry.item.okEnabled)
        y: 30
        spacing: 6
        ScreenButton {
            objectName: "inlineOk_" + entry.group
            text: "OK"
            onClicked: {
                if (entry.group === "InputText")
                    entry.item.execute("textInserted", [number.text])
                entry.item.execute("okCancelPressed", [true])
            }
        }
        ScreenButton {
            objectName: "inlineCancel_" + entry.group
            text: "Cancel"
            enabled: entry.item ? entry.item.cancelEnabled : false
            onClicked: entry.item.execute("okCancelPressed", [false])
        }
    }
    ScreenButton {
        visible: entry.group !== "eInfoText" && entry.group !== "InputText"
        objectName: "answer_" + entry.group
        y: 2
        text: entry.group.replace(/^e/, "")
        checked: entry.item ? entry.item.selected : false
        enabled: entry.item ? entry.item.enabled : false
        onClicked: entry.item.execute("command")
    }
}

import QtQuick

// One scan area: its fill says selected (blue), obligatory (amber) or neither (grey); the green stripe
// says it holds data; below the name its thumbnails, the selected ones outlined.
Rectangle {
    id: tile
    property var entry          // {name, area}
    property var screen         // the window: its view models and helpers
    property var item: screen.areaPanel ? screen.areaPanel.areaItemViewModels[entry.area] : null
    property bool obligatory: item ? item.isObligatory : false
    property bool selected: screen.areaPanel ? screen.areaPanel.selectedArea === entry.area : false
    property bool hasData: screen.progress ? screen.progress.reconstructionArea[entry.area] === true : false
    property string reconstruction: screen.result
        ? screen.reconstructionStates[screen.result.areaReconstructionState[entry.area]] || "" : ""
    property real percent: screen.progress ? screen.percent(screen.progress.areaReconstructionProgress[entry.area] * 100) : 0

    objectName: "tile_" + entry.name
    width: 205
    height: 68
    radius: 4
    color: selected ? "#1f6fb2" : obligatory ? "#8a6d1f" : "#39424e"
    opacity: item && item.visibility === false ? 0.4 : 1.0

    Rectangle {
        objectName: "dataStripe"
        visible: tile.hasData
        x: 0; y: 0; width: 6; height: parent.height
        color: "#3fa34d"
    }
    Text {
        x: 12; y: 5
        text: entry.name
        font.bold: true
        color: "#f0f3f6"
    }
    Text {
        x: 12; y: 22
        text: (tile.obligatory ? "obligatory  " : "")
              + (tile.hasData ? tile.percent.toFixed(1) + "%  " : "")
              + (tile.reconstruction !== "None" ? tile.reconstruction : "")
        color: "#d5dbe2"
        font.pixelSize: 10
    }
    MouseArea {
        anchors.fill: parent
        onClicked: if (screen.areaPanel) screen.areaPanel.execute("activateArea", [entry.area])
    }
    Row {
        x: 12; y: 42
        spacing: 4
        Repeater {
            model: tile.item ? tile.item.thumbnailBar.thumbnailsArrayBindingSource : null
            delegate: Rectangle {
                required property var item
                objectName: "thumbnail_" + (item ? item.bitmapID : "")
                width: 30; height: 20
                radius: 2
                visible: item ? item.visibility : false
                color: "#22272e"
                border.width: item && item.isSelected ? 2 : 1
                border.color: item && item.isSelected ? "#7fb8ea" : "#5a6675"
                Text {
                    anchors.centerIn: parent
                    text: item ? "#" + item.number : ""
                    color: "#f0f3f6"
                    font.pixelSize: 10
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: if (item) item.execute("select")
                }
            }
        }
    }
}

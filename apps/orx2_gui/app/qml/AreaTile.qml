import QtQuick

// One scan area: its fill says selected (blue), obligatory (amber) or neither (grey); the green stripe
// says it holds data; below the name its thumbnails, the selected ones outlined.
Rectangle {
    id: tile
    property var entry          // {name, area, item, thumbnails}
    property var item: entry.item
    property bool obligatory: item ? item.obligatory : false
    property bool selected: acquisition.areaPanel ? acquisition.areaPanel.selectedArea === entry.area : false
    property bool hasData: acquisition.progress.hasData ? acquisition.progress.hasData[entry.area] : false
    property string reconstruction: acquisition.result.areaStates ? acquisition.result.areaStates[entry.area] : ""
    property real percent: acquisition.progress.areaPercent ? acquisition.progress.areaPercent[entry.area] : 0

    objectName: "tile_" + entry.name
    width: 205
    height: 68
    radius: 4
    color: selected ? "#1f6fb2" : obligatory ? "#8a6d1f" : "#39424e"
    opacity: item && item.visible === false ? 0.4 : 1.0

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
        onClicked: if (acquisition.areaPanel) acquisition.areaPanel.execute("activate", [entry.area])
    }
    Row {
        x: 12; y: 42
        spacing: 4
        Repeater {
            model: entry.thumbnails
            delegate: Rectangle {
                required property var item
                objectName: "thumbnail_" + (item ? item.bitmap : "")
                width: 30; height: 20
                radius: 2
                visible: item ? item.visible : false
                color: "#22272e"
                border.width: item && item.selected ? 2 : 1
                border.color: item && item.selected ? "#7fb8ea" : "#5a6675"
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

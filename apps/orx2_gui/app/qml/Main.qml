import QtQuick
import QtQuick.Window

// The acquisition screen: the area tiles left, the live image, reconstruction and step menu in the
// middle, the side panel's tools right. Every value comes from a view model through `acquisition`; every
// click executes a view model's command. Input is disabled while a GUI-locking command runs.
Window {
    id: root
    width: 1024
    height: 640
    minimumWidth: width; maximumWidth: width
    minimumHeight: height; maximumHeight: height
    color: "#1b1f24"
    title: "ORX2 acquisition"

    readonly property bool locked: acquisition.guiLock.locked
    readonly property var calibrationStates: ["NotRunning", "InProgress", "Succeeded", "Failed", "Aborted",
                                              "WaitingForAnswer", "Holding", "WaitingForNumber"]

    // The header: the step being played, the work indicator and the lock.
    Rectangle {
        width: parent.width; height: 36
        color: "#262c33"
        Text {
            objectName: "stepText"
            x: 12; anchors.verticalCenter: parent.verticalCenter
            width: 700
            elide: Text.ElideRight
            color: "#f0f3f6"
            text: acquisition.stepNumber === 0 ? "ORX2 acquisition: ready"
                                          : "Step " + acquisition.stepNumber + "/" + acquisition.stepCount + ": " + acquisition.stepText
        }
        Rectangle {
            objectName: "workIndicator"
            visible: acquisition.lockGui ? acquisition.lockGui.workIndicator > 0 : false
            x: 760; y: 7; width: 110; height: 22; radius: 11
            color: "#8a6d1f"
            Text { anchors.centerIn: parent; text: "working"; color: "#f0f3f6" }
        }
        Rectangle {
            objectName: "lockIndicator"
            visible: root.locked
            x: 880; y: 7; width: 132; height: 22; radius: 11
            color: "#a33a3a"
            Text { anchors.centerIn: parent; text: "input locked (" + acquisition.guiLock.count + ")"; color: "#f0f3f6" }
        }
    }

    Item {
        id: input
        objectName: "input"
        y: 36; width: parent.width; height: parent.height - 36
        enabled: !root.locked

        // The fourteen area tiles, upper side left, lower side right.
        Grid {
            objectName: "tiles"
            x: 10; y: 10
            columns: 2
            spacing: 6
            Repeater {
                model: acquisition.tiles
                delegate: AreaTile { required property var modelData; entry: modelData }
            }
        }

        Column {
            x: 440; y: 10
            spacing: 10

            // The live image with the crosshair the engine's live-view status selects.
            Rectangle {
                objectName: "liveImage"
                width: 340; height: 200
                color: "#0d1014"
                border.color: "#39424e"
                property bool shown: acquisition.liveImage ? acquisition.liveImage.visible : false
                property string crosshair: acquisition.liveImage ? acquisition.liveImage.crosshair : "None"
                property color mark: crosshair === "Ready" ? "#3fa34d" : crosshair === "Tracking" ? "#4a9be0" : "#d9a521"
                Text {
                    visible: !parent.shown
                    anchors.centerIn: parent
                    text: "live image hidden"
                    color: "#77808b"
                }
                Item {
                    objectName: "crosshair"
                    visible: parent.shown && parent.crosshair !== "None"
                    anchors.fill: parent
                    Rectangle { x: 170 - 40; y: 99; width: 80; height: 2; color: parent.parent.mark }
                    Rectangle { x: 169; y: 100 - 40; width: 2; height: 80; color: parent.parent.mark }
                    Rectangle {
                        x: 170 - 24; y: 100 - 24; width: 48; height: 48; radius: 24
                        color: "transparent"; border.width: 2; border.color: parent.parent.mark
                    }
                }
                Text {
                    x: 8; y: 6
                    visible: parent.shown
                    text: "crosshair " + parent.crosshair
                    color: "#d5dbe2"
                }
            }

            // The reconstruction: overall progress, processing state and result state.
            Column {
                spacing: 4
                Rectangle {
                    id: track
                    objectName: "progressBar"
                    property real percent: acquisition.progress.percent || 0
                    property string processing: acquisition.progress.processing || ""
                    property string resultState: acquisition.result.state || ""
                    width: 340; height: 18
                    color: "#2a2f36"
                    Rectangle {
                        objectName: "progressFill"
                        width: Math.round(track.width * Math.max(0, Math.min(100, track.percent)) / 100)
                        height: parent.height
                        color: "#3fa34d"
                    }
                }
                Text {
                    objectName: "reconstructionText"
                    color: "#d5dbe2"
                    text: "reconstruction " + track.percent.toFixed(1) + " %   processing "
                          + track.processing + "   state " + track.resultState
                          + (acquisition.result.saved ? "   saved" : "")
                }
            }

            // The step menu; during a calibration it is the calibration's menu with its number entry.
            Rectangle {
                objectName: "calibration"
                visible: acquisition.calibration ? acquisition.calibration.visible : false
                width: 340; height: 24
                color: "#262c33"
                Text {
                    x: 8; anchors.verticalCenter: parent.verticalCenter
                    color: "#f0f3f6"
                    text: "Camera calibration: " + (acquisition.calibration
                          ? (root.calibrationStates[acquisition.calibration.state] || ("state " + acquisition.calibration.state)) : "")
                }
            }
            Text {
                color: "#77808b"
                text: acquisition.stepMenu && acquisition.stepMenu.count > 0 ? "Step menu" : "Step menu: no entries"
            }
            Column {
                objectName: "stepMenu"
                spacing: 2
                Repeater {
                    model: acquisition.stepMenu
                    delegate: StepEntry {}
                }
            }
        }

        // The side panel's tools, each with its eight actions.
        Column {
            objectName: "sidePanel"
            x: 796; y: 10
            spacing: 10
            visible: acquisition.sidePanel ? acquisition.sidePanel.toolsVisible : false
            Repeater {
                model: acquisition.tools
                delegate: Column {
                    required property var modelData
                    property var tool: modelData.item
                    spacing: 4
                    Text {
                        text: (tool.selected ? "> " : "") + tool.name
                        color: tool.enabled ? "#f0f3f6" : "#77808b"
                        font.bold: tool.selected
                    }
                    Grid {
                        columns: 4
                        spacing: 4
                        Repeater {
                            model: modelData.actions
                            delegate: ScreenButton {
                                required property var modelData
                                required property int index
                                objectName: "action_" + tool.name + "_" + index
                                width: 48
                                text: "" + index
                                visible: modelData ? modelData.visible : false
                                enabled: modelData ? modelData.enabled : false
                                checked: modelData ? modelData.selected : false
                                onClicked: modelData.execute("press")
                            }
                        }
                    }
                }
            }
        }

        // The colour calibration dialog, over everything while the engine asks.
        Rectangle {
            objectName: "colourDialog"
            visible: acquisition.colourDialog ? acquisition.colourDialog.visible : false
            x: 312; y: 200; width: 400; height: 110
            color: "#262c33"
            border.color: "#7fb8ea"
            Text {
                x: 12; y: 12; width: 376
                wrapMode: Text.WordWrap
                color: "#f0f3f6"
                text: acquisition.colourDialog ? acquisition.colourDialog.instruction : ""
            }
            Row {
                x: 12; y: 74
                spacing: 6
                ScreenButton { objectName: "colourOk"; text: "OK"; onClicked: acquisition.colourDialog.execute("ok") }
                ScreenButton { objectName: "colourCancel"; text: "Cancel"; onClicked: acquisition.colourDialog.execute("cancel") }
                ScreenButton { objectName: "colourCustom"; text: "Custom"; onClicked: acquisition.colourDialog.execute("custom") }
            }
        }
    }
}

import QtQuick
import QtQuick.Window

// The acquisition screen: the area tiles left, the live image, reconstruction and step menu in the
// middle, the side panel's tools right. Every value comes from a view model through `acquisition`, under
// the name its interface's description gives it (`acquisition.gui` holds the GUI configuration's slots,
// `acquisition.data` the data exchange models); every click executes a view model's command by name.
// Input is disabled while a GUI-locking command runs.
Window {
    id: root
    width: 1024
    height: 640
    minimumWidth: width; maximumWidth: width
    minimumHeight: height; maximumHeight: height
    color: "#1b1f24"
    title: "ORX2 acquisition"

    readonly property bool locked: acquisition.guiLock.locked
    readonly property var gui: acquisition.gui
    readonly property var areaPanel: gui.area
    readonly property var progress: acquisition.data.reconstructionProgressDataExchangeModel
    readonly property var result: acquisition.data.triangulationConfiguration

    // The names of the enumerations the screen shows, by value.
    readonly property var calibrationStates: ["NotRunning", "InProgress", "Succeeded", "Failed", "Aborted",
                                              "WaitingForAnswer", "Holding", "WaitingForNumber"]
    readonly property var reconstructionStates: ["None", "Incomplete", "Complete", "Failed", "CompleteWithWarning"]
    readonly property var processingStates: ({47: "Running", 48: "OK", 49: "Warning", 50: "Fail"})
    readonly property var crosshairs: ({0: "None", 1: "Ready", 4: "Tracking", 5: "Searching"})
    // The tiles as the screen lays them out: the upper side left, the lower side right, registrations
    // last; `area` is the scan area's number, which indexes the per-area lists.
    readonly property var tiles: [
        {name: "UpperJaw", area: 1}, {name: "LowerJaw", area: 0},
        {name: "PreOpUpper", area: 8}, {name: "PreOpLower", area: 7},
        {name: "BiogenRefUpper", area: 4}, {name: "BiogenRefLower", area: 3},
        {name: "GingivaMaskUpper", area: 6}, {name: "GingivaMaskLower", area: 5},
        {name: "ScanbodyUpper", area: 13}, {name: "ScanbodyLower", area: 12},
        {name: "BiteUpper", area: 10}, {name: "BiteLower", area: 9},
        {name: "BuccalReg", area: 2}, {name: "ArticulationReg", area: 11}]

    /// A percentage as the screen shows it, to one decimal.
    function percent(value) { return Math.round((value || 0) * 10) / 10 }
    /// A tool carries no label of its own; its actions' commands are named after it ("Trim.…").
    function toolName(tool) {
        var action = tool ? tool.itemTypeToolActions[0] : null
        return action ? action.commandName("command").split(".")[0] : ""
    }

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
            visible: gui.lockGUI ? gui.lockGUI.showAnimatedWorkIndicator > 0 : false
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
                model: root.tiles
                delegate: AreaTile { required property var modelData; entry: modelData; screen: root }
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
                property bool shown: gui.liveImage ? gui.liveImage.visibility : false
                property string crosshair: gui.liveImage ? root.crosshairs[gui.liveImage.crossHair] || "None" : "None"
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
                    property real percent: root.percent(root.progress ? root.progress.reconstructionProgress : 0)
                    property string processing: root.progress ? root.processingStates[root.progress.reconstructionProgressState] || "" : ""
                    property string resultState: root.result ? root.reconstructionStates[root.result.reconstructionState] || "" : ""
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
                          + (root.result && root.result.reconstructionResultAutoSaved ? "   saved" : "")
                }
            }

            // The step menu; during a calibration it is the calibration's menu with its number entry.
            Rectangle {
                objectName: "calibration"
                visible: gui.cameraCalibration ? gui.cameraCalibration.visibility : false
                width: 340; height: 24
                color: "#262c33"
                Text {
                    x: 8; anchors.verticalCenter: parent.verticalCenter
                    color: "#f0f3f6"
                    text: "Camera calibration: " + (gui.cameraCalibration
                          ? (root.calibrationStates[gui.cameraCalibration.calibrationState]
                             || ("state " + gui.cameraCalibration.calibrationState)) : "")
                }
            }
            Text {
                color: "#77808b"
                text: gui.stepMenu && gui.stepMenu.stepMenuItems.count > 0 ? "Step menu" : "Step menu: no entries"
            }
            Column {
                objectName: "stepMenu"
                spacing: 2
                Repeater {
                    model: gui.stepMenu ? gui.stepMenu.stepMenuItems : null
                    delegate: StepEntry {}
                }
            }
        }

        // The side panel's tools, each with its eight actions.
        Column {
            objectName: "sidePanel"
            x: 796; y: 10
            spacing: 10
            visible: gui.sidePanel ? gui.sidePanel.toolsVisibility : false
            Repeater {
                model: gui.sidePanel ? gui.sidePanel.toolsItems.filter(tool => tool) : []
                delegate: Column {
                    required property var modelData
                    property var tool: modelData
                    property string name: root.toolName(tool)
                    spacing: 4
                    Text {
                        text: (tool.selected ? "> " : "") + name
                        color: tool.enabled ? "#f0f3f6" : "#77808b"
                        font.bold: tool.selected
                    }
                    Grid {
                        columns: 4
                        spacing: 4
                        Repeater {
                            model: tool.itemTypeToolActions
                            delegate: ScreenButton {
                                required property var modelData
                                required property int index
                                objectName: "action_" + name + "_" + index
                                width: 48
                                text: "" + index
                                visible: modelData ? modelData.visibility : false
                                enabled: modelData ? modelData.enabled : false
                                checked: modelData ? modelData.selected : false
                                onClicked: modelData.execute("command")
                            }
                        }
                    }
                }
            }
        }

        // The QR-code view model, bound by its description alone: a code typed here goes to the host as
        // if the camera had read it ("qrCode"), or names the area to scan next ("activeArea").
        Column {
            id: qrCode
            objectName: "qrCode"
            property var model: gui.qrCode
            x: 796; y: 262
            spacing: 4
            Text { text: "QR code"; color: "#77808b" }
            Rectangle {
                width: 204; height: 24
                color: "#0d1014"
                border.color: "#7fb8ea"
                TextInput {
                    id: qrText
                    objectName: "qrInput"
                    anchors.fill: parent
                    anchors.margins: 4
                    clip: true
                    color: "#f0f3f6"
                }
            }
            Row {
                spacing: 4
                ScreenButton {
                    objectName: "qrSend"; width: 100; text: "Code"
                    enabled: qrCode.model !== null
                    onClicked: qrCode.model.execute("qrCode", [qrText.text])
                }
                ScreenButton {
                    objectName: "qrArea"; width: 100; text: "Area"
                    enabled: qrCode.model !== null
                    onClicked: qrCode.model.execute("activeArea", [qrText.text])
                }
            }
        }

        // The colour calibration dialog, over everything while the engine asks.
        Rectangle {
            id: colourDialog
            objectName: "colourDialog"
            property var dialog: gui.colorCalibDialog
            visible: dialog ? dialog.visible : false
            x: 312; y: 200; width: 400; height: 110
            color: "#262c33"
            border.color: "#7fb8ea"
            Text {
                x: 12; y: 12; width: 376
                wrapMode: Text.WordWrap
                color: "#f0f3f6"
                text: parent.dialog ? parent.dialog.calibrationWaitRequest.instructionText : ""
            }
            Row {
                x: 12; y: 74
                spacing: 6
                ScreenButton { objectName: "colourOk"; text: "OK"; onClicked: colourDialog.dialog.execute("okPressed") }
                ScreenButton { objectName: "colourCancel"; text: "Cancel"; onClicked: colourDialog.dialog.execute("cancelPressed") }
                ScreenButton { objectName: "colourCustom"; text: "Custom"; onClicked: colourDialog.dialog.execute("customPressed") }
            }
        }
    }
}

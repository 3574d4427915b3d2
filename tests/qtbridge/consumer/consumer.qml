import QtQml

// Binds the reference host's view models by the names their descriptions give: reads the lock count of
// the lock-GUI view model and hands the QR-code view model a code by its command's name.
QtObject {
    Component.onCompleted: {
        console.log("QML: lock count " + gui.lockGUI.lockCount)
        console.log("QML: qrCode executed: " + gui.qrCode.execute("qrCode", ["ORX2-0042"]))
        console.log("QML: scan executed: " + gui.qrCode.execute("scan", []))
        console.log("QML: activeArea executed: " + gui.qrCode.execute("activeArea", ["UpperJaw", 1]))
    }
}

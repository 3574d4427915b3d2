#pragma once
#include "cenginethread.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

class QQmlEngine;
class QQuickWindow;

namespace Orx2Gui
{
class CAcquisitionScreen;

/// Sets up the process for the screen before the application object exists: the software scene graph
/// (the same pixels on every machine, headless included).
void PrepareGraphics();
/// Makes DejaVu Sans (always installed with the system's fonts) the application's font, loaded from its
/// file so that no font configuration can swap it. Call once the application object exists.
void UseScreenFont();

/// One running client: the engine thread with its simulator, the acquisition screen bound to it and the
/// window showing the screen. The window appears once the engine has built the simulator; the engine
/// plays its steps once the screen has bound.
///
/// Lives on the GUI thread. Destruction closes the window and the QML engine, then the screen (nothing
/// follows the view models any more), then stops the engine and waits for it while it may still be
/// publishing; the simulator dies on the engine thread.
class CScreenSession final : public QObject
{
    Q_OBJECT
public:
    explicit CScreenSession(CEngineThread::SOptions options, QObject* parent = nullptr);
    ~CScreenSession() override;
    CScreenSession(CScreenSession const&) = delete;
    CScreenSession& operator=(CScreenSession const&) = delete;

    /// Starts the engine. Throws std::system_error when its thread cannot start.
    void Start();

    /// Null until `shown(0)`.
    QQuickWindow* GetWindow() const;
    CAcquisitionScreen* GetScreen() const { return m_screen; }
    CEngineThread& GetEngine() { return *m_engine; }
    /// Renders the window as it is now (software scene graph, offscreen included).
    QImage Grab() const;

Q_SIGNALS:
    /// The screen shows step `number` (0: bound, before the first step).
    void shown(int number);
    /// The engine has played what it may and waits.
    void idle();
    /// The engine or the screen could not start; the message says why.
    void failed(QString message);

private:
    void OnReady();
    void OnStep(int number, QString const& description, QString const& error, int failedExpectations);

    CEngineThread* m_engine;
    CAcquisitionScreen* m_screen = nullptr;
    QQmlEngine* m_qml = nullptr;
    QPointer<QQuickWindow> m_window;
};
} // namespace Orx2Gui

#pragma once
#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Orx2Sim
{
class CSimulator;
}

namespace Orx2Gui
{
/// The acquisition engine of the client: a thread of its own that constructs the simulator, waits until
/// the screen has bound to it, plays a scenario step by step with a delay between steps, then idles until
/// it is stopped, and destroys the simulator on its way out. Every change of the view models therefore
/// happens on this thread, as in a scanner application.
///
/// The object lives on the GUI thread; its signals are emitted on the engine thread and reach receivers
/// of the GUI thread queued, in the order they were emitted (after what the bridge posted before them).
class CEngineThread final : public QObject
{
    Q_OBJECT
public:
    struct SOptions
    {
        std::string scenario;                     ///< a scenario file; empty: the built-in session
        std::chrono::milliseconds stepDelay{600}; ///< the pause after each step
        int lastStep = -1;                        ///< play only up to this step (1-based); -1: all
    };

    explicit CEngineThread(SOptions options, QObject* parent = nullptr);
    /// Stops the engine and waits for it (the simulator is destroyed on the engine thread).
    ~CEngineThread() override;
    CEngineThread(CEngineThread const&) = delete;
    CEngineThread& operator=(CEngineThread const&) = delete;

    /// Starts the thread once; later calls do nothing. Throws std::system_error when it cannot start.
    void Start();
    /// The screen has bound to the simulator: the engine may play. Any thread.
    void Release();
    /// Moves the last step to play (1-based; -1 all); the engine continues from where it is. Any thread.
    void SetLastStep(int lastStep);
    /// Asks the engine to stop playing and to shut down; returns at once. Any thread. The simulator must
    /// no longer be used once this has been called.
    void Stop();
    /// Stop, then wait until the thread has ended. Not from the engine thread.
    void Join();

    /// The simulator, from `ready` until Stop; null before. Any thread.
    Orx2Sim::CSimulator* GetSimulator() const;
    /// The number of steps of the scenario; known from `ready` on.
    int GetStepCount() const;

Q_SIGNALS:
    /// The simulator is built and the scenario compiled; the engine waits for Release.
    void ready();
    /// Step `number` (1-based) has been played: its notifications have been posted before this signal.
    /// `error` is empty, or why the step failed; `failedExpectations` counts the expectations that missed.
    void stepPlayed(int number, QString description, QString error, int failedExpectations);
    /// Every step has been played (or the last step asked for); the engine idles.
    void idle();
    /// The simulator could not be built or the scenario not read; the thread has ended.
    void failed(QString message);

private:
    void Run();
    /// Waits until `ready()` is true or the engine is asked to stop, at most until `until`. True to go on.
    template <class Predicate> bool WaitFor(Predicate ready, std::chrono::steady_clock::time_point until);

    SOptions const m_options;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
    bool m_stopping = false;
    int m_lastStep;
    int m_stepCount = 0;
    Orx2Sim::CSimulator* m_simulator = nullptr;
    std::thread m_thread;
};
} // namespace Orx2Gui

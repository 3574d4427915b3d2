#include "cenginethread.h"

#include "engine/csimulator.h"

#include <exception>

namespace Orx2Gui
{
CEngineThread::CEngineThread(SOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_lastStep(m_options.lastStep)
{
}

CEngineThread::~CEngineThread()
{
    Join();
}

void CEngineThread::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
}

void CEngineThread::Release()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
    }
    m_wake.notify_all();
}

void CEngineThread::SetLastStep(int lastStep)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastStep = lastStep;
    }
    m_wake.notify_all();
}

void CEngineThread::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_simulator = nullptr;
    }
    m_wake.notify_all();
}

void CEngineThread::Join()
{
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

Orx2Sim::CSimulator* CEngineThread::GetSimulator() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_simulator;
}

int CEngineThread::GetStepCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stepCount;
}

template <class Predicate>
bool CEngineThread::WaitFor(Predicate ready, std::chrono::steady_clock::time_point until)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_until(lock, until, [&] { return m_stopping || ready(); });
    return !m_stopping;
}

void CEngineThread::Run()
{
    using Clock = std::chrono::steady_clock;
    std::unique_ptr<Orx2Sim::CSimulator> simulator;
    std::vector<Orx2Sim::SCompiledStep> steps;
    try
    {
        simulator = std::make_unique<Orx2Sim::CSimulator>();
        steps = simulator->Compile(Orx2Sim::CSimulator::ReadScenario(m_options.scenario));
    }
    catch (std::exception const& error)
    {
        simulator.reset();
        Q_EMIT failed(QString::fromStdString(error.what()));
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stepCount = static_cast<int>(steps.size());
        if (!m_stopping)
            m_simulator = simulator.get();
    }
    Q_EMIT ready();
    bool playing = WaitFor([this] { return m_released; }, Clock::time_point::max());
    std::size_t next = 0;
    bool idleSent = false;
    while (playing)
    {
        auto const mayPlay = [&]
        { return next < steps.size() && (m_lastStep < 0 || static_cast<int>(next) < m_lastStep); };
        bool canPlay = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            canPlay = mayPlay();
        }
        if (!canPlay)
        {
            if (!idleSent)
                Q_EMIT idle();
            idleSent = true;
            playing = WaitFor(mayPlay, Clock::time_point::max());
            continue;
        }
        idleSent = false;
        Orx2Sim::SStepResult const result = simulator->Play(steps[next]);
        ++next;
        int missed = 0;
        for (auto const& expectation : result.expectations)
            missed += expectation.passed ? 0 : 1;
        Q_EMIT stepPlayed(static_cast<int>(next), QString::fromStdString(steps[next - 1].description),
                          QString::fromStdString(result.error), missed);
        playing = WaitFor([] { return false; }, Clock::now() + m_options.stepDelay);
    }
    simulator.reset(); // the view models die on the thread that made them
}
} // namespace Orx2Gui

#pragma once
// Internal to ORX2_Host (not exported; include only from its .cpp files, so the function-local static
// below exists once in the process): the installed-or-default instance of a replaceable process-wide
// service such as the journal or the patient manager.
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

/// Hands out the installed instance of T, or the default one while none is installed. Get() is one
/// atomic load, cheap enough for hot paths. Thread-safe; a reference from Get() stays valid until Set()
/// replaces that instance and its last other owner releases it.
template <class T> class TProcessService
{
public:
    /// `defaultInstance` must not be null.
    explicit TProcessService(std::shared_ptr<T> defaultInstance)
        : m_default(std::move(defaultInstance)), m_installed(m_default), m_current(m_default.get())
    {
    }
    TProcessService(TProcessService const&) = delete;
    TProcessService& operator=(TProcessService const&) = delete;

    /// The current instance.
    T& Get() const noexcept { return *m_current.load(std::memory_order_acquire); }

    /// Installs `instance`, or the default when empty. The replaced instance is released outside the
    /// lock, so its destructor may use this service.
    void Set(std::shared_ptr<T> instance)
    {
        std::shared_ptr<T> replaced = instance ? std::move(instance) : m_default;
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_installed.swap(replaced);
        m_current.store(m_installed.get(), std::memory_order_release);
    }

private:
    std::shared_ptr<T> const m_default;
    std::mutex m_mutex;
    std::shared_ptr<T> m_installed;
    std::atomic<T*> m_current;
};

/// The service slot for T, whose default is a TDefault made on first use. Never destroyed: static
/// objects of other libraries may still use the service while the process exits.
template <class T, class TDefault> TProcessService<T>& GetProcessService()
{
    static auto* const service = new TProcessService<T>(std::make_shared<TDefault>());
    return *service;
}

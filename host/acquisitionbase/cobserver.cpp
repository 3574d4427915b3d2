#include "host/acquisitionbase/cobserver.h"

namespace Base::Binding
{
CObserver::CObserver() noexcept = default;

CObserver::CObserver(std::unique_ptr<Internal::IObserverImpl> impl) noexcept : m_impl(std::move(impl)) {}

CObserver::CObserver(CObserver&& other) noexcept : INonCopyable(), m_impl(std::move(other.m_impl)) {}

CObserver& CObserver::operator=(CObserver&& other) noexcept
{
    if (this != &other)
    {
        Reset();
        m_impl = std::move(other.m_impl);
    }
    return *this;
}

CObserver::~CObserver() = default;

void CObserver::Reset()
{
    // Detach first: the implementation's destructor may run callbacks that look at this handle.
    std::unique_ptr<Internal::IObserverImpl> impl = std::move(m_impl);
    impl.reset();
}
} // namespace Base::Binding

#pragma once
#include "base/orx2basepool/csharedmutex.h"

namespace Base::Binding::Internal
{
/// The source-side lock of a binding source: writers for changes, readers for reads and for the
/// delivery of a change (after the writer-to-reader handover).
class CBindingSourceLocking
{
protected:
    CBindingSourceLocking() = default;
    ~CBindingSourceLocking() = default;

    CSharedMutex& GetSourceMutex() const noexcept { return m_sourceMutex; }

private:
    mutable CSharedMutex m_sourceMutex;
};
} // namespace Base::Binding::Internal

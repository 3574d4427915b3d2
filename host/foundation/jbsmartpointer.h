#pragma once
// The shared-ownership pointer of the host foundation library.
#include <memory>

/// Shared ownership of a `T`; the same semantics as std::shared_ptr, whose alias it is here.
template <class T> using JbSmartPointer = std::shared_ptr<T>;

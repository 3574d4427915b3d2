#pragma once
#include "base/orx2basepool/iarraybindingsource.h"

namespace Base::Binding
{
/// How owners expose their lists to other objects: the reads and connects of an array source.
template <class T>
class IReadOnlyArrayProperty : public IArrayBindingSource<T>
{
};
} // namespace Base::Binding

// The exported instantiations declared in tnotifypropertychangedimplexports.h.
#include "base/orx2basepool/tnotifypropertychangedimplexports.h"

#define ORX2_DEFINE_EXPORTED_NOTIFY_IMPL(I) template class TNotifyPropertyChangedImpl<I>;
namespace Base
{
ORX2_NOTIFYING_INTERFACES(ORX2_DEFINE_EXPORTED_NOTIFY_IMPL)
} // namespace Base

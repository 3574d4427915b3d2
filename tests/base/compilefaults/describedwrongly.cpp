// Compiled by CTest three times: as it is it must compile; with a getter that does not exist, or one of
// another type than the description names, it must not.
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/inotifypropertychanged.h"

namespace Base
{
class IWronglyDescribed : public INotifyPropertyChanged
{
public:
    virtual IProperty<bool> const& GetVisible() const = 0;
};

template <> struct TDescription<IWronglyDescribed> : Describe::TMembersOf<IWronglyDescribed>
{
    static constexpr auto Members()
    {
#if defined(ORX2_FAULT_RENAMED)
        return std::make_tuple(Property<bool>("Visible", &I::GetIsVisible));
#elif defined(ORX2_FAULT_OTHER_TYPE)
        return std::make_tuple(Property<int>("Visible", &I::GetVisible));
#else
        return std::make_tuple(Property<bool>("Visible", &I::GetVisible));
#endif
    }
};
} // namespace Base

int main()
{
    return static_cast<int>(Base::MemberCount<Base::IWronglyDescribed>()) - 1;
}

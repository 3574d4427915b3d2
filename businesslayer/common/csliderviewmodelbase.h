#pragma once
#include "base/orx2basepool/interfaces/isliderviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

namespace BusinessLayer
{
/// A slider: value, minimum and maximum start at 0.0 (an empty range until the configuring code sets
/// one), the small step at 5.0 and the large step at 15.0. Nothing is clamped or rejected: the five
/// numbers are stored as written. Thread-safe like every property.
class ORX2_COMMON_EXPORT CSliderViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ISliderViewModel>
{
public:
    CSliderViewModelBase();
    ~CSliderViewModelBase() override;

    /// @{
    /// The slider's properties, for the GUI and the host's code alike (see ISliderViewModel).
    Base::TProperty<double>& GetValue() override { return m_value; }
    Base::TProperty<double>& GetValueMin() override { return m_valueMin; }
    Base::TProperty<double>& GetValueMax() override { return m_valueMax; }
    Base::TProperty<double>& GetStepSmall() override { return m_stepSmall; }
    Base::TProperty<double>& GetStepLarge() override { return m_stepLarge; }
    /// @}

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<double> m_value{0.0, *this};
    Base::TProperty<double> m_valueMin{0.0, *this};
    Base::TProperty<double> m_valueMax{0.0, *this};
    Base::TProperty<double> m_stepSmall{5.0, *this};
    Base::TProperty<double> m_stepLarge{15.0, *this};
};
} // namespace BusinessLayer

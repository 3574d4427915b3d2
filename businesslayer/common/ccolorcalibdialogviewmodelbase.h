#pragma once
#include "base/orx2basepool/interfaces/icolorcalibdialogviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The colour calibration dialog's state for the GUI. The host installs the three answer commands once
/// and then moves Visible and the wait request as the engine asks; the view model never changes its own
/// properties. A new instance is invisible, with a default wait request and empty answer slots.
///
/// Thread-safety: every property may be written and read from any thread; notifications run on the
/// writing thread, and a write of an equal value (the same command pointer, an equal request) notifies
/// nobody.
class ORX2_COMMON_EXPORT CColorCalibDialogViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IColorCalibDialogViewModel>
{
public:
    /// An answer slot: the command the host installs for a button.
    using AnswerSlot = Base::IProperty<std::shared_ptr<Base::ICommand<>>>;

    CColorCalibDialogViewModelBase();
    ~CColorCalibDialogViewModelBase() override;

    AnswerSlot const& GetOKPressed() const override { return m_okPressed; }
    /// The same, with its class: for the host's code.
    AnswerSlot& GetOKPressed() { return m_okPressed; }
    AnswerSlot const& GetCancelPressed() const override { return m_cancelPressed; }
    /// The same, with its class: for the host's code.
    AnswerSlot& GetCancelPressed() { return m_cancelPressed; }
    AnswerSlot const& GetCustomPressed() const override { return m_customPressed; }
    /// The same, with its class: for the host's code.
    AnswerSlot& GetCustomPressed() { return m_customPressed; }
    Base::TProperty<bool> const& GetVisible() const override { return m_visible; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisible() { return m_visible; }
    Base::TProperty<Base::CCalibrationWaitRequest>& GetCalibrationWaitRequest() override
    {
        return m_waitRequest;
    }
    Base::TProperty<Base::CCalibrationWaitRequest> const& GetCalibrationWaitRequest() const override
    {
        return m_waitRequest;
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visible{false, *this};
    Base::TProperty<Base::CCalibrationWaitRequest> m_waitRequest{Base::CCalibrationWaitRequest(), *this};
    Base::TProperty<std::shared_ptr<Base::ICommand<>>> m_okPressed{nullptr, *this};
    Base::TProperty<std::shared_ptr<Base::ICommand<>>> m_cancelPressed{nullptr, *this};
    Base::TProperty<std::shared_ptr<Base::ICommand<>>> m_customPressed{nullptr, *this};
};
} // namespace BusinessLayer

#pragma once
#include "base/orx2basepool/interfaces/ivideomode2ddataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

namespace BusinessLayer
{
/// Holds whether the 2D video mode is allowed; true at first.
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CVideoMode2DDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::IVideoMode2DDataExchangeModel>
{
public:
    CVideoMode2DDataExchangeModel();
    ~CVideoMode2DDataExchangeModel() override;

    Base::IProperty<bool> const& GetIsVideoMode2DAllowed() const override { return m_isVideoMode2DAllowed; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsVideoMode2DAllowed() { return m_isVideoMode2DAllowed; }
    void SetIsVideoMode2DAllowed(bool allowed) override { m_isVideoMode2DAllowed.Set(allowed); }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_isVideoMode2DAllowed{true, *this};
};
} // namespace BusinessLayer

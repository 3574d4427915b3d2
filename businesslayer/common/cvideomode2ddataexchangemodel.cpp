#include "businesslayer/common/cvideomode2ddataexchangemodel.h"

namespace BusinessLayer
{
Logging::CLogger const CVideoMode2DDataExchangeModel::s_logger(L"ORX2.CVideoMode2DDataExchangeModel");

CVideoMode2DDataExchangeModel::CVideoMode2DDataExchangeModel() : m_isVideoMode2DAllowed(true, *this) {}

CVideoMode2DDataExchangeModel::~CVideoMode2DDataExchangeModel() = default;

Base::IProperty<bool> const& CVideoMode2DDataExchangeModel::GetIsVideoMode2DAllowed() const
{
    return m_isVideoMode2DAllowed;
}

Base::TProperty<bool>& CVideoMode2DDataExchangeModel::GetIsVideoMode2DAllowed()
{
    return m_isVideoMode2DAllowed;
}

void CVideoMode2DDataExchangeModel::SetIsVideoMode2DAllowed(bool allowed)
{
    m_isVideoMode2DAllowed.Set(allowed);
}
} // namespace BusinessLayer

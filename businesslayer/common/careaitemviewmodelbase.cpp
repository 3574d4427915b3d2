#include "businesslayer/common/careaitemviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CAreaItemViewModelBase::s_logger(L"ORX2.CAreaItemViewModelBase");

CAreaItemViewModelBase::CAreaItemViewModelBase()
    : m_thumbnailBar(std::make_shared<CThumbnailBarViewModelBase>())
{
}

CAreaItemViewModelBase::~CAreaItemViewModelBase() = default;
} // namespace BusinessLayer

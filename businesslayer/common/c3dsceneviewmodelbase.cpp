#include "businesslayer/common/c3dsceneviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const C3DSceneViewModelBase::s_logger(L"ORX2.C3DSceneViewModelBase");

C3DSceneViewModelBase::C3DSceneViewModelBase() = default;

C3DSceneViewModelBase::~C3DSceneViewModelBase() = default;

void C3DSceneViewModelBase::Set3dVisualizationSink(SinkPtr const& sink)
{
    m_visualizationSink.Set(sink);
}

void C3DSceneViewModelBase::TriggerThumbnailRendering() {}
} // namespace BusinessLayer

#include "reference_host/ccommonarea.h"

#include <utility>

namespace ReferenceHost
{
using BusinessLayer::EImageProcessingProgress;

CCommonArea::CCommonArea()
    : m_reconstructionResult(DataLayer::CReconstructionResult()), m_reconstructionProgress(0.0f),
      m_imageProcessingProgress(EImageProcessingProgress::eORX_RUNNING), m_contributesToModel(true),
      m_hasDataOrReco(false), m_optimizationFloat(0.0f), m_optimizationCount(0),
      m_optimizationProgress(Base::COptimizationProgress()),
      m_occlusalDirection(Base::TOptional<JbMatrix4Rf>(), m_propertyOwner)
{
}

CCommonArea::~CCommonArea() = default;

void CCommonArea::GetEntityBatch(DataLayer::CGeometricEntityBatch& batch) const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    batch = m_entities;
}

Base::Binding::IValueBindingSource<DataLayer::CReconstructionResult> const&
CCommonArea::GetReconstructionResult() const
{
    return m_reconstructionResult;
}

Base::Binding::IValueBindingSource<float> const& CCommonArea::GetReconstructionProgress() const
{
    return m_reconstructionProgress;
}

Base::Binding::IValueBindingSource<EImageProcessingProgress> const&
CCommonArea::GetImageProcessingProgress() const
{
    return m_imageProcessingProgress;
}

Base::Binding::IValueBindingSource<bool> const& CCommonArea::GetContributesToModel() const
{
    return m_contributesToModel;
}

Base::Binding::IValueBindingSource<bool> const& CCommonArea::GetHasDataOrReco() const
{
    return m_hasDataOrReco;
}

Base::Binding::IValueBindingSource<float> const& CCommonArea::GetOptimizationFloat() const
{
    return m_optimizationFloat;
}

Base::Binding::IValueBindingSource<std::uint32_t> const& CCommonArea::GetOptimizationCount() const
{
    return m_optimizationCount;
}

Base::Binding::IValueBindingSource<Base::COptimizationProgress> const&
CCommonArea::GetOptimizationProgress() const
{
    return m_optimizationProgress;
}

Base::IProperty<Base::TOptional<JbMatrix4Rf>> const& CCommonArea::GetOcclusalDirection() const
{
    return m_occlusalDirection;
}

void CCommonArea::SetOcclusalDirection(Base::TOptional<JbMatrix4Rf> direction)
{
    m_occlusalDirection.Set(direction);
}

void CCommonArea::SetImportedReconstructionResult(
    JbSmartPointer<Geometry::CTriangulation const> triangulation)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_importedTriangulation = std::move(triangulation);
}

void CCommonArea::SetImportedReconstructionAtlas(std::shared_ptr<Base::CTextureAtlasData const> atlas)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_importedAtlas = std::move(atlas);
}

void CCommonArea::SetEntityBatch(DataLayer::CGeometricEntityBatch batch)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_entities = std::move(batch);
}

void CCommonArea::SetReconstructionResult(DataLayer::CReconstructionResult const& result)
{
    m_reconstructionResult.Set(result);
}

void CCommonArea::SetReconstructionProgress(float progress)
{
    m_reconstructionProgress.Set(progress);
}

void CCommonArea::SetImageProcessingProgress(EImageProcessingProgress state)
{
    m_imageProcessingProgress.Set(state);
}

void CCommonArea::SetContributesToModel(bool contributes)
{
    m_contributesToModel.Set(contributes);
}

void CCommonArea::SetHasDataOrReco(bool hasDataOrReco)
{
    m_hasDataOrReco.Set(hasDataOrReco);
}

void CCommonArea::SetOptimizationFloat(float value)
{
    m_optimizationFloat.Set(value);
}

void CCommonArea::SetOptimizationCount(std::uint32_t value)
{
    m_optimizationCount.Set(value);
}

void CCommonArea::SetOptimizationProgress(Base::COptimizationProgress const& progress)
{
    m_optimizationProgress.Set(progress);
}

JbSmartPointer<Geometry::CTriangulation const> CCommonArea::GetImportedReconstructionResult() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_importedTriangulation;
}

std::shared_ptr<Base::CTextureAtlasData const> CCommonArea::GetImportedReconstructionAtlas() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_importedAtlas;
}
} // namespace ReferenceHost

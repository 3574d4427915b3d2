#pragma once
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "host/contracts/icommonarea.h"
#include "base/orx2basepool/csilentchangeowner.h"

#include <mutex>

namespace ReferenceHost
{
/// An in-memory scan area. The engine's side is a set of plain setters: each stores the value and, where
/// the value is a source, tells its observers when it differs (on the calling thread). Every member is
/// thread-safe. Made by CCommonAreas::InstantiateArea; reach it with CCommonAreas::GetCommonArea.
///
/// A fresh area holds no data, no reconstruction (empty result, progress 0, state eORX_RUNNING),
/// contributes to the model, has a zero optimisation state and no occlusal direction.
class CCommonArea final : public BusinessLayer::ICommonArea
{
public:
    CCommonArea();
    ~CCommonArea() override;

    // ICommonArea
    void GetEntityBatch(DataLayer::CGeometricEntityBatch& batch) const override;
    Base::Binding::IValueBindingSource<DataLayer::CReconstructionResult> const&
    GetReconstructionResult() const override;
    Base::Binding::IValueBindingSource<float> const& GetReconstructionProgress() const override;
    Base::Binding::IValueBindingSource<BusinessLayer::EImageProcessingProgress> const&
    GetImageProcessingProgress() const override;
    Base::Binding::IValueBindingSource<bool> const& GetContributesToModel() const override;
    Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco() const override;
    Base::Binding::IValueBindingSource<float> const& GetOptimizationFloat() const override;
    Base::Binding::IValueBindingSource<std::uint32_t> const& GetOptimizationCount() const override;
    Base::Binding::IValueBindingSource<Base::COptimizationProgress> const&
    GetOptimizationProgress() const override;
    Base::IProperty<Base::TOptional<JbMatrix4Rf>> const& GetOcclusalDirection() const override;
    void SetOcclusalDirection(Base::TOptional<JbMatrix4Rf> direction) override;
    void
    SetImportedReconstructionResult(JbSmartPointer<Geometry::CTriangulation const> triangulation) override;
    void SetImportedReconstructionAtlas(std::shared_ptr<Base::CTextureAtlasData const> atlas) override;

    /// @{
    /// The engine's side: sets the value the getter of the same name reads, notifying on a change.
    void SetEntityBatch(DataLayer::CGeometricEntityBatch batch);
    void SetReconstructionResult(DataLayer::CReconstructionResult const& result);
    void SetReconstructionProgress(float progress);
    void SetImageProcessingProgress(BusinessLayer::EImageProcessingProgress state);
    void SetContributesToModel(bool contributes);
    void SetHasDataOrReco(bool hasDataOrReco);
    void SetOptimizationFloat(float value);
    void SetOptimizationCount(std::uint32_t value);
    void SetOptimizationProgress(Base::COptimizationProgress const& progress);
    /// @}

    /// @{
    /// What the last SetImportedReconstructionResult / SetImportedReconstructionAtlas stored (empty
    /// before).
    JbSmartPointer<Geometry::CTriangulation const> GetImportedReconstructionResult() const;
    std::shared_ptr<Base::CTextureAtlasData const> GetImportedReconstructionAtlas() const;
    /// @}

private:
    template <class T> using Source = Base::Binding::TValueBindingSource<T>;

    Base::CSilentChangeOwner m_propertyOwner;
    Source<DataLayer::CReconstructionResult> m_reconstructionResult;
    Source<float> m_reconstructionProgress;
    Source<BusinessLayer::EImageProcessingProgress> m_imageProcessingProgress;
    Source<bool> m_contributesToModel;
    Source<bool> m_hasDataOrReco;
    Source<float> m_optimizationFloat;
    Source<std::uint32_t> m_optimizationCount;
    Source<Base::COptimizationProgress> m_optimizationProgress;
    Base::TProperty<Base::TOptional<JbMatrix4Rf>> m_occlusalDirection;

    mutable std::mutex m_mutex; // guards the three members below
    DataLayer::CGeometricEntityBatch m_entities;
    JbSmartPointer<Geometry::CTriangulation const> m_importedTriangulation;
    std::shared_ptr<Base::CTextureAtlasData const> m_importedAtlas;
};
} // namespace ReferenceHost

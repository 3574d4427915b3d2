#pragma once
// Host contract: the per-area object of an instantiated scan area.
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/toptional.h"
#include "host/values/cgeometricentitybatch.h"
#include "host/values/coptimizationprogress.h"
#include "host/values/creconstructionresult.h"
#include "host/values/ctextureatlasdata.h"
#include "host/values/ctriangulation.h"
#include "host/values/eimageprocessingprogress.h"
#include "host/values/jbmatrix4r.h"
#include "host/foundation/jbsmartpointer.h"

#include <cstdint>
#include <memory>

namespace BusinessLayer
{
/// One scan area as the acquisition engine keeps it. The host implements it; this library only calls
/// the operations below (the host's interface may have more). Every operation may be called from any
/// thread. The sources and properties returned live as long as this object; their notifications come
/// on the thread where the engine changes them.
class ICommonArea : public Base::INonCopyable
{
public:
    virtual ~ICommonArea() = default;

    /// Replaces `batch` with the geometric entities the area contains.
    virtual void GetEntityBatch(DataLayer::CGeometricEntityBatch& batch) const = 0;
    /// The area's current reconstruction result.
    virtual Base::Binding::IValueBindingSource<DataLayer::CReconstructionResult> const&
    GetReconstructionResult() const = 0;
    /// The area's reconstruction progress, a fraction from 0 to 1.
    virtual Base::Binding::IValueBindingSource<float> const& GetReconstructionProgress() const = 0;
    /// The area's image-processing state (eORX_FAIL: processing failed).
    virtual Base::Binding::IValueBindingSource<EImageProcessingProgress> const&
    GetImageProcessingProgress() const = 0;
    /// True when the area counts for the model tab and for the overall reconstruction state.
    virtual Base::Binding::IValueBindingSource<bool> const& GetContributesToModel() const = 0;
    /// True when the area holds scan data or a reconstruction.
    virtual Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco() const = 0;
    /// First field of the area's optimisation state.
    virtual Base::Binding::IValueBindingSource<float> const& GetOptimizationFloat() const = 0;
    /// Second field of the area's optimisation state.
    virtual Base::Binding::IValueBindingSource<std::uint32_t> const& GetOptimizationCount() const = 0;
    /// The area's optimisation progress.
    virtual Base::Binding::IValueBindingSource<Base::COptimizationProgress> const&
    GetOptimizationProgress() const = 0;
    /// The stored occlusal direction, empty when none was stored. Change it with SetOcclusalDirection.
    virtual Base::IProperty<Base::TOptional<JbMatrix4Rf>> const& GetOcclusalDirection() const = 0;
    /// Stores the occlusal direction (an empty value clears it).
    virtual void SetOcclusalDirection(Base::TOptional<JbMatrix4Rf> direction) = 0;
    /// Stores a triangulation that came with imported data.
    virtual void
    SetImportedReconstructionResult(JbSmartPointer<Geometry::CTriangulation const> triangulation) = 0;
    /// Stores a texture atlas that came with imported data.
    virtual void SetImportedReconstructionAtlas(std::shared_ptr<Base::CTextureAtlasData const> atlas) = 0;
};
} // namespace BusinessLayer

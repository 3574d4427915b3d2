#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarrayproperty.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/creconstructionresult.h"
#include "host/values/ctextureatlasdata.h"
#include "host/values/ctriangulation.h"
#include "host/foundation/jbsmartpointer.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// The reconstruction results of all areas, the overall reconstruction state and whether the result has
/// been saved.
class IReconstructionResultDataExchangeModel : public INotifyPropertyChanged
{
public:
    /// The state of the reconstruction as a whole (and, through the per-area query, of one area).
    enum class EReconstructionState : std::int32_t
    {
        None = 0,
        Incomplete = 1, ///< an area that counts has no reconstruction yet
        Complete = 2,
        Failed = 3,
        CompleteWithWarning = 4, ///< only from the per-area query: processing finished with a warning
    };

    ~IReconstructionResultDataExchangeModel() override = default;

    /// The latest reconstruction result per area, position = EAreaItems value. Lives as long as the model.
    virtual Binding::IArrayProperty<DataLayer::CReconstructionResult> const&
    GetTriangulationArray() const = 0;
    /// The overall state as the GUI is to see it. Lives as long as the model.
    virtual IProperty<EReconstructionState> const& GetReconstructionState() const = 0;
    /// The state of one area, derived from its image-processing state.
    virtual EReconstructionState GetReconstructionState(EAreaItems area) const = 0;
    /// Forces the overall state (until the next result changes it again).
    virtual void SetReconstructionState(EReconstructionState state) = 0;
    /// True when the current result counts as saved. Lives as long as the model.
    virtual IProperty<bool> const& GetReconstructionResultAutoSaved() const = 0;
    /// Tells the host whether the current result is saved.
    virtual void SetReconstructionResultAutoSaved(bool saved) = 0;
    /// Tells the host that an automatic save ran: the result is saved when the reconstruction is complete.
    virtual void ReconstructionResultAutoSaveExecuted() = 0;
    /// Hands an imported triangulation to `area`, instantiating the area first when allowed.
    virtual void
    SetImportedReconstructionResult(EAreaItems area,
                                    JbSmartPointer<Geometry::CTriangulation const> triangulation) = 0;
    /// Hands an imported texture atlas to `area`, instantiating the area first when allowed.
    virtual void SetImportedReconstructionAtlas(EAreaItems area,
                                                std::shared_ptr<CTextureAtlasData const> const& atlas) = 0;

private:
    /// Whether `area` may take part in the reconstruction at all; a product class can narrow it.
    virtual bool IsConsideredForReconstruction(EAreaItems area) const = 0;
};

/// What the GUI binds of `IReconstructionResultDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IReconstructionResultDataExchangeModel>
    : Describe::TMembersOf<IReconstructionResultDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<DataLayer::CReconstructionResult>("TriangulationArray", &I::GetTriangulationArray),
            Property<I::EReconstructionState>("ReconstructionState", &I::GetReconstructionState),
            AreaValue<I::EReconstructionState>("AreaReconstructionState", &I::GetReconstructionState),
            Property<bool>("ReconstructionResultAutoSaved", &I::GetReconstructionResultAutoSaved));
        // clang-format on
    }
};
} // namespace Base

#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/interfaces/ireconstructionprogressbardataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/internal/cinputversion.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace BusinessLayer
{
/// The reconstruction progress bar: follows every instantiated area's has-data-or-reconstruction flag,
/// reconstruction progress and image-processing state and condenses them into the overall progress in
/// percent (the mean over the area that reported and the other areas holding data), the latest
/// image-processing state and the set of areas that take part in the reconstruction.
///
/// The areas are re-scanned on every change of the host's area-set revision; handlers run on the thread
/// that changed the host's source and do nothing once the host's areas are gone.
/// Lifetime: every handler is bound to the model's owner guard; held through
/// Base::HoldDuringBoundCalls (the data exchange configuration does), a handler holds the model while it
/// runs, so that releasing the last other reference inside one of the model's own notifications (a
/// GUI that holds the model weakly) destroys it only after that notification has been delivered.
/// Thread-safety: every member may be called from any thread; the per-area tables are guarded by one
/// mutex, the properties guard themselves.
class ORX2_COMMON_EXPORT CCommonReconstructionProgressDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IReconstructionProgressBarDataExchangeModel>
{
public:
    /// Starts following the area set of `areas` (held weakly) and scans it once. Throws OrxException
    /// "The areas must be set" when `areas` is empty, std::bad_alloc.
    explicit CCommonReconstructionProgressDataExchangeModelBase(std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard (waiting for handlers running on other threads) and stops every handler before
    /// the tables go.
    ~CCommonReconstructionProgressDataExchangeModelBase() override;

    float GetReconstructionProgress(Base::EAreaItems area) const override;
    Base::IProperty<float> const& GetReconstructionProgress() const override;
    /// The same property, settable: for the host's code.
    Base::TProperty<float>& GetReconstructionProgress();
    Base::IProperty<EImageProcessingProgress> const& GetReconstructionProgressState() const override;
    /// The same property, settable: for the host's code.
    Base::TProperty<EImageProcessingProgress>& GetReconstructionProgressState();
    /// The number of areas that hold data and take part in the reconstruction.
    Base::IProperty<int> const& GetReconstructionAreaCount() const;
    /// The same property, settable: for the host's code.
    Base::TProperty<int>& GetReconstructionAreaCount();
    bool GetReconstructionArea(Base::EAreaItems area) const override;
    int GetGroupOfElement(Base::EAreaItems area) const override;
    int GetElementPositionInGroup(Base::EAreaItems area) const override;
    std::shared_ptr<JyBitmap> GetReconstructionBitmap(Base::EAreaItems area) const override;
    void SetReconstructionBitmap(Base::EAreaItems area, std::shared_ptr<JyBitmap> bitmap) override;

private:
    /// The instantiated areas of one scan of the area set, with their objects held weakly: the handlers
    /// of that scan walk them instead of asking the host per area and per notification (a new scan
    /// follows every change of the area set).
    struct SScannedArea
    {
        Base::EAreaItems area;
        std::weak_ptr<ICommonArea> object;
    };
    using AreaList = std::shared_ptr<std::vector<SScannedArea> const>;
    template <class T> using PerArea = std::array<T, Base::kAreaItemCount>;

    /// True for every area here.
    bool IsConsideredForReconstruction(Base::EAreaItems area) const override;

    void OnAreaSetChanged();
    void OnHasDataOrRecoChanged(AreaList const& areaList);
    void OnReconstructionProgressChanged(AreaList const& areaList, Base::EAreaItems area, float progress);

    static Logging::CLogger const s_logger;
    Internal::CInputVersion m_inputVersion; // of the has-data flags
    Base::TProperty<int> m_reconstructionAreaCount;
    Base::TProperty<float> m_reconstructionProgress;
    Base::TProperty<EImageProcessingProgress> m_reconstructionProgressState;
    std::vector<Base::CScopedEventSignalConnection> m_perAreaConnections;
    Base::Binding::CObserver m_areaSetObserver;
    std::weak_ptr<ICommonAreas> m_areas;

    mutable std::mutex m_mutex; // guards the per-area tables below
    PerArea<float> m_areaProgress{};
    PerArea<bool> m_reconstructionAreas{};
    PerArea<std::shared_ptr<JyBitmap>> m_bitmaps;
};
} // namespace BusinessLayer

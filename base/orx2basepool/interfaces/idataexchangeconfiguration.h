#pragma once
#include "base/orx2basepool/interfaces/iadminmetadatadataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareaentitycollectiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareaocclusaldirectiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareaoptimizationstatedataexchangemodel.h"
#include "base/orx2basepool/interfaces/iarearegistrationresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareasurfelcolletiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/interfaces/icolorcalibrationdataexchangemodel.h"
#include "base/orx2basepool/interfaces/idatamodificationdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iguidedarchdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iinstantiatedareadataexchangemodel.h"
#include "base/orx2basepool/interfaces/iismodeltaballoweddataexchangemodel.h"
#include "base/orx2basepool/interfaces/iisrunningexceptreconstructiondataexchangemodel.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/interfaces/ireconstructionprogressbardataexchangemodel.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iseatpositiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/ivideomode2ddataexchangemodel.h"
#include "base/orx2basepool/tdescription.h"

#include <memory>

namespace Base
{
/// The data exchange models of one acquisition, handed out by interface. Each getter returns the model
/// the configuration holds (sharing its ownership), or an empty pointer when it holds none, unless the
/// implementation says otherwise. Getters may be called from any thread once the configuration is
/// complete.
class IDataExchangeConfiguration : public INonCopyable
{
public:
    virtual ~IDataExchangeConfiguration() = default;

    /// The reconstruction result model.
    virtual std::shared_ptr<IReconstructionResultDataExchangeModel> GetTriangulationConfiguration() const = 0;
    /// The model the GUI binds as `IsModelTabAllowedDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IIsModelTabAllowedDataExchangeModel>
    GetIsModelTabAllowedDataExchangeModel() const = 0;
    /// The model the GUI binds as `CaseRequiredAreasDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<ICaseRequiredAreasDataExchangeModel>
    GetCaseRequiredAreasDataExchangeModel() const = 0;
    /// The model the GUI binds as `AreaSurfelColletionDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAreaSurfelColletionDataExchangeModel>
    GetAreaSurfelColletionDataExchangeModel() const = 0;
    /// The model the GUI binds as `BuccalRegistrationResultDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IBuccalRegistrationResultDataExchangeModel>
    GetBuccalRegistrationResultDataExchangeModel() const = 0;
    /// The model the GUI binds as `AreaRegistrationResultDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAreaRegistrationResultDataExchangeModel>
    GetAreaRegistrationResultDataExchangeModel() const = 0;
    /// The model the GUI binds as `AreaOptimizationStateDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAreaOptimizationStateDataExchangeModel>
    GetAreaOptimizationStateDataExchangeModel() const = 0;
    /// The model the GUI binds as `AreaOcclusalDirectionDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAreaOcclusalDirectionDataExchangeModel>
    GetAreaOcclusalDirectionDataExchangeModel() const = 0;
    /// The model the GUI binds as `DataModificationDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IDataModificationDataExchangeModel>
    GetDataModificationDataExchangeModel() const = 0;
    /// The model the GUI binds as `InstantiatedAreaDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IInstantiatedAreaDataExchangeModel>
    GetInstantiatedAreaDataExchangeModel() const = 0;
    /// The model the GUI binds as `ReconstructionProgressDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IReconstructionProgressBarDataExchangeModel>
    GetReconstructionProgressDataExchangeModel() const = 0;
    /// The model the GUI binds as `AreaEntityCollectionDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAreaEntityCollectionDataExchangeModel>
    GetAreaEntityCollectionDataExchangeModel() const = 0;
    /// The model the GUI binds as `GuidedArchDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IGuidedArchDataExchangeModel> GetGuidedArchDataExchangeModel() const = 0;
    /// The model the GUI binds as `SeatPositionDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<ISeatPositionDataExchangeModel> GetSeatPositionDataExchangeModel() const = 0;
    /// The model the GUI binds as `ColorCalibrationDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IColorCalibrationDataExchangeModel>
    GetColorCalibrationDataExchangeModel() const = 0;
    /// The model the GUI binds as `IsRunningExceptReconstructionDataExchangeModel`, or empty while none
    /// is held.
    virtual std::shared_ptr<IIsRunningExceptReconstructionDataExchangeModel>
    GetIsRunningExceptReconstructionDataExchangeModel() const = 0;
    /// The model the GUI binds as `AdminMetaDataDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IAdminMetaDataDataExchangeModel> GetAdminMetaDataDataExchangeModel() const = 0;
    /// The model the GUI binds as `VideoMode2DDataExchangeModel`, or empty while none is held.
    virtual std::shared_ptr<IVideoMode2DDataExchangeModel> GetVideoMode2DDataExchangeModel() const = 0;
};

/// What the GUI binds of `IDataExchangeConfiguration`, by name (see TDescription).
template <> struct TDescription<IDataExchangeConfiguration> : Describe::TMembersOf<IDataExchangeConfiguration>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ViewModel<IReconstructionResultDataExchangeModel>(
                "TriangulationConfiguration", &I::GetTriangulationConfiguration),
            ViewModel<IIsModelTabAllowedDataExchangeModel>(
                "IsModelTabAllowedDataExchangeModel", &I::GetIsModelTabAllowedDataExchangeModel),
            ViewModel<ICaseRequiredAreasDataExchangeModel>(
                "CaseRequiredAreasDataExchangeModel", &I::GetCaseRequiredAreasDataExchangeModel),
            ViewModel<IAreaSurfelColletionDataExchangeModel>(
                "AreaSurfelColletionDataExchangeModel", &I::GetAreaSurfelColletionDataExchangeModel),
            ViewModel<IBuccalRegistrationResultDataExchangeModel>(
                "BuccalRegistrationResultDataExchangeModel", &I::GetBuccalRegistrationResultDataExchangeModel),
            ViewModel<IAreaRegistrationResultDataExchangeModel>(
                "AreaRegistrationResultDataExchangeModel", &I::GetAreaRegistrationResultDataExchangeModel),
            ViewModel<IAreaOptimizationStateDataExchangeModel>(
                "AreaOptimizationStateDataExchangeModel", &I::GetAreaOptimizationStateDataExchangeModel),
            ViewModel<IAreaOcclusalDirectionDataExchangeModel>(
                "AreaOcclusalDirectionDataExchangeModel", &I::GetAreaOcclusalDirectionDataExchangeModel),
            ViewModel<IDataModificationDataExchangeModel>(
                "DataModificationDataExchangeModel", &I::GetDataModificationDataExchangeModel),
            ViewModel<IInstantiatedAreaDataExchangeModel>(
                "InstantiatedAreaDataExchangeModel", &I::GetInstantiatedAreaDataExchangeModel),
            ViewModel<IReconstructionProgressBarDataExchangeModel>(
                "ReconstructionProgressDataExchangeModel", &I::GetReconstructionProgressDataExchangeModel),
            ViewModel<IAreaEntityCollectionDataExchangeModel>(
                "AreaEntityCollectionDataExchangeModel", &I::GetAreaEntityCollectionDataExchangeModel),
            ViewModel<IGuidedArchDataExchangeModel>(
                "GuidedArchDataExchangeModel", &I::GetGuidedArchDataExchangeModel),
            ViewModel<ISeatPositionDataExchangeModel>(
                "SeatPositionDataExchangeModel", &I::GetSeatPositionDataExchangeModel),
            ViewModel<IColorCalibrationDataExchangeModel>(
                "ColorCalibrationDataExchangeModel", &I::GetColorCalibrationDataExchangeModel),
            ViewModel<IIsRunningExceptReconstructionDataExchangeModel>(
                "IsRunningExceptReconstructionDataExchangeModel", &I::GetIsRunningExceptReconstructionDataExchangeModel),
            ViewModel<IAdminMetaDataDataExchangeModel>(
                "AdminMetaDataDataExchangeModel", &I::GetAdminMetaDataDataExchangeModel),
            ViewModel<IVideoMode2DDataExchangeModel>(
                "VideoMode2DDataExchangeModel", &I::GetVideoMode2DDataExchangeModel));
        // clang-format on
    }
};
} // namespace Base

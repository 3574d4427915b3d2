#pragma once
#include "base/orx2basepool/interfaces/idataexchangeconfiguration.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// A holder of data exchange models for a product layer to fill: starts empty, and every getter returns
/// its member (an empty pointer while unset). It has no setters; a derived class assigns the members.
/// Thread-safety: getters may be called from any thread while nobody assigns the members.
class ORX2_COMMON_EXPORT CDataExchangeConfigurationBase : public Base::IDataExchangeConfiguration
{
public:
    CDataExchangeConfigurationBase();
    ~CDataExchangeConfigurationBase() override;

    // One getter per member, in the interface's order; each returns a copy of its member.
    std::shared_ptr<Base::IReconstructionResultDataExchangeModel> GetTriangulationConfiguration() const override { return m_triangulationConfiguration; }
    std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel> GetIsModelTabAllowedDataExchangeModel() const override { return m_isModelTabAllowed; }
    std::shared_ptr<Base::ICaseRequiredAreasDataExchangeModel> GetCaseRequiredAreasDataExchangeModel() const override { return m_caseRequiredAreas; }
    std::shared_ptr<Base::IAreaSurfelColletionDataExchangeModel> GetAreaSurfelColletionDataExchangeModel() const override { return m_areaSurfelCollection; }
    std::shared_ptr<Base::IBuccalRegistrationResultDataExchangeModel> GetBuccalRegistrationResultDataExchangeModel() const override { return m_buccalRegistrationResult; }
    std::shared_ptr<Base::IAreaRegistrationResultDataExchangeModel> GetAreaRegistrationResultDataExchangeModel() const override { return m_areaRegistrationResult; }
    std::shared_ptr<Base::IAreaOptimizationStateDataExchangeModel> GetAreaOptimizationStateDataExchangeModel() const override { return m_areaOptimizationState; }
    std::shared_ptr<Base::IAreaOcclusalDirectionDataExchangeModel> GetAreaOcclusalDirectionDataExchangeModel() const override { return m_areaOcclusalDirection; }
    std::shared_ptr<Base::IDataModificationDataExchangeModel> GetDataModificationDataExchangeModel() const override { return m_dataModification; }
    std::shared_ptr<Base::IInstantiatedAreaDataExchangeModel> GetInstantiatedAreaDataExchangeModel() const override { return m_instantiatedArea; }
    std::shared_ptr<Base::IReconstructionProgressBarDataExchangeModel> GetReconstructionProgressDataExchangeModel() const override { return m_reconstructionProgress; }
    std::shared_ptr<Base::IAreaEntityCollectionDataExchangeModel> GetAreaEntityCollectionDataExchangeModel() const override { return m_areaEntityCollection; }
    std::shared_ptr<Base::IGuidedArchDataExchangeModel> GetGuidedArchDataExchangeModel() const override { return m_guidedArch; }
    std::shared_ptr<Base::ISeatPositionDataExchangeModel> GetSeatPositionDataExchangeModel() const override { return m_seatPosition; }
    std::shared_ptr<Base::IColorCalibrationDataExchangeModel> GetColorCalibrationDataExchangeModel() const override { return m_colorCalibration; }
    std::shared_ptr<Base::IIsRunningExceptReconstructionDataExchangeModel> GetIsRunningExceptReconstructionDataExchangeModel() const override { return m_isRunningExceptReconstruction; }
    std::shared_ptr<Base::IAdminMetaDataDataExchangeModel> GetAdminMetaDataDataExchangeModel() const override { return m_adminMetaData; }
    std::shared_ptr<Base::IVideoMode2DDataExchangeModel> GetVideoMode2DDataExchangeModel() const override { return m_videoMode2D; }

protected:
    // NOLINTBEGIN(misc-non-private-member-variables-in-classes): a derived configuration fills them
    /// @{
    /// The models the getters hand out, in getter order; a derived class fills them.
    std::shared_ptr<Base::IReconstructionResultDataExchangeModel> m_triangulationConfiguration;
    std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel> m_isModelTabAllowed;
    std::shared_ptr<Base::ICaseRequiredAreasDataExchangeModel> m_caseRequiredAreas;
    std::shared_ptr<Base::IAreaSurfelColletionDataExchangeModel> m_areaSurfelCollection;
    std::shared_ptr<Base::IBuccalRegistrationResultDataExchangeModel> m_buccalRegistrationResult;
    std::shared_ptr<Base::IAreaRegistrationResultDataExchangeModel> m_areaRegistrationResult;
    std::shared_ptr<Base::IAreaOptimizationStateDataExchangeModel> m_areaOptimizationState;
    std::shared_ptr<Base::IAreaOcclusalDirectionDataExchangeModel> m_areaOcclusalDirection;
    std::shared_ptr<Base::IDataModificationDataExchangeModel> m_dataModification;
    std::shared_ptr<Base::IInstantiatedAreaDataExchangeModel> m_instantiatedArea;
    std::shared_ptr<Base::IReconstructionProgressBarDataExchangeModel> m_reconstructionProgress;
    std::shared_ptr<Base::IAreaEntityCollectionDataExchangeModel> m_areaEntityCollection;
    std::shared_ptr<Base::IGuidedArchDataExchangeModel> m_guidedArch;
    std::shared_ptr<Base::ISeatPositionDataExchangeModel> m_seatPosition;
    std::shared_ptr<Base::IColorCalibrationDataExchangeModel> m_colorCalibration;
    std::shared_ptr<Base::IIsRunningExceptReconstructionDataExchangeModel> m_isRunningExceptReconstruction;
    std::shared_ptr<Base::IAdminMetaDataDataExchangeModel> m_adminMetaData;
    std::shared_ptr<Base::IVideoMode2DDataExchangeModel> m_videoMode2D;
    /// @}
    // NOLINTEND(misc-non-private-member-variables-in-classes)

private:
    static Logging::CLogger const s_logger;
};
} // namespace BusinessLayer

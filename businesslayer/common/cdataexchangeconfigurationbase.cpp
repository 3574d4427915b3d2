#include "businesslayer/common/cdataexchangeconfigurationbase.h"

namespace BusinessLayer
{
Logging::CLogger const CDataExchangeConfigurationBase::s_logger(L"ORX2.CDataExchangeConfigurationBase");

CDataExchangeConfigurationBase::CDataExchangeConfigurationBase() = default;

CDataExchangeConfigurationBase::~CDataExchangeConfigurationBase() = default;

std::shared_ptr<Base::IReconstructionResultDataExchangeModel>
CDataExchangeConfigurationBase::GetTriangulationConfiguration() const
{
    return m_triangulationConfiguration;
}

std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel>
CDataExchangeConfigurationBase::GetIsModelTabAllowedDataExchangeModel() const
{
    return m_isModelTabAllowed;
}

std::shared_ptr<Base::ICaseRequiredAreasDataExchangeModel>
CDataExchangeConfigurationBase::GetCaseRequiredAreasDataExchangeModel() const
{
    return m_caseRequiredAreas;
}

std::shared_ptr<Base::IAreaSurfelColletionDataExchangeModel>
CDataExchangeConfigurationBase::GetAreaSurfelColletionDataExchangeModel() const
{
    return m_areaSurfelCollection;
}

std::shared_ptr<Base::IBuccalRegistrationResultDataExchangeModel>
CDataExchangeConfigurationBase::GetBuccalRegistrationResultDataExchangeModel() const
{
    return m_buccalRegistrationResult;
}

std::shared_ptr<Base::IAreaRegistrationResultDataExchangeModel>
CDataExchangeConfigurationBase::GetAreaRegistrationResultDataExchangeModel() const
{
    return m_areaRegistrationResult;
}

std::shared_ptr<Base::IAreaOptimizationStateDataExchangeModel>
CDataExchangeConfigurationBase::GetAreaOptimizationStateDataExchangeModel() const
{
    return m_areaOptimizationState;
}

std::shared_ptr<Base::IAreaOcclusalDirectionDataExchangeModel>
CDataExchangeConfigurationBase::GetAreaOcclusalDirectionDataExchangeModel() const
{
    return m_areaOcclusalDirection;
}

std::shared_ptr<Base::IDataModificationDataExchangeModel>
CDataExchangeConfigurationBase::GetDataModificationDataExchangeModel() const
{
    return m_dataModification;
}

std::shared_ptr<Base::IInstantiatedAreaDataExchangeModel>
CDataExchangeConfigurationBase::GetInstantiatedAreaDataExchangeModel() const
{
    return m_instantiatedArea;
}

std::shared_ptr<Base::IReconstructionProgressBarDataExchangeModel>
CDataExchangeConfigurationBase::GetReconstructionProgressDataExchangeModel() const
{
    return m_reconstructionProgress;
}

std::shared_ptr<Base::IAreaEntityCollectionDataExchangeModel>
CDataExchangeConfigurationBase::GetAreaEntityCollectionDataExchangeModel() const
{
    return m_areaEntityCollection;
}

std::shared_ptr<Base::IGuidedArchDataExchangeModel>
CDataExchangeConfigurationBase::GetGuidedArchDataExchangeModel() const
{
    return m_guidedArch;
}

std::shared_ptr<Base::ISeatPositionDataExchangeModel>
CDataExchangeConfigurationBase::GetSeatPositionDataExchangeModel() const
{
    return m_seatPosition;
}

std::shared_ptr<Base::IColorCalibrationDataExchangeModel>
CDataExchangeConfigurationBase::GetColorCalibrationDataExchangeModel() const
{
    return m_colorCalibration;
}

std::shared_ptr<Base::IIsRunningExceptReconstructionDataExchangeModel>
CDataExchangeConfigurationBase::GetIsRunningExceptReconstructionDataExchangeModel() const
{
    return m_isRunningExceptReconstruction;
}

std::shared_ptr<Base::IAdminMetaDataDataExchangeModel>
CDataExchangeConfigurationBase::GetAdminMetaDataDataExchangeModel() const
{
    return m_adminMetaData;
}

std::shared_ptr<Base::IVideoMode2DDataExchangeModel>
CDataExchangeConfigurationBase::GetVideoMode2DDataExchangeModel() const
{
    return m_videoMode2D;
}

} // namespace BusinessLayer

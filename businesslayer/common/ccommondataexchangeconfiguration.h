#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/iproperty.h"
#include "businesslayer/common/cdataexchangeconfigurationbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/ijournal.h"
#include "host/contracts/icommonacquisitionproperties.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The data exchange configuration that builds the common models itself. The host creates it right
/// after its areas and acquisition properties, completes it with the models only the host can build
/// (the model-tab model, the dynamic required areas, the guided-arch, admin-metadata and
/// colour-calibration models), binds the required-areas arrays between the models, and then hands it to
/// the GUI configuration.
///
/// Destruction releases the models in a fixed order under one journal report, so that the release is
/// recorded as one piece of work. Every model it creates or is given is handed to
/// Base::HoldDuringBoundCalls, so that a GUI may hold the models weakly and the configuration may go at
/// any moment: a model whose last other reference goes while one of its handlers runs dies after that
/// delivery, not inside it.
/// Thread-safety: set everything before the configuration is shared; from then on the getters may be
/// called from any thread. The setters are not synchronised with the getters.
class ORX2_COMMON_EXPORT CCommonDataExchangeConfiguration : public CDataExchangeConfigurationBase
{
public:
    /// Takes a journal handle and creates the fourteen common models from `properties` and `areas`;
    /// `selectedArea` is the host's property of the selected scan area, which the case required areas
    /// model writes its default active area into. Propagates what the journal and the models'
    /// constructors throw (OrxException for empty host objects, std::bad_alloc).
    CCommonDataExchangeConfiguration(std::shared_ptr<ICommonAcquisitionProperties> const& properties,
                                     std::shared_ptr<ICommonAreas> const& areas,
                                     std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea);
    /// Releases the models in their fixed order while a journal report is open.
    ~CCommonDataExchangeConfiguration() override;

    /// The model set with SetIsModelTabAllowedDataExchangeModel. Throws OrxException "The
    /// IsModelTabAllowedDEM must be set in the Builder" while none is set.
    std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel>
    GetIsModelTabAllowedDataExchangeModel() const override;

    /// @{
    /// Replaces the model it names (an empty pointer empties the slot) and releases the one held before;
    /// nothing else happens.
    void SetReconstructionResultDataExchangeModel(
        std::shared_ptr<Base::IReconstructionResultDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_triangulationConfiguration = model;
    }
    void SetIsModelTabAllowedDataExchangeModel(
        std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_isModelTabAllowed = model;
    }
    void SetAreaRegistrationResultDataExchangeModel(
        std::shared_ptr<Base::IAreaRegistrationResultDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_areaRegistrationResult = model;
    }
    void SetReconstructionProgressBarDataExchangeModel(
        std::shared_ptr<Base::IReconstructionProgressBarDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_reconstructionProgress = model;
    }
    /// Keeps the host's dynamic required areas alive with the other models (there is no getter).
    void SetDynamicRequiredAreaDataExchangeModel(std::shared_ptr<CDynamicRequiredAreasBase> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_dynamicRequiredAreas = model;
    }
    void SetGetGuidedArchDataExchangeModel(std::shared_ptr<Base::IGuidedArchDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_guidedArch = model;
    }
    void SetSeatPositionDataExchangeModel(std::shared_ptr<Base::ISeatPositionDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_seatPosition = model;
    }
    void
    SetAdminMetaDataDataExchangeModel(std::shared_ptr<Base::IAdminMetaDataDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_adminMetaData = model;
    }
    void SetColorCalibrationDataExchangeModel(
        std::shared_ptr<Base::IColorCalibrationDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_colorCalibration = model;
    }
    void SetIsRunningExceptReconstructionDataExchangeModel(
        std::shared_ptr<Base::IIsRunningExceptReconstructionDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_isRunningExceptReconstruction = model;
    }
    void SetVideoMode2DDataExchangeModel(std::shared_ptr<Base::IVideoMode2DDataExchangeModel> const& model)
    {
        Base::HoldDuringBoundCalls(model);
        m_videoMode2D = model;
    }
    /// @}

private:
    static Logging::CLogger const s_logger;

    std::shared_ptr<Base::CJournalHandle> const m_journalHandle;
    std::shared_ptr<CDynamicRequiredAreasBase> m_dynamicRequiredAreas;
};
} // namespace BusinessLayer

// What a host does with ORX2_Common, in miniature: a property owner of its own with an observer, the
// library's models on the reference host, and a registered command executed by name as a GUI or a
// script would. Prints what it sees; .ci/package compares it with expected_output.txt.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/orx2common.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/cmemorypatientmanager.h"
#include "host/foundation/jbstringconversion.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/makestandaloneproperty.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

namespace
{
class IScanStatus : public Base::INotifyPropertyChanged
{
};

/// The program's own property owner.
class CScanStatus final : public Base::TNotifyPropertyChangedImpl<IScanStatus>
{
public:
    Base::TProperty<int>& GetProgress() { return m_progress; }

private:
    Base::TProperty<int> m_progress{0, *this};
};

std::string AreaName(Base::EAreaItems area)
{
    return JbNarrowUtf8(Base::GetAreaName(area));
}
} // namespace

int main()
{
    using Base::EAreaItems;
    using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;

    std::cout << "ORX2_Common " << BusinessLayer::GetLibraryVersion() << ", compiled against "
              << ORX2_COMMON_VERSION << "\n";

    // A property owner and a GUI stand-in listening to its PropertyChanged.
    CScanStatus status;
    int notifications = 0;
    Base::CScopedEventSignalConnection const gui = status.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([&] { ++notifications; }));
    for (int progress : {10, 10, 50}) // the repeated 10 notifies nobody
        status.GetProgress().Set(progress);
    std::cout << "progress " << status.GetProgress().Get() << " after " << notifications
              << " notifications\n";

    // The host's objects from the reference host, and the library's models made from them.
    auto const patientManager = std::make_shared<Base::CMemoryPatientManager>();
    Base::SetPatientManager(patientManager);
    auto const properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    auto const selectedArea = ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    auto configuration =
        std::make_shared<BusinessLayer::CCommonDataExchangeConfiguration>(properties, areas, selectedArea);

    // An observer of the host's selected area, which the case model writes.
    Base::Binding::TValueChangedObserver<EAreaItems> const selectionObserver(
        *selectedArea, [](EAreaItems area) { std::cout << "selected area: " << AreaName(area) << "\n"; });

    // The case model's update command, found by name in the registry and executed.
    auto const update = std::dynamic_pointer_cast<Base::ICommand<std::vector<Level>>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
            L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel"));
    if (!update)
    {
        std::cout << "the update command is not registered\n";
        return 1;
    }
    std::vector<Level> levels(Base::kAreaItemCount, Level(0));
    levels[static_cast<std::size_t>(EAreaItems::UpperJaw)] = Level(2);
    update->Execute(levels);
    auto const caseModel = configuration->GetCaseRequiredAreasDataExchangeModel();
    std::cout << "default active area: " << AreaName(caseModel->GetDefaultActiveArea().Get()) << "\n";
    for (auto const& record : patientManager->GetRecordedCommands())
        std::cout << "recorded: " << JbNarrowUtf8(record.commandName) << ", " << record.argumentBytes.size()
                  << " argument bytes\n";

    // The GUI creates an area through the library; the reference host has it.
    configuration->GetInstantiatedAreaDataExchangeModel()->InstantiateArea(EAreaItems::UpperJaw);
    std::cout << "UpperJaw instantiated: " << (areas->IsAreaInstantiated(EAreaItems::UpperJaw) ? "yes" : "no")
              << "\n";

    configuration.reset();
    Base::SetPatientManager(nullptr);
    return std::strcmp(BusinessLayer::GetLibraryVersion(), ORX2_COMMON_VERSION) == 0 ? 0 : 1;
}

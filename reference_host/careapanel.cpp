#include "reference_host/careapanel.h"

namespace ReferenceHost
{
CAreaPanel::CAreaPanel(std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea)
    : m_commands(selectedArea), m_areaViewModel(std::make_shared<CAreaViewModel>(selectedArea)),
      m_trash(std::make_shared<BusinessLayer::CTrashViewModelBase>())
{
    auto const& items = m_areaViewModel->GetAreaItemViewModels();
    for (std::size_t i = 0; i < m_thumbnails.size(); ++i)
    {
        m_thumbnails[i] = std::make_unique<CThumbnailSource>(static_cast<Base::EAreaItems>(i));
        m_thumbnails[i]->Fill(*items[i]->GetThumbnailBarConfiguartion());
    }
    m_commands.Install(*m_areaViewModel);
    m_commands.Install(*m_trash);
    m_areaViewModel->GetVisibility().Set(true);
    for (auto const& item : items)
    {
        item->GetVisibility().Set(true);
        item->GetIsEnabled().Set(true);
    }
}

CAreaPanel::~CAreaPanel() = default;
} // namespace ReferenceHost

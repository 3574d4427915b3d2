#include "cpropertycatalog.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/ieventsignalhandler.h"

#include <stdexcept>
#include <utility>

namespace Orx2Sim
{
std::size_t CPropertyCatalog::AddSource(std::string label, std::string event, Subscribe subscribe,
                                        void const* identity)
{
    for (std::size_t index = 0; index < m_sources.size(); ++index)
        if (identity != nullptr && m_sources[index].identity == identity && m_sources[index].event == event)
            return index;
    m_sources.push_back(SSource{std::move(label), std::move(event), std::move(subscribe), identity});
    return m_sources.size() - 1;
}

std::shared_ptr<void> Observe(Base::INotifyPropertyChanged const& owner, Notify notify)
{
    return std::make_shared<Base::CScopedEventSignalConnection>(owner.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([notify = std::move(notify)] { notify(); })));
}

std::size_t CPropertyCatalog::AddNotifySource(std::string label, Base::INotifyPropertyChanged const& owner)
{
    return AddSource(
        std::move(label), "PropertyChanged", [&owner](Notify notify) { return Observe(owner, std::move(notify)); },
        &owner);
}

void CPropertyCatalog::AddProperty(std::string name, std::size_t source, Reader read, std::string help)
{
    AddProperty(std::move(name), std::vector<std::size_t>{source}, std::move(read), std::move(help));
}

void CPropertyCatalog::AddProperty(std::string name, std::vector<std::size_t> sources, Reader read,
                                   std::string help)
{
    for (std::size_t const source : sources)
        if (source >= m_sources.size())
            throw std::logic_error("property " + name + " names an unknown source");
    if (Find(name) != nullptr)
        throw std::logic_error("property " + name + " is declared twice");
    m_properties.push_back(SProperty{std::move(name), std::move(sources), std::move(read), std::move(help)});
}

CPropertyCatalog::SProperty const* CPropertyCatalog::Find(std::string_view name) const
{
    for (SProperty const& property : m_properties)
        if (property.name == name)
            return &property;
    return nullptr;
}

std::optional<std::size_t> CPropertyCatalog::FindSource(std::string_view label) const
{
    for (std::size_t index = 0; index < m_sources.size(); ++index)
        if (m_sources[index].label == label)
            return index;
    return std::nullopt;
}
} // namespace Orx2Sim

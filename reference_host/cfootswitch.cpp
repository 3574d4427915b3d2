#include "reference_host/cfootswitch.h"

#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/tcommandslot.h"
#include "host/acquisitionbase/ccommandregistry.h"

#include <memory>

namespace ReferenceHost
{
namespace
{
bool ExecuteKeyCommand(wchar_t const* name, unsigned int key, unsigned int keyData)
{
    auto const command = std::dynamic_pointer_cast<Base::ICommand<unsigned int, unsigned int>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(name));
    return Base::ExecuteIfSet(command, key, keyData);
}
} // namespace

bool CFootSwitch::Press() const
{
    return ExecuteKeyCommand(L"CGuiConfigurationBase.KeyPressed", m_key, m_keyData);
}

bool CFootSwitch::Release() const
{
    return ExecuteKeyCommand(L"CGuiConfigurationBase.KeyReleased", m_key, m_keyData);
}
} // namespace ReferenceHost

#pragma once
#include "host/foundation/virtualkeycodes.h"

namespace ReferenceHost
{
/// The foot switch of the scanner: pressing and releasing it executes the GUI configuration's key
/// commands "CGuiConfigurationBase.KeyPressed" and "CGuiConfigurationBase.KeyReleased", found by name
/// in the process-wide registry at each press, with the switch's key and key data. It reaches the
/// engine only as those key events, exactly as the keyboard does.
///
/// The key is set at construction; by default it is the space bar, so the switch starts and stops the
/// acquisition through the service's dedicated key. Immutable; thread-safe.
class CFootSwitch
{
public:
    /// The key of a foot switch made without one.
    static constexpr unsigned int kDefaultKey = VirtualKey::kSpace;

    /// A foot switch sending `key` with `keyData`.
    explicit CFootSwitch(unsigned int key = kDefaultKey, unsigned int keyData = 0) noexcept
        : m_key(key), m_keyData(keyData)
    {
    }

    /// @{
    /// Execute the registered key command with (key, key data) and drop its result. Return false,
    /// doing nothing, while no command of that name and type is registered. Throw what the command
    /// throws.
    bool Press() const;
    bool Release() const;
    /// @}

    /// The key it sends.
    unsigned int GetKey() const noexcept { return m_key; }
    /// The key data it sends.
    unsigned int GetKeyData() const noexcept { return m_keyData; }

private:
    unsigned int m_key;
    unsigned int m_keyData;
};
} // namespace ReferenceHost

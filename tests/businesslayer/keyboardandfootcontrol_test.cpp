// Keys reaching the acquisition service: the key table, the three key commands and the service's lifetime.
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cfootswitch.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/icapturekeysviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

namespace
{
using ReferenceHost::CAcquisitionService;
using Call = CAcquisitionService::SKeyCall;
using Kind = CAcquisitionService::EKeyKind;
constexpr unsigned kData = 0xFFFFFFFFU;

class KeyboardAndFootControl : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        configuration = std::make_unique<ReferenceHost::CGuiConfiguration>();
        configuration->setupKeyboardAndFootControl(service);
    }
    void TearDown() override
    {
        configuration.reset();
        CommandEnvironment::TearDown();
    }
    /// The key commands as the GUI reaches them.
    void Key(bool pressed, unsigned key)
    {
        auto const keys = configuration->GetCaptureKeysConfiguration().Get();
        (pressed ? keys->GetKeyPressedCommand() : keys->GetKeyReleasedCommand()).Get()->Execute(key, kData);
    }

    std::shared_ptr<CAcquisitionService> service = std::make_shared<CAcquisitionService>();
    std::unique_ptr<ReferenceHost::CGuiConfiguration> configuration;
};

/// What one press or release does: 'D' dedicated, 'G' generic, '-' nothing.
std::vector<Call> Expected(char what, unsigned key, bool pressed)
{
    if (what == '-')
        return {};
    return {what == 'D' ? Call{Kind::Dedicated, 0, 0, pressed, 0}
                        : Call{Kind::Generic, key, kData, pressed, 0}};
}
} // namespace

TEST_F(KeyboardAndFootControl, EveryKeyReachesTheServiceAsTheKeyTableSays)
{
    struct SKey
    {
        unsigned key;
        char press, release;
    } const keys[] = {{0, 'G', 'G'},          {31, 'G', 'G'},  {32, 'D', 'D'},  {33, 'G', 'G'},
                      {106, 'G', 'G'},        {107, 'D', 'G'}, {108, 'G', 'G'}, {109, 'G', 'D'},
                      {110, 'G', 'G'},        {116, 'G', 'G'}, {117, '-', '-'}, {118, '-', '-'},
                      {119, '-', '-'},        {120, '-', '-'}, {121, 'G', 'G'}, {186, 'G', 'G'},
                      {187, 'D', 'G'},        {188, 'G', 'G'}, {189, 'G', 'D'}, {190, 'G', 'G'},
                      {0xFFFFFFFFU, 'G', 'G'}};
    Orx2Test::GuiProbe probe;
    for (SKey const& row : keys)
    {
        for (bool const pressed : {true, false})
        {
            SCOPED_TRACE(std::to_string(row.key) + (pressed ? " pressed" : " released"));
            char const what = pressed ? row.press : row.release;
            Key(pressed, row.key);
            EXPECT_EQ(Expected(what, row.key, pressed), service->TakeCalls());
            std::vector<std::wstring> commands{pressed ? L"CGuiConfigurationBase.KeyPressed"
                                                       : L"CGuiConfigurationBase.KeyReleased"};
            if (what == 'G')
                commands.push_back(L"CGuiConfigurationBase.GenericKeyPressed");
            auto const step = probe.Take();
            EXPECT_EQ(commands, step.commands);
            EXPECT_TRUE(step.guiLockCounts.empty());
        }
    }
    auto const counts = service->GetResultCounts();
    EXPECT_EQ((CAcquisitionService::SResultCounts{counts.made, counts.made, 0, 0}), counts)
        << "results must be released at once and never waited on";
}

TEST_F(KeyboardAndFootControl, TheGenericCommandByNameSkipsNoKey)
{
    auto const generic = std::dynamic_pointer_cast<Base::ICommand<unsigned, unsigned, bool>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
            L"CGuiConfigurationBase.GenericKeyPressed"));
    ASSERT_TRUE(generic);
    generic->Execute(118, 7, true);
    EXPECT_EQ((std::vector<Call>{{Kind::Generic, 118, 7, true, 0}}), service->TakeCalls());
}

TEST_F(KeyboardAndFootControl, ASecondSetupReplacesTheKeysAndAGoneServiceIsNeitherCalledNorKept)
{
    auto second = std::make_shared<CAcquisitionService>();
    configuration->setupKeyboardAndFootControl(second);
    ReferenceHost::CFootSwitch const footSwitch;
    EXPECT_TRUE(footSwitch.Press());
    Key(true, 'A');
    EXPECT_TRUE(service->GetCalls().empty());
    EXPECT_EQ((std::vector<Call>{{Kind::Dedicated, 0, 0, true, 0}, {Kind::Generic, 'A', kData, true, 0}}),
              second->GetCalls());

    std::weak_ptr<CAcquisitionService> const gone = second;
    second.reset();
    EXPECT_TRUE(gone.expired()) << "the key commands keep the service alive";
    Orx2Test::GuiProbe probe;
    EXPECT_NO_THROW(Key(true, 'A'));
    EXPECT_NO_THROW(footSwitch.Release());
    EXPECT_EQ((std::vector<std::wstring>{L"CGuiConfigurationBase.KeyPressed",
                                         L"CGuiConfigurationBase.KeyReleased"}),
              probe.Take().commands);
}

TEST_F(KeyboardAndFootControl, KeysPressedWhileAnotherThreadDestroysTheService)
{
    std::weak_ptr<CAcquisitionService> const weak = service;
    auto const keys = configuration->GetCaptureKeysConfiguration().Get()->GetKeyPressedCommand().Get();
    Orx2Test::Gate started;
    Orx2Test::ScopedThread presser(
        [&]
        {
            for (unsigned i = 0; i < 2000; ++i)
            {
                keys->Execute(i % 2 == 0 ? 32U : 65U, i);
                if (i == 10)
                    started.Open();
            }
        });
    ASSERT_TRUE(started.Wait());
    service.reset();
    presser.Join();
    EXPECT_TRUE(weak.expired());
}

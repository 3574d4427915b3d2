// Replays serialized command arguments from arbitrary bytes, for every argument list that serializable
// commands use.
//
// Input: one selector byte, then the argument bytes. The selector picks the argument list (modulo 5)
// and whether the bytes go to Execute(blob) directly or through ReplayRecordedCommands. Either the
// arguments decode, the action runs with them and encoding them again gives back the input, or
// OrxException is thrown (a failure record for the replay) and nothing runs. No single allocation may
// exceed a small multiple of the input.
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "fuzzcheck.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbsingleton.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "host/foundation/orxexception.h"
#include "host/acquisitionbase/replayrecordedcommands.h"


#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace Base;

namespace
{
using Level = ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using Levels = std::vector<Level>;
using Bytes = std::vector<unsigned char>;

/// The largest single allocation made while tracking is on. The hooks run for every allocation of the
/// process (libFuzzer's own included), so they only look while an input is being executed.
struct AllocationWatch
{
    static inline bool tracking = false;
    static inline std::size_t largest = 0;

    static void OnMalloc(void const volatile*, std::size_t size)
    {
        if (tracking && size > largest)
            largest = size;
    }
    static void OnFree(void const volatile*) {}
};

/// Keeps only the last recorded execution, so that memory stays flat over millions of inputs.
class LastRecord final : public IPatientManager, public ICommandRecorder
{
public:
    ICommandRecorder& GetCommandRecorder() override { return *this; }
    void RecordSerializedExecution(ICommandBase const&, std::uint32_t, Bytes const& argumentBytes) override
    {
        ++started;
        bytes = argumentBytes;
    }
    void RecordExecutionFinished(ICommandBase const&, std::uint32_t) override { ++finished; }

    Bytes bytes;
    std::size_t started = 0;
    std::size_t finished = 0;
};

template <class... Values> Bytes Encode(Values const&... values)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    CORXStreamWriteBinaryLegacy writer(buffer);
    static_cast<void>((writer << ... << values));
    return buffer->GetBytes();
}

/// What the last action received, encoded again.
struct Received
{
    bool ran = false;
    Bytes encoded;
    bool replacedText = false; // a decoded text holds U+FFFD, which an unpaired surrogate turns into

    template <class... Values> void Take(Values const&... values)
    {
        ran = true;
        encoded = Encode(values...);
        replacedText = (HasReplacement(values) || ...);
    }

private:
    static bool HasReplacement(CStringW const& text)
    {
        return text.GetStdString().find(L'\xFFFD') != std::wstring::npos;
    }
    template <class T> static bool HasReplacement(T const&) { return false; }
};

/// The commands, one per argument list, made and registered once.
struct Commands
{
    std::shared_ptr<LastRecord> recorder = std::make_shared<LastRecord>();
    Received received;
    std::vector<std::shared_ptr<ICommandBase>> all;

    Commands()
    {
        SetPatientManager(recorder);
        all.push_back(MakeRegisteredCommand<TSerializableCommand<void>>([this] { received.Take(); },
                                                                        L"fuzz.None", false));
        all.push_back(MakeRegisteredCommand<TSerializableCommand<void, bool>>(
            [this](bool value) { received.Take(value); }, L"fuzz.Bool", true));
        all.push_back(MakeRegisteredCommand<TSerializableCommand<void, CStringW>>(
            [this](CStringW text) { received.Take(text); }, L"fuzz.Text", false));
        all.push_back(MakeRegisteredCommand<TSerializableCommand<void, Levels>>(
            [this](Levels levels) { received.Take(levels); }, L"fuzz.Levels", false));
        all.push_back(MakeRegisteredCommand<TSerializableCommand<void, CStringW const&, Levels const&>>(
            [this](CStringW const& text, Levels const& levels) { received.Take(text, levels); },
            L"fuzz.TextAndLevels", true));
        __sanitizer_install_malloc_and_free_hooks(&AllocationWatch::OnMalloc, &AllocationWatch::OnFree);
    }
};

Commands& GetCommands()
{
    static Commands commands;
    return commands;
}

/// Executes `command` with `blob`, directly or as a one-record replay; true when the arguments decoded
/// and the action ran.
bool Execute(ICommandBase& command, Bytes const& blob, bool throughReplay)
{
    if (throughReplay)
    {
        SRecordedCommand record;
        record.commandName = command.GetName();
        record.argumentBytes = blob;
        record.finished = true;
        SReplayReport const report = ReplayRecordedCommands({record});
        ORX2_FUZZ_CHECK(report.executedCount + report.failures.size() == 1);
        if (report.executedCount == 1)
            return true;
        ORX2_FUZZ_CHECK(report.failures[0].reason == EReplayFailure::ExecutionFailed);
        ORX2_FUZZ_CHECK(!report.failures[0].message.empty());
        return false;
    }
    try
    {
        command.Execute(blob)->Wait();
        return true;
    }
    catch (OrxException const& error)
    {
        ORX2_FUZZ_CHECK(!error.GetMessage().empty());
        return false;
    }
}

/// Runs one execution and checks everything it must guarantee; returns the bytes the action's
/// arguments encode to (empty when nothing decoded).
Bytes CheckOne(Commands& commands, ICommandBase& command, Bytes const& blob, bool throughReplay)
{
    commands.received = Received();
    std::size_t const startedBefore = commands.recorder->started;
    std::size_t const finishedBefore = commands.recorder->finished;

    AllocationWatch::largest = 0;
    AllocationWatch::tracking = true;
    bool const decoded = Execute(command, blob, throughReplay);
    AllocationWatch::tracking = false;
    // Decoding allocates in proportion to what the bytes really hold (a count is checked against the
    // bytes left first); formatting an exception message takes a fixed buffer of 8192 wide characters.
    ORX2_FUZZ_CHECK(AllocationWatch::largest <= 4 * blob.size() + 64 * 1024);

    if (!decoded)
    {
        // Nothing runs, nothing is recorded for bytes that do not decode.
        ORX2_FUZZ_CHECK(!commands.received.ran);
        ORX2_FUZZ_CHECK(commands.recorder->started == startedBefore);
        return Bytes();
    }
    ORX2_FUZZ_CHECK(commands.received.ran);
    ORX2_FUZZ_CHECK(commands.recorder->started == startedBefore + 1);
    ORX2_FUZZ_CHECK(commands.recorder->finished == finishedBefore + 1);
    // The command records its arguments exactly as they encode.
    ORX2_FUZZ_CHECK(commands.recorder->bytes == commands.received.encoded);
    return commands.received.encoded;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Commands& commands = GetCommands();
    std::size_t const which = data[0] % commands.all.size();
    bool const throughReplay = (data[0] / commands.all.size()) % 2 == 1;
    ICommandBase& command = *commands.all[which];
    Bytes const blob(data + 1, data + size);

    Bytes const encoded = CheckOne(commands, command, blob, throughReplay);
    if (encoded.empty() && !commands.received.ran)
        return 0;
    if (encoded == blob)
        return 0;
    // The one lossy step of the format: an unpaired surrogate reads as U+FFFD. The text keeps its length
    // in UTF-16 units, and what was decoded once decodes to itself.
    ORX2_FUZZ_CHECK(commands.received.replacedText);
    ORX2_FUZZ_CHECK(encoded.size() == blob.size());
    ORX2_FUZZ_CHECK(CheckOne(commands, command, encoded, throughReplay) == encoded);
    return 0;
}

// A random sequence of array edits, decoded from the input, applied to a TArrayProperty<int> and to a
// plain std::vector model (the one the unit tests use). After every edit the property, the model, a full-array observer's mirror
// and the mirror of an observer bound through a proxy must agree, and the property must have notified
// exactly when the edit changed something (Set always notifies).
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "fuzzcheck.h"
#include "support/arraymodel.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using namespace Base::Binding;

namespace
{
/// Past this size only removals are decoded, so that a run stays fast.
constexpr std::size_t kMaxSize = 64;
/// Indices reach this far beyond the end, to exercise gap filling and removals past the end.
constexpr std::size_t kIndexSlack = 4;
constexpr std::size_t kMaxCount = 6;

using Model = std::vector<int>;
using Orx2Test::ArrayEdit;

ArrayEdit DecodeEdit(FuzzedDataProvider& input, std::size_t size)
{
    ArrayEdit edit;
    edit.kind = input.ConsumeIntegralInRange<int>(0, 10);
    if (size >= kMaxSize && edit.kind < 7)
        edit.kind = 7 + edit.kind % 4; // a removal instead
    edit.index = input.ConsumeIntegralInRange<std::size_t>(0, size + kIndexSlack);
    // The end of a removed range: before the start (nothing happens), a little after it, or unbounded.
    std::size_t const span = input.ConsumeIntegralInRange<std::size_t>(0, 2 * kMaxCount + 1);
    if (span <= 1)
        edit.last = span == 0 ? SIZE_MAX : edit.index - std::min<std::size_t>(edit.index, 1);
    else
        edit.last = edit.index + span - 2;
    // Few distinct values, so that Set often meets equal elements.
    edit.value = input.ConsumeIntegralInRange<int>(-2, 2);
    std::size_t const count =
        input.ConsumeIntegralInRange<std::size_t>(0, edit.kind == 0 ? size + kMaxCount : kMaxCount);
    for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i)
        edit.values.push_back(input.ConsumeIntegralInRange<int>(-2, 2));
    return edit;
}

/// Checks a notification's own shape: parallel lists, ascending positions, never an insertion together
/// with a removal, and removal positions only with kind 2.
void CheckShape(ArrayChangedNotification<int> const& notification)
{
    ORX2_FUZZ_CHECK(notification.status == 0);
    ORX2_FUZZ_CHECK(notification.changedIndices.size() == notification.changedValues.size());
    ORX2_FUZZ_CHECK(notification.insertedIndices.size() == notification.insertedValues.size());
    ORX2_FUZZ_CHECK(std::is_sorted(notification.insertedIndices.begin(), notification.insertedIndices.end()));
    ORX2_FUZZ_CHECK(std::adjacent_find(notification.removedIndices.begin(), notification.removedIndices.end(),
                                       [](std::size_t a, std::size_t b)
                                       { return a >= b; }) == notification.removedIndices.end());
    bool const removes = notification.removalKind != EArrayRemovalKind::None;
    ORX2_FUZZ_CHECK(!(removes && !notification.insertedIndices.empty()));
    ORX2_FUZZ_CHECK(notification.removedIndices.empty() ||
                    notification.removalKind == EArrayRemovalKind::Indices);
    if (notification.removalKind == EArrayRemovalKind::Indices)
        ORX2_FUZZ_CHECK(!notification.removedIndices.empty());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    auto array = std::make_unique<TArrayProperty<int>>();
    TArrayProperty<int> const* const source = array.get();
    bool ending = false;
    Model model;

    Model mirror;
    std::size_t notifications = 0;
    std::size_t mirrorCalls = 0;
    // Inside the callback the source holds its reader lock: the mirror must equal what it reads.
    TArrayObserver<int> full =
        MakeFullArrayObserver(*array,
                              [&](std::vector<int> const& values)
                              {
                                  ORX2_FUZZ_CHECK(ending || values == source->GetValues());
                                  mirror = values;
                                  ++mirrorCalls;
                              });
    TArrayObserver<int> changes =
        MakeArrayChangeObserver(*array,
                                [&](ArrayChangedNotification<int> const& notification)
                                {
                                    CheckShape(notification);
                                    ++notifications;
                                });
    TArrayBindingSourceProxy<int> proxy;
    proxy.Bind(*array);
    Model proxied;
    TArrayObserver<int> throughProxy =
        MakeFullArrayObserver(proxy, [&proxied](std::vector<int> const& values) { proxied = values; });
    ORX2_FUZZ_CHECK(notifications == 1 && mirrorCalls == 1 && mirror.empty() && proxied.empty());

    while (input.remaining_bytes() > 0)
    {
        ArrayEdit const edit = DecodeEdit(input, model.size());
        std::size_t const before = notifications;
        bool const notifies = edit.ApplyTo(model);
        edit.ApplyTo(*array);
        ORX2_FUZZ_CHECK(notifications == before + (notifies ? 1 : 0));
        ORX2_FUZZ_CHECK(array->GetValues() == model);
        ORX2_FUZZ_CHECK(array->GetSize() == model.size());
        ORX2_FUZZ_CHECK(mirror == model);
        ORX2_FUZZ_CHECK(proxied == model);
        if (!model.empty())
            ORX2_FUZZ_CHECK(array->GetAt(model.size() - 1).value() == model.back());
        ORX2_FUZZ_CHECK(!array->GetAt(model.size()).HasValue());
    }

    // The end of the source empties every mirror, the proxy's included, and the proxy reads as empty.
    std::size_t const before = notifications;
    ending = true;
    array.reset();
    ORX2_FUZZ_CHECK(notifications == before + 1);
    ORX2_FUZZ_CHECK(mirror.empty());
    ORX2_FUZZ_CHECK(proxied.empty());
    ORX2_FUZZ_CHECK(proxy.GetValues().empty());
    return 0;
}

#include "bridge/carraylistmodel.h"

#include "bridgetestkit.h"
#include "support/arraymodel.h"

#include "base/orx2basepool/tarrayproperty.h"

#include <QAbstractItemModelTester>
#include <QPointer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace Orx2GuiTest
{
namespace
{
using Orx2Gui::CArrayListModel;
using IntArray = Base::Binding::TArrayProperty<int>;

std::unique_ptr<CArrayListModel> MakeModel(std::shared_ptr<IntArray> const& array)
{
    return std::unique_ptr<CArrayListModel>(Orx2Gui::MakeArrayListModel<int>(
        *array, array, {"value"}, [](int const& v) { return QVariantMap{{"value", v}}; }, nullptr));
}

std::vector<int> Rows(CArrayListModel const& model)
{
    std::vector<int> rows;
    for (int i = 0; i < model.count(); ++i)
        rows.push_back(model.get(i).value("value").toInt());
    return rows;
}

/// Row signals of one kind each.
struct SSignals
{
    int changed, inserted, removed, reset;
    bool operator==(SSignals const& o) const
    {
        return changed == o.changed && inserted == o.inserted && removed == o.removed && reset == o.reset;
    }
};

struct SEditCase
{
    char const* name;
    std::vector<int> initial;
    std::function<void(std::shared_ptr<IntArray>&)> edit; // runs on an engine thread
    SSignals expected;
};

TEST(ArrayListModel, EachEditBecomesTheMatchingRowSignals)
{
    std::vector<SEditCase> const cases = {
        {"Set replaces one", {1, 2, 3}, [](auto& a) { a->Set({1, 9, 3}); }, {1, 0, 0, 0}},
        {"Set shorter", {1, 2, 3}, [](auto& a) { a->Set({1, 9}); }, {1, 0, 1, 0}},
        {"SetAt past the end", {1, 2}, [](auto& a) { a->SetAt(5, 7); }, {0, 1, 0, 0}},
        {"Insert", {1, 2, 3}, [](auto& a) { a->Insert(1, 8); }, {0, 1, 0, 0}},
        {"Append", {1}, [](auto& a) { a->Append({4, 5}); }, {0, 1, 0, 0}},
        {"RemoveRange", {1, 2, 3, 4}, [](auto& a) { a->RemoveRange(1, 3); }, {0, 0, 1, 0}},
        {"RemoveLast", {1, 2}, [](auto& a) { a->RemoveLast(); }, {0, 0, 1, 0}},
        {"Clear", {1, 2}, [](auto& a) { a->Clear(); }, {0, 0, 0, 1}},
        {"source destroyed", {1, 2}, [](auto& a) { a.reset(); }, {0, 0, 0, 1}},
    };
    for (SEditCase const& row : cases)
    {
        SCOPED_TRACE(row.name);
        auto array = std::make_shared<IntArray>();
        array->Set(row.initial);
        auto const model = MakeModel(array);
        QAbstractItemModelTester const tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(Rows(*model), row.initial);
        QSignalSpy const changed(model.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy const inserted(model.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy const removed(model.get(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy const reset(model.get(), &QAbstractItemModel::modelReset);
        std::thread([&] { row.edit(array); }).join();
        EXPECT_EQ(model->count(), static_cast<int>(row.initial.size()))
            << "changed off the GUI thread";
        Pump();
        EXPECT_EQ(Rows(*model), array ? array->GetValues() : std::vector<int>());
        SSignals const seen{static_cast<int>(changed.count()), static_cast<int>(inserted.count()),
                            static_cast<int>(removed.count()), static_cast<int>(reset.count())};
        EXPECT_TRUE(seen == row.expected) << "changed " << seen.changed << ", inserted " << seen.inserted
                                          << ", removed " << seen.removed << ", reset " << seen.reset;
    }
}

TEST(ArrayListModel, FollowsRandomEditsWhileTheGuiRuns)
{
    auto const array = std::make_shared<IntArray>();
    auto const model = MakeModel(array);
    QAbstractItemModelTester const tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    StatisticsDelta const delta;
    std::atomic<bool> done{false};
    std::thread engine([&] {
        std::mt19937 random(19);
        for (int i = 0; i < 400; ++i)
            Orx2Test::RandomArrayEdit(random, array->GetSize()).ApplyTo(*array);
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    engine.join();
    Pump();
    EXPECT_EQ(Rows(*model), array->GetValues());
    EXPECT_EQ(delta().offThreadCalls, 0u);
}

TEST(ArrayListModel, ViewModelElementsGetAMapDeletedWithTheirRow)
{
    using VmArray = Base::Binding::TArrayProperty<std::shared_ptr<CTestViewModel>>;
    auto const array = std::make_shared<VmArray>();
    auto const first = std::make_shared<CTestViewModel>();
    array->Set({first, std::make_shared<CTestViewModel>()});
    std::unique_ptr<CArrayListModel> const model(Orx2Gui::MakeArrayListModel<std::shared_ptr<CTestViewModel>>(
        *array, array, {"item"},
        [](std::shared_ptr<CTestViewModel> const& vm) {
            return QVariantMap{{"item", QVariant::fromValue<QObject*>(Orx2Gui::MakeViewModelMap(vm, kTable, nullptr))}};
        },
        nullptr));
    QObject* const raw = model->get(0).value("item").value<QObject*>();
    ASSERT_NE(raw, nullptr);
    QPointer<QObject> const map = raw;
    EXPECT_EQ(raw->parent(), model.get());
    std::thread([&] { first->number.Set(4); }).join();
    Pump();
    EXPECT_EQ(raw->property("number"), QVariant(4));
    array->RemoveAt(0);
    Pump();
    EXPECT_FALSE(map) << "the removed row's map is deleted";
    EXPECT_EQ(model->count(), 1);
}

TEST(ArrayListModel, SurvivesItsDestructionWhileAnEngineThreadEdits)
{
    auto const array = std::make_shared<IntArray>();
    std::atomic<bool> stop{false};
    std::thread engine([&] {
        for (int i = 0; !stop; ++i)
            i % 8 == 7 ? array->Clear() : array->Add(i);
    });
    for (int round = 0; round < 50; ++round)
    {
        StatisticsDelta const delta;
        auto model = MakeModel(array);
        PumpUntil([&] { return delta().rowChanges > 1; }); // the engine's edits arrive
        model.reset(); // anything still posted to it is dropped
    }
    stop = true;
    engine.join();
}
} // namespace
} // namespace Orx2GuiTest

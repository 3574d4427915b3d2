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
using ModelPtr = std::unique_ptr<CArrayListModel>;

ModelPtr MakeModel(std::shared_ptr<IntArray> const& array)
{
    return ModelPtr(Orx2Gui::MakeArrayListModel<int>(
        *array, array, {"value"},
        [](int const& v) {
            return QVariantMap{{"value", v}};
        },
        nullptr));
}

/// The rows as QML reads them: through the role names.
std::vector<int> Rows(CArrayListModel const& model)
{
    std::vector<int> rows;
    for (int i = 0; i < model.rowCount(); ++i)
        rows.push_back(model.data(model.index(i), model.roleNames().key("value")).toInt());
    return rows;
}

TEST(ArrayListModel, EachEditBecomesTheMatchingRowSignals)
{
    using Edit = std::function<void(std::shared_ptr<IntArray>&)>;
    struct SCase
    {
        char const* name;
        std::vector<int> initial;
        Edit edit;
        std::vector<int> signalCounts;
    };
    for (SCase const& row :
         {SCase{"Set replaces one",
                {1, 2, 3},
                [](auto& a) {
                    a->Set({1, 9, 3});
                },
                {1, 0, 0, 0}},
          SCase{"Set shorter",
                {1, 2, 3},
                [](auto& a) {
                    a->Set({1, 9});
                },
                {1, 0, 1, 0}},
          SCase{"SetAt past the end", {1, 2}, [](auto& a) { a->SetAt(5, 7); }, {0, 1, 0, 0}},
          SCase{"Insert", {1, 2, 3}, [](auto& a) { a->Insert(1, 8); }, {0, 1, 0, 0}},
          SCase{"RemoveRange", {1, 2, 3, 4}, [](auto& a) { a->RemoveRange(1, 3); }, {0, 0, 1, 0}},
          SCase{"Clear", {1, 2}, [](auto& a) { a->Clear(); }, {0, 0, 0, 1}},
          SCase{"source destroyed", {1, 2}, [](auto& a) { a.reset(); }, {0, 0, 0, 1}}})
    {
        SCOPED_TRACE(row.name);
        auto array = std::make_shared<IntArray>();
        array->Set(row.initial);
        ModelPtr const model = MakeModel(array);
        QAbstractItemModelTester const tester(model.get(),
                                              QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(Rows(*model), row.initial);
        QSignalSpy const changed(model.get(), &QAbstractItemModel::dataChanged),
            inserted(model.get(), &QAbstractItemModel::rowsInserted),
            removed(model.get(), &QAbstractItemModel::rowsRemoved),
            reset(model.get(), &QAbstractItemModel::modelReset);
        std::thread([&] { row.edit(array); }).join();
        EXPECT_EQ(Rows(*model), row.initial) << "changed off the GUI thread";
        Pump();
        EXPECT_EQ(Rows(*model), array ? array->GetValues() : std::vector<int>());
        EXPECT_EQ((std::vector<int>{static_cast<int>(changed.count()), static_cast<int>(inserted.count()),
                                    static_cast<int>(removed.count()), static_cast<int>(reset.count())}),
                  row.signalCounts)
            << "changed, inserted, removed, reset";
    }
}

TEST(ArrayListModel, FollowsRandomEditsWhileTheGuiRuns)
{
    auto const array = std::make_shared<IntArray>();
    ModelPtr const model = MakeModel(array);
    QAbstractItemModelTester const tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto const start = Orx2Gui::CBridgeStatistics::Get();
    std::atomic<bool> done{false};
    std::thread engine(
        [&]
        {
            std::mt19937 random(19);
            for (int i = 0; i < 400; ++i)
                Orx2Test::RandomArrayEdit(random, array->GetSize()).ApplyTo(*array);
            done = true;
        });
    PumpUntil([&] { return done.load(); });
    engine.join();
    Pump();
    EXPECT_EQ(Rows(*model), array->GetValues());
    EXPECT_EQ(Since(start).offThreadCalls, 0u);
}

TEST(ArrayListModel, ViewModelElementsGetAMapDeletedWithTheirRow)
{
    using VmPtr = std::shared_ptr<CTestViewModel>;
    auto const array = std::make_shared<Base::Binding::TArrayProperty<VmPtr>>();
    VmPtr const first = std::make_shared<CTestViewModel>();
    array->Set({first, std::make_shared<CTestViewModel>()});
    ModelPtr const model(Orx2Gui::MakeArrayListModel<VmPtr>(
        *array, array, {"item"},
        [](VmPtr const& vm)
        {
            return QVariantMap{
                {"item", QVariant::fromValue<QObject*>(Orx2Gui::MakeViewModelMap(vm, kTable, nullptr))}};
        },
        nullptr));
    auto mapOf = [&](int row) { return model->get(row).value("item").value<QObject*>(); };
    QObject* const firstMap = mapOf(0);
    ASSERT_NE(firstMap, nullptr);
    EXPECT_EQ(firstMap->parent(), model.get());
    std::thread([&] { first->number.Set(4); }).join();
    Pump();
    EXPECT_EQ(firstMap->property("number"), QVariant(4));
    QPointer<QObject> const replaced = firstMap, removed = mapOf(1);
    array->SetAt(0, std::make_shared<CTestViewModel>());
    array->RemoveAt(1);
    Pump();
    EXPECT_FALSE(replaced) << "the replaced row's map is deleted";
    EXPECT_FALSE(removed) << "the removed row's map is deleted";
    EXPECT_EQ(model->count(), 1);
}

TEST(ArrayListModel, SurvivesItsDestructionWhileAnEngineThreadEdits)
{
    auto const array = std::make_shared<IntArray>();
    std::atomic<bool> stop{false};
    std::thread engine(
        [&]
        {
            for (int i = 0; !stop; ++i, std::this_thread::yield())
                i % 8 == 7 ? array->Clear() : array->Add(i);
        });
    for (int round = 0; round < 50; ++round)
    {
        auto const start = Orx2Gui::CBridgeStatistics::Get();
        ModelPtr model = MakeModel(array);
        PumpUntil([&] { return Since(start).rowChanges > 1; }); // the engine's edits arrive
        model.reset();                                          // anything still posted to it is dropped
    }
    stop = true;
    engine.join();
}
} // namespace
} // namespace Orx2GuiTest

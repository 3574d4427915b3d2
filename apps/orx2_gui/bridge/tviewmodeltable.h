#pragma once
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <utility>
#include <vector>

namespace Orx2Gui
{
/// The members of one view-model type that a GUI binds to: named properties, each with a reader, and
/// named commands, each with an action. Written once per type and shared by every map of that type:
///
///     TViewModelTable<IAreaItemViewModel> const kTile = TViewModelTable<IAreaItemViewModel>()
///         .Property("obligatory", [](IAreaItemViewModel const& vm) { return
///         QVariant(vm.GetIsObligatory().Get()); }) .Command("trash", [](IAreaItemViewModel& vm, QVariantList
///         const&) { Base::ExecuteIfSet(vm.GetTrashCommand()); });
///
/// Readers run on the thread that changed the view model (an engine thread) and must only read
/// thread-safe library state (properties, array sources); they return values QVariant can compare
/// (numbers, bool, QString, lists of those), so that an unchanged value notifies nobody. Actions run on
/// the thread that executes the command (the GUI's).
/// A row whose name is already in the table replaces that row.
template <class VM> class TViewModelTable
{
public:
    using Reader = std::function<QVariant(VM&)>;
    using Action = std::function<void(VM&, QVariantList const&)>;

    struct SProperty
    {
        QString name;
        Reader read;
    };
    struct SCommand
    {
        QString name;
        Action run;
    };

    TViewModelTable& Property(QString name, Reader reader) &
    {
        Put(m_properties, SProperty{std::move(name), std::move(reader)});
        return *this;
    }
    TViewModelTable&& Property(QString name, Reader reader) &&
    {
        return std::move(Property(std::move(name), std::move(reader)));
    }
    TViewModelTable& Command(QString name, Action action) &
    {
        Put(m_commands, SCommand{std::move(name), std::move(action)});
        return *this;
    }
    TViewModelTable&& Command(QString name, Action action) &&
    {
        return std::move(Command(std::move(name), std::move(action)));
    }

    std::vector<SProperty> const& Properties() const noexcept { return m_properties; }
    std::vector<SCommand> const& Commands() const noexcept { return m_commands; }

private:
    template <class Row> static void Put(std::vector<Row>& rows, Row row)
    {
        for (Row& existing : rows)
        {
            if (existing.name == row.name)
            {
                existing = std::move(row);
                return;
            }
        }
        rows.push_back(std::move(row));
    }

    std::vector<SProperty> m_properties;
    std::vector<SCommand> m_commands;
};
} // namespace Orx2Gui

#pragma once
// The plain model of every array edit, shared by the unit tests, the stress tests and the fuzz target:
// what a TArrayProperty must hold after an edit, and whether the edit must notify.
#include "base/orx2basepool/tarrayproperty.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace Orx2Test
{
/// One edit of one of the eleven kinds, in the order of `kKindNames`.
struct ArrayEdit
{
    static constexpr int kKinds = 11;
    static constexpr int kFirstRemoval = 7;

    int kind = 0;
    std::size_t index = 0;
    std::size_t last = 0; // the end of a removed range
    int value = 0;
    std::vector<int> values;

    /// Applies the edit to a plain vector; returns whether the property must notify (Set always does).
    bool ApplyTo(std::vector<int>& model) const
    {
        auto growTo = [&model](std::size_t size)
        {
            if (model.size() < size)
                model.resize(size);
        };
        auto at = [&model](std::size_t i) { return model.begin() + static_cast<std::ptrdiff_t>(i); };
        switch (kind)
        {
        case 0: // Set
            model = values;
            return true;
        case 1: // SetAt
            growTo(index + 1);
            model[index] = value;
            return true;
        case 2: // SetRange
            if (values.empty())
                return false;
            growTo(index + values.size());
            std::copy(values.begin(), values.end(), at(index));
            return true;
        case 3: // Insert
            growTo(index);
            model.insert(at(index), value);
            return true;
        case 4: // InsertRange
            if (values.empty())
                return false;
            growTo(index);
            model.insert(at(index), values.begin(), values.end());
            return true;
        case 5: // Append
            model.insert(model.end(), values.begin(), values.end());
            return !values.empty();
        case 6: // Add
            model.push_back(value);
            return true;
        case 7: // RemoveAt
            if (index >= model.size())
                return false;
            model.erase(at(index));
            return true;
        case 8: // RemoveRange
        {
            std::size_t const end = std::min(last, model.size());
            if (index >= end)
                return false;
            model.erase(at(index), at(end));
            return true;
        }
        case 9: // RemoveLast
            if (model.empty())
                return false;
            model.pop_back();
            return true;
        default: // Clear
            if (model.empty())
                return false;
            model.clear();
            return true;
        }
    }

    void ApplyTo(Base::Binding::TArrayProperty<int>& array) const
    {
        switch (kind)
        {
        case 0:
            return array.Set(values);
        case 1:
            return array.SetAt(index, value);
        case 2:
            return array.SetRange(index, values);
        case 3:
            return array.Insert(index, value);
        case 4:
            return array.InsertRange(index, values);
        case 5:
            return array.Append(values);
        case 6:
            return array.Add(value);
        case 7:
            return array.RemoveAt(index);
        case 8:
            return array.RemoveRange(index, last);
        case 9:
            return array.RemoveLast();
        default:
            return array.Clear();
        }
    }
};

/// A random edit for an array of `size` elements: indices reach a little past the end (gap filling,
/// removals past the end), few distinct values (Set meets equal elements), and only removals once the
/// array has reached `maxSize`.
inline ArrayEdit RandomArrayEdit(std::mt19937& random, std::size_t size, std::size_t maxSize = 40)
{
    auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % (n + 1)); };
    ArrayEdit edit;
    edit.kind = static_cast<int>(pick(ArrayEdit::kKinds - 1));
    if (size >= maxSize && edit.kind < ArrayEdit::kFirstRemoval)
        edit.kind = ArrayEdit::kFirstRemoval + edit.kind % 4;
    edit.index = pick(size + 3);
    edit.last = edit.index + pick(4);
    edit.value = static_cast<int>(pick(5));
    edit.values.resize(pick(edit.kind == 0 ? 8 : 4));
    for (int& v : edit.values)
        v = static_cast<int>(pick(5));
    return edit;
}
} // namespace Orx2Test

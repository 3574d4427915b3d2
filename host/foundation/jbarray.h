#pragma once
// A fixed-size owning array of the host foundation library.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

/// Owns `GetSize()` elements of T, value-initialized or copied in. Copying copies the elements; a
/// moved-from array is empty. Thread-safety: like a standard container.
template <class T> class JbArray
{
public:
    /// An empty array.
    JbArray() noexcept = default;
    /// `size` value-initialized elements. Throws std::bad_alloc.
    explicit JbArray(std::size_t size)
        : m_data(size != 0 ? std::make_unique<T[]>(size) : nullptr), m_size(size)
    {
    }
    /// A copy of `size` elements at `data` (which may be null only when `size` is 0). Throws what
    /// allocation and copying T throw.
    JbArray(T const* data, std::size_t size) : JbArray(size) { std::copy_n(data, size, m_data.get()); }
    /// A copy of `other`.
    JbArray(JbArray const& other) : JbArray(other.GetData(), other.GetSize()) {}
    /// Takes over what `other` holds.
    JbArray(JbArray&& other) noexcept
        : m_data(std::move(other.m_data)), m_size(std::exchange(other.m_size, 0))
    {
    }
    /// Takes over `other` (a copy or a moved array).
    JbArray& operator=(JbArray other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        return *this;
    }
    ~JbArray() = default;

    /// The number of elements.
    std::size_t GetSize() const noexcept { return m_size; }
    /// The first element; null when the array is empty.
    T* GetData() noexcept { return m_data.get(); }
    /// The first element; null when the array is empty.
    T const* GetData() const noexcept { return m_data.get(); }
    /// Element `index`; `index` must be less than GetSize() (not checked).
    T& operator[](std::size_t index) noexcept { return m_data[index]; }
    /// Element `index`; `index` must be less than GetSize() (not checked).
    T const& operator[](std::size_t index) const noexcept { return m_data[index]; }

private:
    std::unique_ptr<T[]> m_data;
    std::size_t m_size = 0;
};

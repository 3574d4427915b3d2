#pragma once
// The texture atlas of a reconstruction. Passed through by pointer, never looked into.

namespace Base
{
/// The colour texture that belongs to a reconstruction. Immutable once made; shared as
/// `std::shared_ptr<CTextureAtlasData const>`.
class CTextureAtlasData
{
public:
    /// A texture of `width` by `height` texels.
    explicit CTextureAtlasData(int width = 0, int height = 0) noexcept : m_width(width), m_height(height) {}

    /// The width in texels.
    int GetWidth() const noexcept { return m_width; }
    /// The height in texels.
    int GetHeight() const noexcept { return m_height; }

private:
    int m_width;
    int m_height;
};
} // namespace Base

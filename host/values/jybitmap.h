#pragma once
// A bitmap of the host imaging library. Passed through by pointer, never looked into.

/// An image, shared as `std::shared_ptr<JyBitmap>`. Not thread-safe by itself.
class JyBitmap
{
public:
    /// An image of `width` by `height` pixels.
    explicit JyBitmap(int width = 0, int height = 0) noexcept : m_width(width), m_height(height) {}

    /// The width in pixels.
    int GetWidth() const noexcept { return m_width; }
    /// The height in pixels.
    int GetHeight() const noexcept { return m_height; }

private:
    int m_width;
    int m_height;
};

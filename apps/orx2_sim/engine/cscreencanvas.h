#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Orx2Sim
{
/// How a piece of the screen is emphasised; plain output ignores it.
enum class EStyle
{
    Plain,
    Heading, ///< section titles
    Dim,     ///< absent or inactive
    Good,    ///< has data, complete, allowed
    Warning, ///< required, incomplete, in progress
    Bad,     ///< failed, locked
    Strong,  ///< obligatory, important values
    Selected ///< the selected area
};

/// The terminal picture of the screen, built line by line by the modules' Render. Text is ASCII (so
/// that columns line up on every terminal); colour uses ANSI escapes. Not thread-safe.
class CScreenCanvas
{
public:
    /// The width every section lays itself out in.
    static constexpr std::size_t kWidth = 100;

    explicit CScreenCanvas(bool colour) : m_colour(colour) {}

    /// Starts a new line.
    CScreenCanvas& Line();
    /// A section title line: "-- TITLE ---...".
    CScreenCanvas& Section(std::string_view title);
    /// Appends `text` to the current line (starting one if there is none).
    CScreenCanvas& Text(std::string_view text, EStyle style = EStyle::Plain);
    /// Appends spaces up to `column` (nothing when the line is that long already).
    CScreenCanvas& PadTo(std::size_t column);
    /// `text` cut or padded to exactly `width` characters.
    CScreenCanvas& Cell(std::string_view text, std::size_t width, EStyle style = EStyle::Plain);

    bool IsColour() const noexcept { return m_colour; }
    /// The picture, one "\n" after each line, trailing blanks removed.
    std::string ToString() const;

private:
    struct SLine
    {
        std::string text;      // with escapes
        std::size_t width = 0; // visible characters
    };

    SLine& Current();

    bool m_colour;
    std::vector<SLine> m_lines;
};
} // namespace Orx2Sim

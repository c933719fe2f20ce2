#include "ui/glyphs.h"

#include <QPixmap>

#include <algorithm>
#include <array>
#include <vector>

namespace vorelind {

namespace {

constexpr int kGlyphSize = 16;
using GlyphRows = std::array<const char*, kGlyphSize>;

// The pixels, one letter each: "." is clear, "#" the outline or arrow, "o"
// the screen.
constexpr GlyphRows kExpandAll = {
    "................", "..############..", "...##########...", "....########....",
    ".....######.....", "......####......", ".......##.......", "................",
    "..############..", "...##########...", "....########....", ".....######.....",
    "......####......", ".......##.......", "................", "................",
};

constexpr GlyphRows kBrowser = {
    "................", ".##############.", ".#oooooooooooo#.", ".#oooooooooooo#.",
    ".#oooooooooooo#.", ".#oooooooooooo#.", ".#oooooooooooo#.", ".#oooooooooooo#.",
    ".#oooooooooooo#.", ".#oooooooooooo#.", ".##############.", "......####......",
    "......####......", "...##########...", "...##########...", "................",
};

// Collapsing is expanding upside down.
GlyphRows upsideDown(GlyphRows rows)
{
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// The colours of the letters: "#" and "o" for the enabled and the disabled image.
struct GlyphColours {
    const char* outline;
    const char* screen;
};

constexpr GlyphColours kEnabled = {"# c #000080", "o c #40c0ff"};
constexpr GlyphColours kDisabled = {"# c #808080", "o c #d4d4d4"};

QPixmap glyphPixmap(const GlyphRows& rows, const GlyphColours& colours)
{
    std::vector<const char*> xpm = {"16 16 3 1", ". c None", colours.outline, colours.screen};
    xpm.insert(xpm.end(), rows.begin(), rows.end());
    return QPixmap(xpm.data());
}

GlyphRows glyphRows(Glyph glyph)
{
    switch (glyph) {
    case Glyph::ExpandAll: return kExpandAll;
    case Glyph::CollapseAll: return upsideDown(kExpandAll);
    case Glyph::Browser: return kBrowser;
    }
    return kExpandAll;
}

} // namespace

QIcon glyphIcon(Glyph glyph)
{
    const GlyphRows rows = glyphRows(glyph);
    QIcon icon(glyphPixmap(rows, kEnabled));
    icon.addPixmap(glyphPixmap(rows, kDisabled), QIcon::Disabled);
    return icon;
}

} // namespace vorelind

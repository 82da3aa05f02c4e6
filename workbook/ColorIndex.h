#pragma once

#include <QtGlobal>
#include <optional>

namespace telvainn::excel {

// Fill colours are Excel colour indexes into its default 56-colour palette; "no fill" has its own
// index, as in Excel.
inline constexpr int kColorIndexNone = -4142;
inline constexpr int kColorIndexRed = 3;
inline constexpr int kPaletteSize = 56;

// 0xRRGGBB of a palette index 1..56; nullopt for any other index (kColorIndexNone included).
std::optional<quint32> rgbForColorIndex(int index);

// The palette index of a colour: the lowest index with exactly that colour, else the nearest one, as
// Excel reports a cell whose colour is not in its palette. nullopt (no fill) gives kColorIndexNone.
int colorIndexForRgb(std::optional<quint32> rgb);

}  // namespace telvainn::excel

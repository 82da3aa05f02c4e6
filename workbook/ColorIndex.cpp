#include "workbook/ColorIndex.h"

#include <array>
#include <limits>

namespace telvainn::excel {
namespace {

constexpr std::array<quint32, kPaletteSize> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 1-8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};

int channel(quint32 rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

}  // namespace

std::optional<quint32> rgbForColorIndex(int index) {
    if (index < 1 || index > kPaletteSize) {
        return std::nullopt;
    }
    return kDefaultPalette[static_cast<std::size_t>(index - 1)];
}

int colorIndexForRgb(std::optional<quint32> rgb) {
    if (!rgb) {
        return kColorIndexNone;
    }
    int best = 1;
    int bestDistance = std::numeric_limits<int>::max();
    for (int index = 1; index <= kPaletteSize; ++index) {
        const quint32 colour = kDefaultPalette[static_cast<std::size_t>(index - 1)];
        int distance = 0;
        for (const int shift : {16, 8, 0}) {
            const int d = channel(colour, shift) - channel(*rgb, shift);
            distance += d * d;
        }
        if (distance < bestDistance) {  // strict: the lowest index wins a tie
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace telvainn::excel

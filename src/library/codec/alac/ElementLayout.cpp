#include "library/codec/alac/ElementLayout.h"

#include <array>

namespace decant::library::alac {
namespace {

using enum ElementKind;

// Pairs for the front, the sides or backs and the front centre pair; single
// elements for the centre, the back centre and the LFE.
const std::array<std::span<const ElementKind>, maximumChannels> elements = [] {
    static constexpr ElementKind mono[] = {Single};
    static constexpr ElementKind stereo[] = {Pair};
    static constexpr ElementKind three[] = {Single, Pair};
    static constexpr ElementKind four[] = {Single, Pair, Single};
    static constexpr ElementKind five[] = {Single, Pair, Pair};
    static constexpr ElementKind six[] = {Single, Pair, Pair, Single};
    static constexpr ElementKind seven[] = {Single, Pair, Pair, Single, Single};
    static constexpr ElementKind eight[] = {Single, Pair, Pair, Pair, Single};
    return std::array<std::span<const ElementKind>, maximumChannels>{mono, stereo, three, four,
                                                                     five, six,    seven, eight};
}();

// Stream order to FFmpeg's: 3.0, 4.0, 5.0, 5.1, 6.1(back) and 7.1(wide), the
// layouts FFmpeg's own ALAC coder takes.
const std::array<std::span<const uint8_t>, maximumChannels> places = [] {
    static constexpr uint8_t mono[] = {0};
    static constexpr uint8_t stereo[] = {0, 1};
    static constexpr uint8_t three[] = {2, 0, 1};                // C L R
    static constexpr uint8_t four[] = {2, 0, 1, 3};              // C L R Cs
    static constexpr uint8_t five[] = {2, 0, 1, 3, 4};           // C L R Ls Rs
    static constexpr uint8_t six[] = {2, 0, 1, 4, 5, 3};         // C L R Ls Rs LFE
    static constexpr uint8_t seven[] = {2, 0, 1, 4, 5, 6, 3};    // C L R Ls Rs Cs LFE
    static constexpr uint8_t eight[] = {2, 6, 7, 0, 1, 4, 5, 3}; // C Lc Rc L R Ls Rs LFE
    return std::array<std::span<const uint8_t>, maximumChannels>{mono, stereo, three, four,
                                                                 five, six,    seven, eight};
}();

} // namespace

std::span<const ElementKind> elementsFor(int channels) {
    return elements[size_t(channels - 1)];
}

std::span<const uint8_t> ffmpegPlaces(int channels) {
    return places[size_t(channels - 1)];
}

} // namespace decant::library::alac

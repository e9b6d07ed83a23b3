#pragma once

#include "settings/Colour.h"

#include <cstdint>

// Every colour that means something in a picture, in one place, so that a
// new meaning can be given a colour that no other one has.

// The colour-blind-safe pair of the Okabe-Ito palette: relations leaving
// the highlighted node orange, arriving ones sky blue; search marks yellow.
inline constexpr Colour leavingColour{0.902f, 0.624f, 0.0f, 1.0f};
inline constexpr Colour arrivingColour{0.337f, 0.706f, 0.914f, 1.0f};
inline constexpr Colour searchColour{0.941f, 0.894f, 0.259f, 1.0f};
inline constexpr Colour highlightMarkColour{1.0f, 1.0f, 1.0f, 1.0f};
// The names' colour, light grey.
inline constexpr Colour labelColour{0.92f, 0.92f, 0.92f, 1.0f};
// The counts written in the matrix's cells, black over the ramp's colours,
// and the matrix's brackets and outlines, the names' grey.
inline constexpr Colour cellCountColour{0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr Colour matrixLineColour = labelColour;
// The tree and its rings, and the overlay of the node-link structure.
inline constexpr Colour treeRed{1.0f, 0.0f, 0.0f, 1.0f};
inline constexpr Colour overlayBlue{0.8f, 0.8f, 1.0f, 0.5f};

// The colour of a 0xRRGGBB value, opaque.
constexpr Colour rgb(uint32_t hex) {
    return {static_cast<float>((hex >> 16) & 0xFFu) / 255.0f,
            static_cast<float>((hex >> 8) & 0xFFu) / 255.0f,
            static_cast<float>(hex & 0xFFu) / 255.0f, 1.0f};
}

// What the newer version added, Okabe-Ito's bluish green (#009E73), and
// what it removed, Paul Tol's wine (#882255): Okabe-Ito's vermillion lies
// too near the tree's red and the highlight's orange to be told apart.
inline constexpr Colour addedColour{0.0f, 158.0f / 255.0f, 115.0f / 255.0f, 1.0f};
inline constexpr Colour removedColour = rgb(0x882255);
// Kept curves keep the ramp's or the groups' colours: their swatch in the
// key is a dark grey, apart from the "others" grey.
inline constexpr Colour keptSwatch = rgb(0x4D4D4D);

// The colours groups take, the biggest group first: the seven Okabe-Ito
// colours other than black, as published, which differ from each other by
// more than distinctColours (see ColourDifference). A picture leaves out
// those too near a colour it already gives another meaning.
inline constexpr Colour groupColours[] = {rgb(0xE69F00), rgb(0x56B4E9), rgb(0x009E73),
                                          rgb(0xF0E442), rgb(0x0072B2), rgb(0xD55E00),
                                          rgb(0xCC79A7)};
// Broken rules, each in the next colour of its severity's in turn: errors
// in warm colours, warnings in cool ones (Paul Tol's vibrant scheme).
inline constexpr Colour errorRuleColours[] = {rgb(0xCC3311), rgb(0xEE7733), rgb(0xEE3377)};
inline constexpr Colour warningRuleColours[] = {rgb(0x33BBEE), rgb(0x0077BB), rgb(0x009988)};
// In the matrix, the blocks of rows that reach one another outlined in
// Okabe-Ito's reddish purple, and the cells of the relations to cut in cyan.
inline constexpr Colour cycleBlockColour = rgb(0xCC79A7);
inline constexpr Colour cellToCutColour{0.0f, 1.0f, 1.0f, 1.0f};
// Neutral grey, #888888.
inline constexpr Colour othersColour{0.533f, 0.533f, 0.533f, 1.0f};

// What both-way marks choose from: the one farthest from every colour in use.
inline constexpr Colour bothWayCandidates[] = {{1.0f, 1.0f, 1.0f, 1.0f},
                                               {0.0f, 1.0f, 0.0f, 1.0f},
                                               {0.0f, 1.0f, 1.0f, 1.0f},
                                               {1.0f, 0.0f, 1.0f, 1.0f},
                                               {1.0f, 1.0f, 0.0f, 1.0f}};

// Behind the key: black, mostly opaque, whatever the background.
inline constexpr Colour legendBoxColour{0.0f, 0.0f, 0.0f, 0.75f};

#pragma once
// The colour of a Mudlet environment, by Mudlet's rules: an environment
// listed in the mapping takes the colour index it maps to; one neither mapped
// nor among the custom colours shows as index 1 (red). Indices 1-16 are the
// ANSI colours, then a custom colour of that id, then 17-255 the xterm palette.
#include <cstdint>
#include <unordered_map>

#include "mapper/model/types.h"

struct CMudletEnvironments {
    std::unordered_map<std::int64_t, ColorRef> custom;        // customEnvColors
    std::unordered_map<std::int64_t, std::int64_t> mapping;  // envToColorMapping
};

// kColorNone for the environment -1 (none) and for an index that has no colour.
ColorRef MudletEnvironmentColor(std::int64_t environment, const CMudletEnvironments& env);

inline ColorRef Rgb(unsigned r, unsigned g, unsigned b) { return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16); }

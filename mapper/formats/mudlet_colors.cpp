#include "mapper/formats/mudlet_colors.h"

namespace {
// Indices 1-16: red, green, yellow, blue, magenta, cyan, white, black, then
// the light ones in the same order, as Mudlet's map shows them by default.
const ColorRef kAnsi[16] = {
    Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0), Rgb(0, 0, 128),   Rgb(128, 0, 128),   Rgb(0, 128, 128),
    Rgb(192, 192, 192), Rgb(0, 0, 0),   Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),   Rgb(0, 0, 255),
    Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255), Rgb(128, 128, 128),
};

// The xterm palette: a 6x6x6 cube from 16, a grey ramp from 232.
ColorRef Xterm(std::int64_t index)
{
    if (index < 232) {
        static const unsigned kLevel[6] = {0, 95, 135, 175, 215, 255};
        const unsigned cube = static_cast<unsigned>(index - 16);
        return Rgb(kLevel[cube / 36], kLevel[(cube / 6) % 6], kLevel[cube % 6]);
    }
    const unsigned grey = 8 + 10 * static_cast<unsigned>(index - 232);
    return Rgb(grey, grey, grey);
}
}  // namespace

ColorRef MudletEnvironmentColor(std::int64_t environment, const CMudletEnvironments& env)
{
    if (environment == -1)
        return kColorNone;
    std::int64_t index = environment;
    if (const auto mapped = env.mapping.find(environment); mapped != env.mapping.end())
        index = mapped->second;
    else if (!env.custom.count(environment))
        index = 1;
    if (index >= 1 && index <= 16)
        return kAnsi[index - 1];
    if (const auto custom = env.custom.find(index); custom != env.custom.end())
        return custom->second;
    if (index >= 17 && index <= 255)
        return Xterm(index);
    return kColorNone;
}

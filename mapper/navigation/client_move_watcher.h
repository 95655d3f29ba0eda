#pragma once
// The client link's report of the commands and lines it handles, for a walk
// that steers the character through the game.
#include <string_view>

#include "mapper/model/direction.h"

// What the client link tells a walk about the commands and lines it handles.
class IClientMoveWatcher {
public:
    virtual ~IClientMoveWatcher() = default;
    // A command the client passed back (typed, or a step sent by the mapper),
    // with the direction its aliases give (-1 for none).
    virtual void OnClientCommand(std::string_view text, Direction dir) = 0;
    // A wrong-way line came while a move waited for its room title.
    virtual void OnWrongWayLine() = 0;
    // A room title was taken after a movement command; moved tells whether
    // the map moved the character.
    virtual void OnTitleTaken(std::string_view title, bool moved) = 0;
};

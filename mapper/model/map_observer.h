#pragma once
// Watches every change to what the map stores: rooms, links and plane names.
// The document calls its observers just before each change, while the stored
// record is still in place, with the record as it is (null when the id is
// new) and as it will be (null when it is removed). Hit data written by a
// paint is not a change of the map and is not reported.
#include <cstdint>
#include <string>

#include "mapper/model/records.h"

class IMapObserver {
public:
    virtual ~IMapObserver() = default;
    virtual void OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after) {}
    virtual void OnLinkChanging(LinkId id, const CLink* before, const CLink* after) {}
    virtual void OnPlaneNameChanging(std::int32_t plane, const std::string* before, const std::string* after) {}
    // After the whole map was replaced: New, Open, or a load that failed.
    virtual void OnMapReplaced() {}
    // Around the changes of one editing step (nested steps belong to the
    // outermost). Steps with the same nonzero merge key that follow each
    // other make one step: the pointer moves of a drag.
    virtual void OnStepBegin(const char* name, std::uint64_t merge) {}
    virtual void OnStepEnd() {}
};

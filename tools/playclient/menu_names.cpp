#include "tools/playclient/menu_names.h"

#include "mapper/resource_ids.h"

namespace {
const struct {
    const char* name;
    unsigned id;
} kNames[] = {{"new", ID_FILE_NEW},         {"open", ID_FILE_OPEN},         {"save", ID_FILE_SAVE},
              {"saveas", ID_FILE_SAVE_AS},  {"explore", ID_MODE_EXPLORE},   {"trace", ID_MODE_TRACE},
              {"online", ID_MODE_ONLINE},   {"follow", ID_MODE_FOLLOW},     {"autoshift", ID_MODE_AUTOSHIFT},
              {"zoomin", ID_ZOOM_IN},       {"zoomout", ID_ZOOM_OUT},       {"higher", ID_PLANE_HIGHER},
              {"lower", ID_PLANE_LOWER},    {"center", ID_VIEW_FOLLOW_MOVEMENTS}, {"grid", ID_VIEW_GRID},
              {"rose", ID_VIEW_ROSE},       {"configure", ID_CONFIGURE_ONLINE}};
}  // namespace

unsigned MenuCommandId(const std::string& name)
{
    for (const auto& n : kNames)
        if (name == n.name)
            return n.id;
    return 0;
}

std::string MenuCommandNames()
{
    std::string out;
    for (const auto& n : kNames)
        out += (out.empty() ? "" : ", ") + std::string(n.name);
    return out;
}

#include "tools/playclient/dock_layout.h"

#include <algorithm>

CDockLayout LayOut(const CBox& client, int side, int depth, int minPane)
{
    CDockLayout out;
    out.map = client;
    if (side < kLeft || side > kBottom)
        return out;
    const bool horizontal = side == kLeft || side == kRight;
    const int extent = std::max(0, horizontal ? client.Width() : client.Height());
    int d = depth;
    if (extent < 2 * minPane)
        d = extent / 2;
    else
        d = std::clamp(d, minPane, extent - minPane);
    out.terminal = client;
    switch (side) {
    case kLeft:
        out.terminal.right = client.left + d;
        out.map.left = out.terminal.right;
        break;
    case kRight:
        out.terminal.left = client.right - d;
        out.map.right = out.terminal.left;
        break;
    case kTop:
        out.terminal.bottom = client.top + d;
        out.map.top = out.terminal.bottom;
        break;
    default:
        out.terminal.top = client.bottom - d;
        out.map.bottom = out.terminal.top;
        break;
    }
    return out;
}

int DepthAt(int side, const CBox& window)
{
    return side == kLeft || side == kRight ? window.Width() : window.Height();
}

std::vector<CBox> DockingTargets(const CBox& clientOnScreen) { return {clientOnScreen}; }

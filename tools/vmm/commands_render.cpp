// vmm render: the picture the map view would show for a map, as PNG, SVG or PDF.
#include <charconv>
#include <ostream>

#include "mapper/model/document.h"
#include "mapper/view/view_state.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/map_io.h"
#ifdef VORMAPPER_HAVE_CAIRO
#include "mapper/view/image_export.h"
#endif

namespace {
const char kUsage[] =
    "render FILE OUT.png|OUT.svg|OUT.pdf [--size WxH] [--plane N] [--follow] [--no-grid] [--no-rose] "
    "[--no-state] [--no-higher] [--no-lower]";
constexpr int kMaxSide = 8192;

bool ParseInt(const std::string& s, long long& v)
{
    const char* end = s.data() + s.size();
    auto r = std::from_chars(s.data(), end, v);
    return r.ec == std::errc() && r.ptr == end;
}

bool ParseSize(const std::string& s, int& w, int& h)
{
    const std::size_t x = s.find('x');
    long long a = 0, b = 0;
    if (x == std::string::npos || !ParseInt(s.substr(0, x), a) || !ParseInt(s.substr(x + 1), b))
        return false;
    if (a < 1 || b < 1 || a > kMaxSide || b > kMaxSide)
        return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}
}  // namespace

int VmmRender(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> files;
    CViewState view;
    int w = 800, h = 600;
    bool havePlane = false;
    long long plane = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--size" && i + 1 < args.size()) {
            if (!ParseSize(args[++i], w, h)) {
                err << "vmm render: bad size " << args[i] << " (WxH, 1 to " << kMaxSide << " each)\n";
                return 1;
            }
        } else if (a == "--plane" && i + 1 < args.size()) {
            if (!ParseInt(args[++i], plane) || plane < INT32_MIN || plane > INT32_MAX) {
                err << "vmm render: bad plane " << args[i] << "\n";
                return 1;
            }
            havePlane = true;
        } else if (a == "--follow") {
            view.m_bFollowMovements = true;
        } else if (a == "--no-grid") {
            view.m_bShowGrid = false;
        } else if (a == "--no-rose") {
            view.m_bShowRose = false;
        } else if (a == "--no-state") {
            view.m_bShowState = false;
        } else if (a == "--no-higher") {
            view.m_bShowHigher = false;
        } else if (a == "--no-lower") {
            view.m_bShowLower = false;
        } else if (a.rfind("--", 0) == 0) {
            err << "vmm render: unknown option " << a << "\nusage: vmm " << kUsage << "\n";
            return 1;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << "usage: vmm " << kUsage << "\n";
        return 1;
    }
#ifdef VORMAPPER_HAVE_CAIRO
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, files[0], err))
        return 1;
    if (havePlane)
        doc.m_nCurrentPlane = static_cast<std::int32_t>(plane);
    std::string error;
    if (!ExportMapImage(doc, view, w, h, files[1], error)) {
        err << "vmm render: " << error << "\n";
        return 1;
    }
    out << "wrote " << files[1] << " (" << w << "x" << h << ")\n";
    return 0;
#else
    (void)out;
    (void)havePlane;
    err << "vmm render: image export is not available in this build\n";
    return 1;
#endif
}

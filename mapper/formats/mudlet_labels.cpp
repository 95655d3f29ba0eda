#include "mapper/formats/mudlet_labels.h"

#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "mapper/model/cell_index.h"
#include "mapper/model/map_units.h"

namespace {
constexpr double kPitch = double(kCellPitch), kCentre = double(kCellCentre);

std::int32_t ClampUnit(double v)
{
    const double r = std::round(v);
    return r < INT32_MIN ? INT32_MIN : r > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(r);
}

bool ParseNumbers(const std::string* text, long long out[], int n)
{
    if (!text)
        return false;
    const char* p = text->c_str();
    for (int i = 0; i < n; ++i) {
        char* end = nullptr;
        out[i] = std::strtoll(p, &end, 10);
        if (end == p)
            return false;
        p = end;
    }
    return *p == '\0';
}

void ApplyLabel(CRoom& room, const CMudletLabel& label)
{
    std::size_t replaced = 0;
    room.m_info.m_strLabel = Utf8ToMapText(label.text, replaced);
    room.m_info.m_ptLabel = VorMapperLabelPoint(label.x, label.y);
    room.m_info.m_crLabelText = label.fg;
    room.m_info.m_crLabelBack = label.bg;
}

class CLabelPlacer {
public:
    CLabelPlacer(const CMudletMap& map, const CMudletPlanes& planes, std::vector<CRoom>& rooms)
        : m_map(map), m_planes(planes), m_rooms(rooms)
    {
    }
    void Place(CFormatReport& report);

private:
    bool Nearest(const CMudletLabel& label, std::uint32_t& room);

    const CMudletMap& m_map;
    const CMudletPlanes& m_planes;
    std::vector<CRoom>& m_rooms;
    std::unordered_map<CCellKey, std::vector<std::uint32_t>, CCellHash> m_cells;
    std::unordered_map<std::int32_t, std::size_t> m_free;  // rooms without a label, by plane
};

void CLabelPlacer::Place(CFormatReport& report)
{
    std::unordered_map<std::uint64_t, std::uint32_t> byId;  // (area, id) -> label
    for (std::uint32_t i = 0; i < m_map.labels.size(); ++i) {
        const CMudletLabel& l = m_map.labels[i];
        byId.emplace((std::uint64_t{l.area} << 32) | static_cast<std::uint32_t>(l.id), i);
    }
    std::vector<bool> placed(m_map.labels.size(), false);
    for (std::uint32_t r = 0; r < m_map.rooms.size(); ++r) {
        const CMudletRoom& mr = m_map.rooms[r];
        CRoom& room = m_rooms[r];
        long long v[2];
        if (ParseNumbers(FindUserData(mr.vormapper, mudlet_keys::kLabel), v, 1) && v[0] >= INT32_MIN && v[0] <= INT32_MAX) {
            const auto it = byId.find((std::uint64_t{mr.area} << 32) | static_cast<std::uint32_t>(v[0]));
            if (it != byId.end() && !placed[it->second]) {
                placed[it->second] = true;
                ApplyLabel(room, m_map.labels[it->second]);
            }
        }
        if (room.m_info.m_strLabel.empty() && ParseNumbers(FindUserData(mr.vormapper, mudlet_keys::kLabelPoint), v, 2))
            room.m_info.m_ptLabel = {ClampUnit(double(v[0])), ClampUnit(double(v[1]))};
        if (ParseNumbers(FindUserData(mr.vormapper, mudlet_keys::kLabelColors), v, 2)) {
            room.m_info.m_crLabelText = static_cast<ColorRef>(v[0]);
            room.m_info.m_crLabelBack = static_cast<ColorRef>(v[1]);
        }
    }
    for (std::uint32_t i = 0; i < m_map.labels.size(); ++i) {
        if (placed[i])
            continue;
        std::uint32_t room = 0;
        if (Nearest(m_map.labels[i], room))
            ApplyLabel(m_rooms[room], m_map.labels[i]);
        else
            report.NotCarried("labels with no room near them", 1, m_map.labels[i].text);
    }
}

bool CLabelPlacer::Nearest(const CMudletLabel& label, std::uint32_t& best)
{
    std::int32_t plane = 0;
    if (!m_planes.Find(label.area, label.z, plane))
        return false;
    if (m_cells.empty())
        for (std::uint32_t r = 0; r < m_rooms.size(); ++r) {
            m_cells[{m_rooms[r].m_nX, m_rooms[r].m_nY, m_rooms[r].m_nPlane}].push_back(r);
            if (m_rooms[r].m_info.m_strLabel.empty())
                ++m_free[m_rooms[r].m_nPlane];
        }
    if (m_free[plane] == 0)
        return false;
    // The label's centre in cells, y down.
    const double cx = label.x + label.width / 2, cy = -(label.y - label.height / 2);
    const std::int64_t x0 = std::llround(std::fmax(std::fmin(cx, 3e9), -3e9));
    const std::int64_t y0 = std::llround(std::fmax(std::fmin(cy, 3e9), -3e9));
    for (int reach = 0; reach <= kLabelReach; ++reach) {
        double bestDistance = -1;
        for (std::int64_t y = y0 - reach; y <= y0 + reach; ++y)
            for (std::int64_t x = x0 - reach; x <= x0 + reach; ++x) {
                if (std::max(std::llabs(x - x0), std::llabs(y - y0)) != reach || x < INT32_MIN || x > INT32_MAX ||
                    y < INT32_MIN || y > INT32_MAX)
                    continue;
                const auto cell = m_cells.find({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), plane});
                if (cell == m_cells.end())
                    continue;
                for (std::uint32_t r : cell->second) {
                    if (!m_rooms[r].m_info.m_strLabel.empty())
                        continue;
                    const double d = (double(x) - cx) * (double(x) - cx) + (double(y) - cy) * (double(y) - cy);
                    if (bestDistance < 0 || d < bestDistance) {
                        bestDistance = d;
                        best = r;
                    }
                }
            }
        if (bestDistance >= 0) {
            --m_free[plane];
            return true;
        }
    }
    return false;
}
}  // namespace

double MudletLabelX(std::int32_t x) { return (double(x) - kCentre) / kPitch; }
double MudletLabelY(std::int32_t y) { return -(double(y) - kCentre) / kPitch; }
CPoint VorMapperLabelPoint(double x, double y) { return {ClampUnit(x * kPitch + kCentre), ClampUnit(-y * kPitch + kCentre)}; }

void PlaceMudletLabels(const CMudletMap& map, const CMudletPlanes& planes, std::vector<CRoom>& rooms,
                       CFormatReport& report)
{
    CLabelPlacer(map, planes, rooms).Place(report);
}

#include "mapper/formats/tintin_links.h"

#include <algorithm>
#include <string>

namespace {
enum class CMatch { Opposite, SameCells, Any };

bool Answers(const CTintinWay& way, const CTintinWay& back, CMatch match)
{
    const bool sameCells = back.dx == -way.dx && back.dy == -way.dy && back.dplane == -way.dplane;
    switch (match) {
    case CMatch::Opposite: return sameCells && back.dir == Opposite(way.dir);
    case CMatch::SameCells: return sameCells;
    default: return true;
    }
}

class CPairing {
public:
    CPairing(const CTintinIndex& index, const std::vector<CTintinWay>& ways, std::vector<CTintinSlots>& slots)
        : m_index(index), m_ways(ways), m_slots(slots), m_used(ways.size(), false)
    {
        m_byPair.resize(ways.size());
        for (std::uint32_t i = 0; i < ways.size(); ++i)
            m_byPair[i] = {Key(ways[i].from, ways[i].to), i};
        std::sort(m_byPair.begin(), m_byPair.end());
        m_order.resize(ways.size());
        for (std::uint32_t i = 0; i < ways.size(); ++i)
            m_order[i] = i;
        std::stable_sort(m_order.begin(), m_order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const std::uint32_t va = index.Vnum(ways[a].from), vb = index.Vnum(ways[b].from);
            return va != vb ? va < vb : ways[a].dir < ways[b].dir;
        });
    }

    void Pair(CMatch match)
    {
        for (std::uint32_t w : m_order) {
            if (m_used[w] || !SlotFree(m_ways[w]))
                continue;
            m_used[w] = true;
            const std::uint32_t back = WayBack(m_ways[w], match);
            if (back == CTintinIndex::kNone && match != CMatch::Any) {
                m_used[w] = false;
                continue;
            }
            if (back != CTintinIndex::kNone)
                m_used[back] = true;
            AddLink(m_ways[w], back == CTintinIndex::kNone ? nullptr : &m_ways[back]);
        }
    }

    void ReportLeftOut(CFormatReport& report) const
    {
        for (std::uint32_t w : m_order)
            if (!m_used[w])
                report.NotCarried("exits whose direction an earlier exit of the room takes", 1,
                                  std::to_string(m_index.Vnum(m_ways[w].from)) + " " +
                                      DirectionInfo(m_ways[w].dir).name);
    }

    std::vector<CLink> TakeLinks() { return std::move(m_links); }

private:
    static std::uint64_t Key(std::uint32_t from, std::uint32_t to) { return (std::uint64_t(from) << 32) | to; }

    LinkId& Slot(const CTintinWay& way) { return m_slots[m_index.RealNumber(way.from)][way.dir]; }
    bool SlotFree(const CTintinWay& way) const { return m_slots[m_index.RealNumber(way.from)][way.dir] == 0; }

    std::uint32_t WayBack(const CTintinWay& way, CMatch match) const
    {
        const std::uint64_t key = Key(way.to, way.from);
        std::uint32_t best = CTintinIndex::kNone;
        for (auto it = std::lower_bound(m_byPair.begin(), m_byPair.end(), std::make_pair(key, 0u));
             it != m_byPair.end() && it->first == key; ++it) {
            const CTintinWay& back = m_ways[it->second];
            if (!m_used[it->second] && SlotFree(back) && Answers(way, back, match) &&
                !(back.from == way.from && back.dir == way.dir) &&
                (best == CTintinIndex::kNone || back.dir < m_ways[best].dir))
                best = it->second;
        }
        return best;
    }

    void AddLink(const CTintinWay& way, const CTintinWay* back)
    {
        CLink link;
        link.m_nId = static_cast<LinkId>(m_links.size() + 1);
        link.m_nFromRoom = m_index.Vnum(way.from);
        link.m_nToRoom = m_index.Vnum(way.to);
        link.m_nFromDir = way.dir;
        link.m_nToDir = back ? back->dir : DIR_NONE;
        Slot(way) = link.m_nId;
        if (back)
            Slot(*back) = link.m_nId;
        m_links.push_back(link);
    }

    const CTintinIndex& m_index;
    const std::vector<CTintinWay>& m_ways;
    std::vector<CTintinSlots>& m_slots;
    std::vector<bool> m_used;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> m_byPair;  // by (from, to), file order within
    std::vector<std::uint32_t> m_order;                              // by room vnum and direction
    std::vector<CLink> m_links;
};
}  // namespace

std::vector<CLink> PairTintinWays(const CTintinIndex& index, const std::vector<CTintinWay>& ways,
                                  std::vector<CTintinSlots>& slots, CFormatReport& report)
{
    slots.assign(index.RealCount(), CTintinSlots{});
    CPairing pairing(index, ways, slots);
    for (CMatch match : {CMatch::Opposite, CMatch::SameCells, CMatch::Any})
        pairing.Pair(match);
    pairing.ReportLeftOut(report);
    return pairing.TakeLinks();
}

#include "mapper/view/hit_geometry.h"

#include "mapper/model/document.h"
#include "mapper/view/geometry.h"
#include "mapper/view/room_geometry.h"

CRoomHitGeometry RoomHitGeometry(std::int32_t x, std::int32_t y)
{
    const CPoint64 sq = RoomSquareOrigin(x, y);
    return {MakePoint(sq.x, sq.y),
            CRect{Saturate32(sq.x - 2), Saturate32(sq.y - 2), Saturate32(sq.x + 14), Saturate32(sq.y + 14)}};
}

bool IsDrawnLink(const CLink& link)
{
    return IsDirection(link.m_nFromDir) && link.m_nToDir >= 0 && link.m_nToDir < 8;
}

void LinkCorridorPoints(const CLink& link, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                        CPoint out[8])
{
    const CPoint64 sa = RoomSquareOrigin(ax, ay), sb = RoomSquareOrigin(bx, by);
    const CLinkEnd& ea = LinkEnd(link.m_nFromDir);
    const CLinkEnd& eb = LinkEnd(link.m_nToDir);
    const CPoint64 p[4] = {{sa.x + ea.ax, sa.y + ea.ay}, {sa.x + ea.sx, sa.y + ea.sy}, {sb.x + eb.sx, sb.y + eb.sy},
                           {sb.x + eb.ax, sb.y + eb.ay}};
    const CCorridor& ks = LinkCorridor(link.m_nFromDir);
    const CCorridor& kd = LinkCorridor(link.m_nToDir);
    auto at = [](const CPoint64& q, const int* k) { return MakePoint(q.x + k[0], q.y + k[1]); };
    out[0] = at(p[0], ks.k[0]);
    out[1] = at(p[1], ks.k[2]);
    out[2] = at(p[2], kd.k[2]);
    out[3] = at(p[3], kd.k[0]);
    out[4] = at(p[3], kd.k[1]);
    out[5] = at(p[2], kd.k[3]);
    out[6] = at(p[1], ks.k[3]);
    out[7] = at(p[0], ks.k[1]);
}

void StoreRoomHitGeometry(CVorMapperDoc& doc, RoomId id, const CRoom& room)
{
    const CRoomHitGeometry g = RoomHitGeometry(room.m_nX, room.m_nY);
    if (!(room.m_ptSquare == g.square) || !(room.m_rcHit == g.hit))
        doc.SetRoomHitData(id, g.square, g.hit);
}

bool StoreLinkHitGeometry(CVorMapperDoc& doc, LinkId id, const CLink& link)
{
    if (!IsDrawnLink(link))
        return false;
    const CRoom* a = doc.GetRooms().Find(link.m_nFromRoom);
    const CRoom* b = doc.GetRooms().Find(link.m_nToRoom);
    if (!a || !b)
        return false;
    CPoint rgn[8];
    LinkCorridorPoints(link, a->m_nX, a->m_nY, b->m_nX, b->m_nY, rgn);
    bool same = link.m_hRgn && link.m_hRgn->Points().size() == 8;
    for (int i = 0; same && i < 8; ++i)
        same = link.m_hRgn->Points()[i] == rgn[i];
    if (!same)
        doc.SetLinkRegion(id, CreatePolygonRegion(rgn, 8));
    return true;
}

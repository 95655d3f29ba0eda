// The parts of the paint around the planes: grid, rubber band, guides, the
// wind rose overlay and the state labels.
#include <algorithm>
#include <cstdio>

#include "mapper/model/document.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/paint_pass.h"
#include "mapper/view/playback_clip.h"
#include "mapper/view/room_geometry.h"

namespace {
// More grid lines than this and only those that can reach the window are drawn.
constexpr std::int64_t kGridFullHalfSide = kCellPitch * 1024;

struct CRoseTriangle {
    Direction dir;
    int pt[3][2];
    ColorRef color;
};
const CRoseTriangle kRose[kDirCount] = {
    {DIR_N, {{-10, -10}, {0, -45}, {10, -10}}, kColorRoseMain},
    {DIR_E, {{10, -10}, {45, 0}, {10, 10}}, kColorRoseMain},
    {DIR_S, {{10, 10}, {0, 45}, {-10, 10}}, kColorRoseMain},
    {DIR_W, {{-10, 10}, {-45, 0}, {-10, -10}}, kColorRoseMain},
    {DIR_NE, {{0, -10}, {25, -25}, {10, 0}}, kColorRoseDiagonal},
    {DIR_SE, {{10, 0}, {25, 25}, {0, 10}}, kColorRoseDiagonal},
    {DIR_SW, {{0, 10}, {-25, 25}, {-10, 0}}, kColorRoseDiagonal},
    {DIR_NW, {{-10, 0}, {-25, -25}, {0, -10}}, kColorRoseDiagonal},
    {DIR_U, {{-10, 0}, {0, -10}, {10, 0}}, kColorRoseMain},
    {DIR_D, {{10, 0}, {-10, 0}, {0, 10}}, kColorRoseMain},
};
struct CRoseLetter {
    const char* text;
    CRect box;
};
const CRoseLetter kLetters[4] = {
    {"N", {-10, -25, 10, -10}}, {"E", {10, -10, 25, 10}}, {"S", {-10, 10, 10, 25}}, {"W", {-25, -10, -10, 10}}};

CPoint g_ptLastStatus;
}  // namespace

std::int64_t GridHalfSide(const CViewTransform& t, int w, int h)
{
    const double inv = 1.0 / t.Zoom();
    const std::int64_t d[4] = {Trunc64(t.OriginX() * inv), Trunc64((std::int64_t{w} - t.OriginX()) * inv),
                               Trunc64(t.OriginY() * inv), Trunc64((std::int64_t{h} - t.OriginY()) * inv)};
    std::int64_t largest = d[0];
    for (std::int64_t v : d)
        if (v > largest)
            largest = v;
    return kCellPitch * (Trunc64(largest * 1.5) / kCellPitch);
}

void RecordGrid(CMapCanvas& canvas, int w, int h)
{
    const CViewTransform& t = canvas.Transform();
    const std::int64_t L = GridHalfSide(t, w, h);
    std::int64_t xlo = -L, xhi = L, ylo = -L, yhi = L;
    if (L > kGridFullHalfSide) {
        // The window's corners in map units bound the lines that can show.
        const CPoint c[4] = {t.WindowToMap(0, 0), t.WindowToMap(w, 0),
                             t.WindowToMap(0, h), t.WindowToMap(w, h)};
        const std::int64_t margin = 52 + static_cast<std::int64_t>(8 / t.Zoom());
        std::int64_t mx0 = c[0].x, mx1 = c[0].x, my0 = c[0].y, my1 = c[0].y;
        for (const CPoint& p : c) {
            mx0 = std::min<std::int64_t>(mx0, p.x);
            mx1 = std::max<std::int64_t>(mx1, p.x);
            my0 = std::min<std::int64_t>(my0, p.y);
            my1 = std::max<std::int64_t>(my1, p.y);
        }
        xlo = std::max(xlo, mx0 - margin);
        xhi = std::min(xhi, mx1 + margin);
        ylo = std::max(ylo, my0 - margin);
        yhi = std::min(yhi, my1 + margin);
    }
    if (L <= kGridFullHalfSide) {
        for (std::int64_t i = -L; i < L; i += kCellPitch) {
            canvas.AddLine(i, -L, i, L);
            canvas.AddLine(-L, i, L, i);
        }
    } else {
        // Only the lines that can reach the window; the vertical ones, then the
        // horizontal ones. Each keeps its specified end points, so that it gets
        // exactly the pixels of the whole line, while their window positions
        // stay within what playback passes on uncut; only beyond that is a
        // line cut to the window (and then rounded where it is cut).
        auto firstLine = [L](std::int64_t lo) { return lo <= -L ? -L : -L + (lo + L + kCellPitch - 1) / kCellPitch * kCellPitch; };
        auto fits = [&t](std::int64_t x, std::int64_t y) {
            std::int64_t wx, wy;
            t.MapToWindow64(x, y, wx, wy);
            return wx >= -CPlaybackClip::kGuard && wx <= CPlaybackClip::kGuard && wy >= -CPlaybackClip::kGuard &&
                   wy <= CPlaybackClip::kGuard;
        };
        auto add = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t cx1,
                       std::int64_t cy1, std::int64_t cx2, std::int64_t cy2) {
            if (fits(x1, y1) && fits(x2, y2))
                canvas.AddLine(x1, y1, x2, y2);
            else
                canvas.AddLine(cx1, cy1, cx2, cy2);
        };
        for (std::int64_t i = firstLine(xlo); i < L && i <= xhi; i += kCellPitch)
            add(i, -L, i, L, i, ylo, i, yhi);
        for (std::int64_t i = firstLine(ylo); i < L && i <= yhi; i += kCellPitch)
            add(-L, i, L, i, xlo, i, xhi, i);
    }
}

void CPaintPass::Grid()
{
    CMapCanvas canvas = NewCanvas(kColorGrid);
    RecordGrid(canvas, m_nWidth, m_nHeight);
    PlayAndRecycle(canvas);
}

void CPaintPass::RubberBand()
{
    CMapCanvas canvas = NewCanvas(kColorBandPen);
    const CRect& b = m_view.m_rcBand;
    canvas.AddRectangle(b.left, b.top, b.right, b.bottom, kColorBandFill);
    canvas.Play(m_dc);
}

void CPaintPass::RotationGuide()
{
    CMapCanvas canvas(0, 0, 0.0, 1.0, kColorGuide);
    const std::int64_t ox = m_transform.OriginX(), oy = m_transform.OriginY();
    canvas.AddCircle(ox, oy, m_view.Pixels(10), kColorNone);
    canvas.AddLine(ox, oy, m_view.m_rotation.m_ptLast.x, m_view.m_rotation.m_ptLast.y);
    canvas.AddCircle(ox, oy, m_view.m_rotation.m_nRadius, kColorNone);
    canvas.Play(m_dc);
}

void CPaintPass::PanningGuide()
{
    CMapCanvas canvas(0, 0, 0.0, 1.0, kColorGuide);
    const std::int64_t ox = m_transform.OriginX(), oy = m_transform.OriginY();
    const std::int64_t px = ox + m_view.m_ptGrab.x, py = oy + m_view.m_ptGrab.y;
    canvas.AddCircle(ox, oy, m_view.Pixels(10), kColorNone);
    canvas.AddLine(ox, oy, px, py);
    canvas.AddCircle(px, py, m_view.Pixels(15), kColorNone);
    canvas.Play(m_dc);
}

void CPaintPass::Rose()
{
    // Drawn in 96-DPI pixels about its centre, scaled to the screen.
    CMapCanvas canvas(m_nWidth - m_view.Pixels(50), m_nHeight - m_view.Pixels(50), m_transform.Angle(),
                      m_view.Scale(), kColorWhite);
    canvas.AddCircle(0, 0, 50, kColorRoseDisc);
    const CRoom* current = m_doc.GetRooms().Find(m_doc.m_nCurrentRoom);
    for (int i = 0; i < kDirCount; ++i) {
        const CRoseTriangle& t = kRose[i];
        if (i < 4)
            canvas.AddText(kLetters[i].box, kLetters[i].text);
        ColorRef fill = t.color;
        if (t.dir == m_view.m_nPressedRoseDir)
            fill = kColorRosePressed;
        else if (current && current->m_links[t.dir] != 0)
            fill = kColorRoseExit;
        canvas.AddTriangle(t.pt[0][0], t.pt[0][1], t.pt[1][0], t.pt[1][1], t.pt[2][0], t.pt[2][1], fill,
                           &m_view.m_roseRegions[t.dir]);
    }
    canvas.Play(m_dc);
}

void CPaintPass::StateLabels()
{
    const CFontDesc oldFont = m_dc.SelectFont({"Tahoma", 100});
    m_dc.SetBkMode(BkMode::Transparent);
    m_dc.SetTextColor(0x000000);
    char head[32];
    std::snprintf(head, sizeof head, "[%i] ", static_cast<int>(m_doc.m_nCurrentPlane));
    const int margin = m_view.Pixels(5), line = m_view.Pixels(15);
    m_dc.TextOut(margin, 0, head + m_doc.GetPlaneName(m_doc.m_nCurrentPlane));
    const CRoom* current = m_doc.GetRooms().Find(m_doc.m_nCurrentRoom);
    m_dc.TextOut(margin, line, current ? current->m_info.m_strTitle : std::string());
    m_dc.TextOut(margin, m_nHeight - line, m_view.m_strStatus);

    const bool oldAlign = m_dc.SetTextAlignRight(true);
    m_dc.SetTextColor(m_doc.m_bTrace ? kColorStateOn : kColorStateOff);
    DrawStatusLine(m_dc, m_nWidth - margin, 0, m_doc.m_bTrace ? "Trace" : "Explore", line);
    if (m_doc.IsOnline()) {
        m_dc.SetTextColor(kColorStateOn);
        DrawStatusLine(m_dc, -1, -1, "Online", line);
    }
    if (m_doc.IsFollowingOnline()) {
        m_dc.SetTextColor(kColorStateFollow);
        DrawStatusLine(m_dc, -1, -1, "Follow " + m_doc.GetFollowName(), line);
    }
    if (!m_view.m_strNote.empty()) {
        m_dc.SetTextColor(kColorStateOff);
        DrawStatusLine(m_dc, -1, -1, m_view.m_strNote, line);
    }
    m_dc.SetTextAlignRight(oldAlign);
    m_dc.SelectFont(oldFont);
}

void DrawStatusLine(IPaintDC& dc, int x, int y, std::string_view text, int lineHeight)
{
    if (x == -1)
        x = g_ptLastStatus.x;
    if (y == -1)
        y = g_ptLastStatus.y + lineHeight;
    dc.TextOut(x, y, text);
    g_ptLastStatus = {x, y};
}

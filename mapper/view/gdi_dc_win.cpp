#include "mapper/view/gdi_dc_win.h"

#include <string>

#include "mapper/view/map_paint.h"

static_assert(sizeof(CPoint) == sizeof(POINT), "CPoint and POINT share their layout");
static_assert(sizeof(CRect) == sizeof(RECT), "CRect and RECT share their layout");

namespace {
const POINT* AsPoints(const CPoint* p) { return reinterpret_cast<const POINT*>(p); }
RECT AsRect(const CRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }
}  // namespace

CGdiDC::CGdiDC(HDC hdc, int w, int h, int dpi)
    : m_hdc(hdc), m_nWidth(w), m_nHeight(h), m_nDpi(dpi > 0 ? dpi : ::GetDeviceCaps(hdc, LOGPIXELSY))
{
}

CGdiDC::~CGdiDC()
{
    if (m_hPenOriginal)
        ::SelectObject(m_hdc, m_hPenOriginal);
    if (m_hBrushOriginal)
        ::SelectObject(m_hdc, m_hBrushOriginal);
    if (m_hFontOriginal)
        ::SelectObject(m_hdc, m_hFontOriginal);
    for (HGDIOBJ made : {m_hPenMade, m_hFontMade})
        if (made)
            ::DeleteObject(made);
    for (const CBrush& b : m_brushes)
        if (b.handle)
            ::DeleteObject(b.handle);
}

void CGdiDC::Replace(HGDIOBJ obj, HGDIOBJ& made, HGDIOBJ& original)
{
    HGDIOBJ old = ::SelectObject(m_hdc, obj);
    if (!original)
        original = old;
    if (made && made != obj)
        ::DeleteObject(made);  // deselected just now
    made = obj;
}

CPenDesc CGdiDC::SelectPen(const CPenDesc& pen)
{
    const CPenDesc old = m_pen;
    HPEN h = ::CreatePen(PS_SOLID, pen.width, pen.color);
    if (h) {
        Replace(h, m_hPenMade, m_hPenOriginal);
        m_pen = pen;
    }
    return old;
}

ColorRef CGdiDC::SelectBrush(ColorRef fill)
{
    const ColorRef old = m_brush;
    HGDIOBJ h = fill == kColorNone ? ::GetStockObject(NULL_BRUSH) : BrushOf(fill);
    if (!h)
        return old;
    HGDIOBJ prev = ::SelectObject(m_hdc, h);
    if (!m_hBrushOriginal)
        m_hBrushOriginal = prev;
    m_brush = fill;
    return old;
}

HGDIOBJ CGdiDC::BrushOf(ColorRef fill)
{
    for (const CBrush& b : m_brushes)
        if (b.handle && b.color == fill)
            return b.handle;
    // The oldest made goes, unless it is the one selected now.
    CBrush* slot = &m_brushes[m_nNextBrush];
    if (slot->handle && slot->color == m_brush) {
        m_nNextBrush = (m_nNextBrush + 1) % kBrushes;
        slot = &m_brushes[m_nNextBrush];
    }
    HBRUSH h = ::CreateSolidBrush(fill);
    if (!h)
        return nullptr;
    if (slot->handle)
        ::DeleteObject(slot->handle);
    *slot = {fill, h};
    m_nNextBrush = (m_nNextBrush + 1) % kBrushes;
    return h;
}

CFontDesc CGdiDC::SelectFont(const CFontDesc& font)
{
    const CFontDesc old = m_font;
    LOGFONTA lf{};
    // A point font: tenths of a point at the resolution drawn for.
    lf.lfHeight = font.pointTenths == 0 ? 0 : -::MulDiv(font.pointTenths, m_nDpi, 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
    HFONT h = ::CreateFontIndirectA(&lf);
    if (h) {
        Replace(h, m_hFontMade, m_hFontOriginal);
        m_font = font;
    }
    return old;
}

void CGdiDC::FillSolidRect(const CRect& rc, ColorRef color)
{
    const COLORREF old = ::SetBkColor(m_hdc, color);
    const RECT r = AsRect(rc);
    ::ExtTextOutA(m_hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hdc, old);
}

void CGdiDC::Polygon(const CPoint* points, int count) { ::Polygon(m_hdc, AsPoints(points), count); }

void CGdiDC::Ellipse(const CRect& b) { ::Ellipse(m_hdc, b.left, b.top, b.right, b.bottom); }

void CGdiDC::PolyPolyline(const CPoint* points, const std::uint32_t* counts, int polylines)
{
    ::PolyPolyline(m_hdc, AsPoints(points), reinterpret_cast<const DWORD*>(counts), static_cast<DWORD>(polylines));
}

void CGdiDC::DrawTextCentered(const CRect& rc, std::string_view text)
{
    RECT r = AsRect(rc);
    ::DrawTextA(m_hdc, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CGdiDC::TextOut(int x, int y, std::string_view text)
{
    ::TextOutA(m_hdc, x, y, text.data(), static_cast<int>(text.size()));
}

CSize CGdiDC::GetTextExtent(std::string_view text)
{
    SIZE s{};
    ::GetTextExtentPoint32A(m_hdc, text.data(), static_cast<int>(text.size()), &s);
    return {s.cx, s.cy};
}

ColorRef CGdiDC::SetTextColor(ColorRef color) { return ::SetTextColor(m_hdc, color); }
ColorRef CGdiDC::SetBkColor(ColorRef color) { return ::SetBkColor(m_hdc, color); }

BkMode CGdiDC::SetBkMode(BkMode mode)
{
    const int old = ::SetBkMode(m_hdc, mode == BkMode::Transparent ? TRANSPARENT : OPAQUE);
    return old == TRANSPARENT ? BkMode::Transparent : BkMode::Opaque;
}

bool CGdiDC::SetTextAlignRight(bool right)
{
    const UINT old = ::SetTextAlign(m_hdc, (right ? TA_RIGHT : TA_LEFT) | TA_TOP | TA_NOUPDATECP);
    return old != GDI_ERROR && (old & TA_RIGHT) == TA_RIGHT && (old & TA_CENTER) != TA_CENTER;
}

CGdiOffscreen::CGdiOffscreen(HDC window, int w, int h) : m_nWidth(w), m_nHeight(h)
{
    m_hdc = ::CreateCompatibleDC(window);
    if (!m_hdc)
        return;
    m_hBitmap = ::CreateCompatibleBitmap(window, w > 0 ? w : 1, h > 0 ? h : 1);
    if (m_hBitmap)
        m_hOldBitmap = ::SelectObject(m_hdc, m_hBitmap);
}

CGdiOffscreen::~CGdiOffscreen()
{
    if (m_hdc && m_hOldBitmap)
        ::SelectObject(m_hdc, m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    if (m_hdc)
        ::DeleteDC(m_hdc);
}

void CGdiOffscreen::CopyTo(HDC window) const
{
    ::BitBlt(window, 0, 0, m_nWidth, m_nHeight, m_hdc, 0, 0, SRCCOPY);
}

bool PaintMapToWindow(HDC window, CVorMapperDoc& doc, CViewState& view, int w, int h,
                      std::unique_ptr<CGdiOffscreen>& back)
{
    if (!back || back->Width() != w || back->Height() != h || !back->Ok()) {
        back.reset();
        back = std::make_unique<CGdiOffscreen>(window, w, h);
    }
    if (!back->Ok())
        return false;
    {
        CGdiDC dc(back->Dc(), w, h, view.m_nDpi);
        PaintMapView(doc, view, dc);
    }
    back->CopyTo(window);
    return true;
}

bool PaintMapToWindow(HDC window, CVorMapperDoc& doc, CViewState& view, int w, int h)
{
    std::unique_ptr<CGdiOffscreen> back;
    return PaintMapToWindow(window, doc, view, w, h, back);
}

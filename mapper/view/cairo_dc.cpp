#include "mapper/view/cairo_dc.h"

#include <cairo.h>

#include <cmath>
#include <vector>

#include "mapper/model/map_string.h"

namespace {
double Red(ColorRef c) { return (c & 0xFF) / 255.0; }
double Green(ColorRef c) { return ((c >> 8) & 0xFF) / 255.0; }
double Blue(ColorRef c) { return ((c >> 16) & 0xFF) / 255.0; }
}  // namespace

CCairoDC::CCairoDC(cairo_surface_t* surface, int w, int h) : m_cr(cairo_create(surface)), m_nWidth(w), m_nHeight(h)
{
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER);
    cairo_rectangle(m_cr, 0, 0, w, h);
    cairo_clip(m_cr);
    ApplyFont();
}

CCairoDC::~CCairoDC() { cairo_destroy(m_cr); }

bool CCairoDC::Ok(std::string& error) const
{
    const cairo_status_t st = cairo_status(m_cr);
    if (st == CAIRO_STATUS_SUCCESS)
        return true;
    error = cairo_status_to_string(st);
    return false;
}

void CCairoDC::SetColor(ColorRef c) { cairo_set_source_rgb(m_cr, Red(c), Green(c), Blue(c)); }

CPenDesc CCairoDC::SelectPen(const CPenDesc& pen)
{
    const CPenDesc old = m_pen;
    m_pen = pen;
    return old;
}

ColorRef CCairoDC::SelectBrush(ColorRef fill)
{
    const ColorRef old = m_brush;
    m_brush = fill;
    return old;
}

CFontDesc CCairoDC::SelectFont(const CFontDesc& font)
{
    const CFontDesc old = m_font;
    m_font = font;
    ApplyFont();
    return old;
}

void CCairoDC::ApplyFont()
{
    cairo_select_font_face(m_cr, m_font.face.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    // A size that comes to 0 pixels gets the platform's default size, as a
    // point font of height 0 does.
    const int px = PointFontPixels(m_font.pointTenths);
    cairo_set_font_size(m_cr, px > 0 ? px : PointFontPixels(100));
}

void CCairoDC::Stroke()
{
    // Pixel centres, as a one-pixel pen hits them.
    SetColor(m_pen.color);
    cairo_set_line_width(m_cr, m_pen.width);
    cairo_stroke(m_cr);
}

void CCairoDC::FillSolidRect(const CRect& rc, ColorRef color)
{
    SetColor(color);
    cairo_rectangle(m_cr, rc.left, rc.top, double(rc.right) - rc.left, double(rc.bottom) - rc.top);
    cairo_fill(m_cr);
}

void CCairoDC::Polygon(const CPoint* p, int count)
{
    if (count < 2)
        return;
    const double o = (m_pen.width % 2) ? 0.5 : 0.0;
    cairo_new_path(m_cr);
    for (int i = 0; i < count; ++i)
        cairo_line_to(m_cr, p[i].x + o, p[i].y + o);
    cairo_close_path(m_cr);
    if (m_brush != kColorNone) {
        SetColor(m_brush);
        cairo_fill_preserve(m_cr);
    }
    Stroke();
}

void CCairoDC::Ellipse(const CRect& b)
{
    const double w = double(b.right) - b.left, h = double(b.bottom) - b.top;
    if (w <= 0 || h <= 0)
        return;
    cairo_new_path(m_cr);
    cairo_save(m_cr);
    cairo_translate(m_cr, b.left + w / 2, b.top + h / 2);
    cairo_scale(m_cr, w / 2, h / 2);
    cairo_arc(m_cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(m_cr);
    if (m_brush != kColorNone) {
        SetColor(m_brush);
        cairo_fill_preserve(m_cr);
    }
    Stroke();
}

void CCairoDC::PolyPolyline(const CPoint* p, const std::uint32_t* counts, int polylines)
{
    const double o = (m_pen.width % 2) ? 0.5 : 0.0;
    cairo_new_path(m_cr);
    for (int k = 0; k < polylines; ++k) {
        const std::uint32_t n = counts[k];
        if (n > 0)
            cairo_move_to(m_cr, p[0].x + o, p[0].y + o);
        for (std::uint32_t i = 1; i < n; ++i)
            cairo_line_to(m_cr, p[i].x + o, p[i].y + o);
        p += n;
    }
    Stroke();
}

CSize CCairoDC::GetTextExtent(std::string_view text)
{
    cairo_font_extents_t fe;
    cairo_font_extents(m_cr, &fe);
    cairo_text_extents_t te{};
    const std::string u = MapTextToUtf8(text);
    if (!u.empty())
        cairo_text_extents(m_cr, u.c_str(), &te);
    auto clampPx = [](double v) { return static_cast<std::int32_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1e9))); };
    return {clampPx(te.x_advance), clampPx(fe.ascent + fe.descent)};
}

void CCairoDC::ShowText(double x, double y, const std::string& utf8, const CSize& ext)
{
    if (m_mode == BkMode::Opaque) {
        SetColor(m_back);
        cairo_rectangle(m_cr, x, y, ext.cx, ext.cy);
        cairo_fill(m_cr);
    }
    cairo_font_extents_t fe;
    cairo_font_extents(m_cr, &fe);
    cairo_scaled_font_t* font = cairo_get_scaled_font(m_cr);
    cairo_glyph_t* glyphs = nullptr;
    int n = 0;
    if (cairo_scaled_font_text_to_glyphs(font, x, y + fe.ascent, utf8.c_str(), int(utf8.size()), &glyphs, &n, nullptr,
                                         nullptr, nullptr) != CAIRO_STATUS_SUCCESS)
        return;
    // Long labels run far beyond the surface: only the glyphs that can show go to cairo.
    const double reach = fe.max_x_advance + fe.height + 4;
    std::vector<cairo_glyph_t> shown;
    for (int i = 0; i < n; ++i)
        if (glyphs[i].x > -reach && glyphs[i].x < m_nWidth + reach)
            shown.push_back(glyphs[i]);
    cairo_glyph_free(glyphs);
    if (shown.empty())
        return;
    SetColor(m_text);
    cairo_show_glyphs(m_cr, shown.data(), int(shown.size()));
}

void CCairoDC::TextOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
    const CSize ext = GetTextExtent(text);
    ShowText(m_bRight ? double(x) - ext.cx : double(x), y, MapTextToUtf8(text), ext);
}

void CCairoDC::DrawTextCentered(const CRect& rc, std::string_view text)
{
    if (text.empty())
        return;
    const CSize ext = GetTextExtent(text);
    const double x = rc.left + (double(rc.right) - rc.left - ext.cx) / 2;
    const double y = rc.top + (double(rc.bottom) - rc.top - ext.cy) / 2;
    cairo_save(m_cr);
    cairo_rectangle(m_cr, rc.left, rc.top, double(rc.right) - rc.left, double(rc.bottom) - rc.top);
    cairo_clip(m_cr);
    ShowText(std::floor(x), std::floor(y), MapTextToUtf8(text), ext);
    cairo_restore(m_cr);
}

ColorRef CCairoDC::SetTextColor(ColorRef color)
{
    const ColorRef old = m_text;
    m_text = color;
    return old;
}

ColorRef CCairoDC::SetBkColor(ColorRef color)
{
    const ColorRef old = m_back;
    m_back = color;
    return old;
}

BkMode CCairoDC::SetBkMode(BkMode mode)
{
    const BkMode old = m_mode;
    m_mode = mode;
    return old;
}

bool CCairoDC::SetTextAlignRight(bool right)
{
    const bool old = m_bRight;
    m_bRight = right;
    return old;
}

#pragma once
// A drawing surface on cairo, for image export: the same pens, brushes, fonts
// and shapes as the platform's device context, on an image, SVG or PDF
// surface. Coordinates are pixels (points for PDF).
#include <string>

#include "mapper/view/paint_dc.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

class CCairoDC : public IPaintDC {
public:
    // Draws on the surface, w × h; the surface stays the caller's.
    CCairoDC(cairo_surface_t* surface, int w, int h);
    ~CCairoDC() override;
    CCairoDC(const CCairoDC&) = delete;
    CCairoDC& operator=(const CCairoDC&) = delete;

    // False, with the cairo error text, once drawing has failed.
    bool Ok(std::string& error) const;

    int Width() const override { return m_nWidth; }
    int Height() const override { return m_nHeight; }
    CPenDesc SelectPen(const CPenDesc& pen) override;
    ColorRef SelectBrush(ColorRef fill) override;
    CFontDesc SelectFont(const CFontDesc& font) override;
    void FillSolidRect(const CRect& rc, ColorRef color) override;
    void Polygon(const CPoint* points, int count) override;
    void Ellipse(const CRect& box) override;
    void PolyPolyline(const CPoint* points, const std::uint32_t* counts, int polylines) override;
    void DrawTextCentered(const CRect& rc, std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    CSize GetTextExtent(std::string_view text) override;
    ColorRef SetTextColor(ColorRef color) override;
    ColorRef SetBkColor(ColorRef color) override;
    BkMode SetBkMode(BkMode mode) override;
    bool SetTextAlignRight(bool right) override;

private:
    void SetColor(ColorRef c);
    void Stroke();
    void ApplyFont();
    // Draws the text with its top-left corner at (x, y), only the glyphs that can show.
    void ShowText(double x, double y, const std::string& utf8, const CSize& ext);

    cairo_t* m_cr;
    int m_nWidth, m_nHeight;
    CPenDesc m_pen;
    ColorRef m_brush = kColorNone;
    CFontDesc m_font{"Tahoma", 100};
    ColorRef m_text = 0, m_back = 0xFFFFFF;
    BkMode m_mode = BkMode::Opaque;
    bool m_bRight = false;
};

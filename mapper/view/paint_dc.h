#pragma once
// What the map paint asks of a drawing surface: pens, brushes and fonts
// selected by value (a Select returns what was selected before, for
// restoring), the shapes of the display lists, and text. Implemented by GDI
// in the Windows build and by cairo for image export.
#include <cstdint>
#include <string>
#include <string_view>

#include "mapper/model/types.h"

struct CPenDesc {
    ColorRef color = 0;
    int width = 1;
    friend bool operator==(const CPenDesc&, const CPenDesc&) = default;
};

struct CFontDesc {
    std::string face;
    int pointTenths = 0;  // tenths of a point
    friend bool operator==(const CFontDesc&, const CFontDesc&) = default;
};

struct CSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

enum class BkMode { Transparent = 1, Opaque = 2 };

// Pixel height of a point font on a 96 dpi surface, rounded as the platform's
// MulDiv does.
int PointFontPixels(int pointTenths);

class IPaintDC {
public:
    virtual ~IPaintDC() = default;

    // Size of the surface in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual CPenDesc SelectPen(const CPenDesc& pen) = 0;
    // kColorNone selects the null brush.
    virtual ColorRef SelectBrush(ColorRef fill) = 0;
    virtual CFontDesc SelectFont(const CFontDesc& font) = 0;

    virtual void FillSolidRect(const CRect& rc, ColorRef color) = 0;
    virtual void Polygon(const CPoint* points, int count) = 0;
    virtual void Ellipse(const CRect& box) = 0;
    virtual void PolyPolyline(const CPoint* points, const std::uint32_t* counts, int polylines) = 0;

    // One line centred horizontally and vertically in the rectangle.
    virtual void DrawTextCentered(const CRect& rc, std::string_view text) = 0;
    // The text with its top-left corner at (x, y), or its top-right corner
    // while right alignment is on.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual CSize GetTextExtent(std::string_view text) = 0;
    virtual ColorRef SetTextColor(ColorRef color) = 0;
    virtual ColorRef SetBkColor(ColorRef color) = 0;
    virtual BkMode SetBkMode(BkMode mode) = 0;
    virtual bool SetTextAlignRight(bool right) = 0;
};

// A surface that draws nothing: keeps the selections and counts the calls.
// Text extents are those of a fixed-pitch font of the selected size.
class CNullPaintDC : public IPaintDC {
public:
    CNullPaintDC(int w, int h) : m_nWidth(w), m_nHeight(h) {}

    int Width() const override { return m_nWidth; }
    int Height() const override { return m_nHeight; }
    CPenDesc SelectPen(const CPenDesc& pen) override { return Swap(m_pen, pen); }
    ColorRef SelectBrush(ColorRef fill) override { ++m_nBrushes; return Swap(m_brush, fill); }
    CFontDesc SelectFont(const CFontDesc& font) override { return Swap(m_font, font); }
    void FillSolidRect(const CRect&, ColorRef) override { ++m_nCalls; }
    void Polygon(const CPoint*, int) override { ++m_nCalls; }
    void Ellipse(const CRect&) override { ++m_nCalls; }
    void PolyPolyline(const CPoint*, const std::uint32_t*, int) override { ++m_nCalls; }
    void DrawTextCentered(const CRect&, std::string_view) override { ++m_nCalls; }
    void TextOut(int, int, std::string_view) override { ++m_nCalls; }
    CSize GetTextExtent(std::string_view text) override;
    ColorRef SetTextColor(ColorRef c) override { return Swap(m_text, c); }
    ColorRef SetBkColor(ColorRef c) override { return Swap(m_back, c); }
    BkMode SetBkMode(BkMode m) override { return Swap(m_mode, m); }
    bool SetTextAlignRight(bool r) override { return Swap(m_bRight, r); }

    long m_nCalls = 0;
    long m_nBrushes = 0;

private:
    template <class T>
    static T Swap(T& slot, const T& v)
    {
        T old = slot;
        slot = v;
        return old;
    }
    int m_nWidth, m_nHeight;
    CPenDesc m_pen;
    ColorRef m_brush = 0xFFFFFF;
    CFontDesc m_font{"System", 100};
    ColorRef m_text = 0, m_back = 0xFFFFFF;
    BkMode m_mode = BkMode::Opaque;
    bool m_bRight = false;
};

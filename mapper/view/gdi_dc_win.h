#pragma once
// The paint's drawing surface on a Windows device context, and the off-screen
// bitmap a paint draws into before the one block copy to the window.
#include <windows.h>

#include <memory>

#include "mapper/view/paint_dc.h"

class CVorMapperDoc;
struct CViewState;

// Draws on a device context that stays the caller's. Pens and fonts selected
// here are created on selection and deleted once deselected; brushes, which
// a paint switches between for nearly every room, are kept by colour (a few
// of them) until destruction. The context's own objects are put back at
// destruction. Point sizes of fonts are taken at `dpi` pixels per inch: the
// window's resolution, which on a screen of its own may differ from the
// context's; 0 takes the context's.
class CGdiDC : public IPaintDC {
public:
    CGdiDC(HDC hdc, int w, int h, int dpi = 0);
    ~CGdiDC() override;
    CGdiDC(const CGdiDC&) = delete;
    CGdiDC& operator=(const CGdiDC&) = delete;

    HDC GetSafeHdc() const { return m_hdc; }

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
    // Selects the object and deletes the one this class made before it.
    void Replace(HGDIOBJ obj, HGDIOBJ& made, HGDIOBJ& original);

    HDC m_hdc;
    int m_nWidth, m_nHeight;
    int m_nDpi;
    CPenDesc m_pen;
    ColorRef m_brush = 0xFFFFFF;
    CFontDesc m_font{"System", 0};
    HGDIOBJ BrushOf(ColorRef fill);

    struct CBrush {
        ColorRef color = 0;
        HGDIOBJ handle = nullptr;
    };
    static constexpr int kBrushes = 8;
    CBrush m_brushes[kBrushes];
    int m_nNextBrush = 0;
    HGDIOBJ m_hPenMade = nullptr, m_hFontMade = nullptr;
    HGDIOBJ m_hPenOriginal = nullptr, m_hBrushOriginal = nullptr, m_hFontOriginal = nullptr;
};

// A memory device context with a w × h bitmap compatible with a window's context.
class CGdiOffscreen {
public:
    CGdiOffscreen(HDC window, int w, int h);
    ~CGdiOffscreen();
    CGdiOffscreen(const CGdiOffscreen&) = delete;
    CGdiOffscreen& operator=(const CGdiOffscreen&) = delete;

    // False when the memory context or the bitmap could not be made.
    bool Ok() const { return m_hdc && m_hBitmap; }
    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // One block copy of the whole bitmap to (0, 0).
    void CopyTo(HDC window) const;

private:
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    int m_nWidth, m_nHeight;
};

// The view's paint: draws the map off screen and copies it to the window.
// False, with nothing drawn, when the off-screen bitmap cannot be made. A
// window keeps its bitmap in `back` from one paint to the next (made again
// when the size changes): a new one costs its allocation and a first touch
// of every page at each paint.
bool PaintMapToWindow(HDC window, CVorMapperDoc& doc, CViewState& view, int w, int h,
                      std::unique_ptr<CGdiOffscreen>& back);
bool PaintMapToWindow(HDC window, CVorMapperDoc& doc, CViewState& view, int w, int h);

#pragma once
// The off-screen device of one paint: a device context that forwards to the
// attached memory surface, plus one display list per pen colour (a layer),
// created on first use and played together near the end of the paint.
#include <cstdint>
#include <memory>

#include "mapper/model/bucket_map.h"
#include "mapper/view/map_canvas.h"
#include "mapper/view/paint_dc.h"

class CLayerDC : public IPaintDC {
public:
    using CLayerMap = CBucketMap<ColorRef, std::unique_ptr<CMapCanvas>>;

    CLayerDC(std::int32_t originX, std::int32_t originY, double angle, double zoom);
    ~CLayerDC() override;

    // The memory surface the paint draws into; not owned.
    void Attach(IPaintDC* output) { m_pOutput = output; }
    IPaintDC* GetOutput() const { return m_pOutput; }

    // A layer colour of kColorNone (-1) means the current layer colour.
    void LayerCircle(std::int64_t x, std::int64_t y, std::int32_t radius, ColorRef layer, ColorRef fill);
    void LayerRectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, ColorRef layer,
                        ColorRef fill);
    void LayerRectangle(const CRect& rc, ColorRef layer, ColorRef fill);
    void LayerPolyline4(const CPoint64* points, ColorRef layer);
    void LayerPolyline3(const CPoint64* points, ColorRef layer);
    // Plays every layer onto the output, in the layer map's order.
    void PlayLayers();

    const CLayerMap& Layers() const { return m_layers; }
    ColorRef CurrentLayerColor() const { return m_crCurrentLayer; }

    // IPaintDC, forwarded to the output.
    int Width() const override { return m_pOutput->Width(); }
    int Height() const override { return m_pOutput->Height(); }
    CPenDesc SelectPen(const CPenDesc& pen) override { return m_pOutput->SelectPen(pen); }
    ColorRef SelectBrush(ColorRef fill) override { return m_pOutput->SelectBrush(fill); }
    CFontDesc SelectFont(const CFontDesc& font) override { return m_pOutput->SelectFont(font); }
    void FillSolidRect(const CRect& rc, ColorRef color) override { m_pOutput->FillSolidRect(rc, color); }
    void Polygon(const CPoint* points, int count) override { m_pOutput->Polygon(points, count); }
    void Ellipse(const CRect& box) override { m_pOutput->Ellipse(box); }
    void PolyPolyline(const CPoint* points, const std::uint32_t* counts, int polylines) override
    {
        m_pOutput->PolyPolyline(points, counts, polylines);
    }
    void DrawTextCentered(const CRect& rc, std::string_view text) override { m_pOutput->DrawTextCentered(rc, text); }
    void TextOut(int x, int y, std::string_view text) override { m_pOutput->TextOut(x, y, text); }
    CSize GetTextExtent(std::string_view text) override { return m_pOutput->GetTextExtent(text); }
    ColorRef SetTextColor(ColorRef color) override { return m_pOutput->SetTextColor(color); }
    ColorRef SetBkColor(ColorRef color) override { return m_pOutput->SetBkColor(color); }
    BkMode SetBkMode(BkMode mode) override { return m_pOutput->SetBkMode(mode); }
    bool SetTextAlignRight(bool right) override { return m_pOutput->SetTextAlignRight(right); }

private:
    CMapCanvas& Layer(ColorRef color);

    std::int32_t m_nOriginX, m_nOriginY;
    double m_dAngle, m_dZoom;
    CLayerMap m_layers;
    ColorRef m_crCurrentLayer = 0;
    IPaintDC* m_pOutput = nullptr;
};

#include "mapper/view/layer_dc.h"

CLayerDC::CLayerDC(std::int32_t originX, std::int32_t originY, double angle, double zoom)
    : m_nOriginX(originX), m_nOriginY(originY), m_dAngle(angle), m_dZoom(zoom)
{
}

CLayerDC::~CLayerDC() { m_layers.clear(); }

CMapCanvas& CLayerDC::Layer(ColorRef color)
{
    if (color == kColorNone)
        color = m_crCurrentLayer;
    std::unique_ptr<CMapCanvas>* slot = m_layers.Find(color);
    if (!slot) {
        const std::uint32_t node =
            m_layers.Set(color, std::make_unique<CMapCanvas>(m_nOriginX, m_nOriginY, m_dAngle, m_dZoom, color)).first;
        slot = &m_layers.NodeValue(node);
    }
    m_crCurrentLayer = color;
    return **slot;
}

void CLayerDC::LayerCircle(std::int64_t x, std::int64_t y, std::int32_t radius, ColorRef layer, ColorRef fill)
{
    Layer(layer).AddCircle(x, y, radius, fill);
}

void CLayerDC::LayerRectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                              ColorRef layer, ColorRef fill)
{
    Layer(layer).AddRectangle(left, top, right, bottom, fill);
}

void CLayerDC::LayerRectangle(const CRect& rc, ColorRef layer, ColorRef fill)
{
    LayerRectangle(rc.left, rc.top, rc.right, rc.bottom, layer, fill);
}

void CLayerDC::LayerPolyline4(const CPoint64* points, ColorRef layer) { Layer(layer).AddPolyline(points, 4); }

void CLayerDC::LayerPolyline3(const CPoint64* points, ColorRef layer) { Layer(layer).AddPolyline(points, 3); }

void CLayerDC::PlayLayers()
{
    SelectBrush(kColorNone);
    for (auto it = m_layers.begin(); it != m_layers.end(); ++it)
        it.value()->Play(*this);
}

#pragma once
// A drawing surface for tests that writes down every call, one line each.
#include <sstream>
#include <string>
#include <vector>

#include "mapper/view/paint_dc.h"

class CRecordingDC : public CNullPaintDC {
public:
    CRecordingDC(int w = 800, int h = 600) : CNullPaintDC(w, h) {}

    CPenDesc SelectPen(const CPenDesc& pen) override
    {
        Log("pen " + Hex(pen.color) + " " + std::to_string(pen.width));
        return CNullPaintDC::SelectPen(pen);
    }
    ColorRef SelectBrush(ColorRef fill) override
    {
        Log(fill == kColorNone ? std::string("brush null") : "brush " + Hex(fill));
        return CNullPaintDC::SelectBrush(fill);
    }
    CFontDesc SelectFont(const CFontDesc& font) override
    {
        Log("font " + font.face + " " + std::to_string(font.pointTenths));
        return CNullPaintDC::SelectFont(font);
    }
    void FillSolidRect(const CRect& rc, ColorRef c) override { Log("fill " + Rect(rc) + " " + Hex(c)); }
    void Polygon(const CPoint* p, int n) override
    {
        std::string s = "polygon";
        for (int i = 0; i < n; ++i)
            s += " " + Pt(p[i]);
        Log(s);
    }
    void Ellipse(const CRect& b) override { Log("ellipse " + Rect(b)); }
    void PolyPolyline(const CPoint* p, const std::uint32_t* counts, int n) override
    {
        std::string s = "polypolyline " + std::to_string(n);
        for (int k = 0; k < n; ++k) {
            s += " [";
            for (std::uint32_t i = 0; i < counts[k]; ++i)
                s += (i ? " " : "") + Pt(*p++);
            s += "]";
        }
        Log(s);
        ++m_nPolyPolylines;
    }
    void DrawTextCentered(const CRect& rc, std::string_view t) override { Log("drawtext " + Rect(rc) + " " + std::string(t)); }
    void TextOut(int x, int y, std::string_view t) override
    {
        Log("textout " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(t.substr(0, 40)));
    }
    ColorRef SetTextColor(ColorRef c) override
    {
        Log("textcolor " + Hex(c));
        return CNullPaintDC::SetTextColor(c);
    }
    ColorRef SetBkColor(ColorRef c) override
    {
        Log("bkcolor " + Hex(c));
        return CNullPaintDC::SetBkColor(c);
    }
    BkMode SetBkMode(BkMode m) override
    {
        Log(m == BkMode::Transparent ? "bkmode transparent" : "bkmode opaque");
        return CNullPaintDC::SetBkMode(m);
    }
    bool SetTextAlignRight(bool r) override
    {
        Log(r ? "align right" : "align left");
        return CNullPaintDC::SetTextAlignRight(r);
    }

    // Lines starting with the prefix.
    std::vector<std::string> With(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& l : m_log)
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l);
        return out;
    }
    // Index of the first line equal to s at or after from, or -1.
    int Find(const std::string& s, int from = 0) const
    {
        for (int i = from; i < static_cast<int>(m_log.size()); ++i)
            if (m_log[i] == s)
                return i;
        return -1;
    }
    int FindPrefix(const std::string& s, int from = 0) const
    {
        for (int i = from; i < static_cast<int>(m_log.size()); ++i)
            if (m_log[i].rfind(s, 0) == 0)
                return i;
        return -1;
    }

    std::vector<std::string> m_log;
    int m_nPolyPolylines = 0;

    static std::string Hex(ColorRef c)
    {
        std::ostringstream o;
        o << std::hex << c;
        return o.str();
    }
    static std::string Pt(CPoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
    static std::string Rect(const CRect& r) { return Pt({r.left, r.top}) + "-" + Pt({r.right, r.bottom}); }

private:
    void Log(std::string s) { m_log.push_back(std::move(s)); }
};

#pragma once
// The parser behind ParseMudletJson, shared by the files that read each part
// of a Mudlet map: the map, areas, rooms and exits; labels; colours.
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

#include "mapper/formats/format_report.h"
#include "mapper/formats/json_reader.h"
#include "mapper/formats/mudlet_map.h"

namespace mudlet_parse {
using EKind = CJsonReader::EKind;
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

class CMudletParser {
public:
    CMudletParser(const std::uint8_t* data, std::size_t size, CMudletMap& map, CFormatReport& report)
        : m_json(reinterpret_cast<const char*>(data), size), m_map(map), m_report(report)
    {
    }
    void Map();
    const CJsonReader& Json() const { return m_json; }

private:
    void Expect(EKind kind, const std::string& what)
    {
        if (m_json.Peek() != kind)
            m_json.Fail(what + " must be " + CJsonReader::KindName(kind));
    }
    std::int64_t Whole(const std::string& what, std::int64_t lo, std::int64_t hi)
    {
        Expect(EKind::Number, what);
        std::int64_t v = 0;
        if (!m_json.Number().Whole(lo, hi, v))
            m_json.Fail(what + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
        return v;
    }
    double Real(const std::string& what)
    {
        Expect(EKind::Number, what);
        const double v = m_json.Number().dValue;
        if (v != v || v > 1e15 || v < -1e15)
            m_json.Fail(what + " is out of range");
        return v;
    }
    std::string Text(const std::string& what)
    {
        Expect(EKind::String, what);
        return m_json.String();
    }
    void Count(const std::string& what) { Whole(what, 0, kInt32Max); }
    void Unknown(const std::string& key)
    {
        m_report.NotCarried("unknown keys", 1, key);
        m_json.Skip();
    }
    // Skips a value, counting it as `kind` when it is not null or false.
    void Dropped(const char* kind)
    {
        const EKind k = m_json.Peek();
        if (k == EKind::Null) {
            m_json.Null();
            return;
        }
        if (k == EKind::Bool && !m_json.Bool())
            return;
        if (k != EKind::Bool)
            m_json.Skip();
        m_report.NotCarried(kind);
    }

    // Drops the value of a key that names a kind VorMapper has no place for.
    bool DroppedKey(const std::string& key, std::initializer_list<std::pair<const char*, const char*>> kinds)
    {
        for (const auto& [name, kind] : kinds)
            if (key == name) {
                Dropped(kind);
                return true;
            }
        return false;
    }

    void Areas();
    void Area(std::uint32_t index);
    void Room(std::uint32_t area);
    void Coordinates(CMudletRoom& room);
    void Exits(CMudletRoom& room, std::uint32_t roomIndex);
    void Exit(std::uint32_t roomIndex, std::uint32_t firstExit);
    void Labels(std::uint32_t area);
    void Label(std::uint32_t area);
    ColorRef Colour(const std::string& what, bool& transparent);
    // Reads the components of a colour member named `key`; false for another key.
    bool Components(const std::string& key, const std::string& what, unsigned rgba[4]);
    void UserData(CMudletUserData* vormapper);
    void EnvColors();
    void EnvMapping();
    void PlayersRoom();

    CJsonReader m_json;
    CMudletMap& m_map;
    CFormatReport& m_report;
    bool m_bVersion = false;
    bool m_bAreas = false;
};
}  // namespace mudlet_parse

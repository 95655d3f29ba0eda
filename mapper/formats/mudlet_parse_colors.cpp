// Mudlet colours: colour objects, custom environment colours, the mapping of environments.
#include <cstdlib>

#include "mapper/formats/mudlet_parser.h"

namespace mudlet_parse {

bool CMudletParser::Components(const std::string& key, const std::string& what, unsigned rgba[4])
{
    const int n = key == "color24RGB" ? 3 : key == "color32RGBA" ? 4 : 0;
    if (n == 0)
        return false;
    Expect(EKind::Array, what);
    m_json.BeginArray();
    rgba[3] = 255;
    int i = 0;
    while (m_json.NextElement()) {
        if (i == n)
            m_json.Fail(what + " must have " + std::to_string(n) + " components");
        rgba[i++] = static_cast<unsigned>(Whole(what, 0, 255));
    }
    if (i != n)
        m_json.Fail(what + " must have " + std::to_string(n) + " components");
    return true;
}

ColorRef CMudletParser::Colour(const std::string& what, bool& transparent)
{
    Expect(EKind::Object, what);
    m_json.BeginObject();
    std::string key;
    unsigned rgba[4] = {0, 0, 0, 255};
    bool found = false;
    while (m_json.NextMember(key)) {
        if (Components(key, what, rgba))
            found = true;
        else
            Unknown(key);
    }
    if (!found)
        m_json.Fail(what + " without color24RGB or color32RGBA");
    transparent = rgba[3] == 0;
    return Rgb(rgba[0], rgba[1], rgba[2]);
}

void CMudletParser::EnvColors()
{
    Expect(EKind::Array, "customEnvColors");
    m_json.BeginArray();
    while (m_json.NextElement()) {
        Expect(EKind::Object, "a custom environment colour");
        m_json.BeginObject();
        std::string key;
        std::int64_t id = 0;
        bool hasId = false, hasColour = false;
        unsigned rgba[4] = {0, 0, 0, 255};
        while (m_json.NextMember(key)) {
            if (key == "id") {
                id = Whole("the id of an environment", kInt32Min, kInt32Max);
                hasId = true;
            } else if (Components(key, "an environment colour", rgba)) {
                hasColour = true;
            } else {
                Unknown(key);
            }
        }
        if (!hasId || !hasColour)
            m_json.Fail("a custom environment colour needs an id and a colour");
        m_map.environments.custom[id] = Rgb(rgba[0], rgba[1], rgba[2]);
    }
}

void CMudletParser::EnvMapping()
{
    Expect(EKind::Object, "envToColorMapping");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        const std::int64_t to = Whole("an environment's colour index", kInt32Min, kInt32Max);
        char* end = nullptr;
        const long long from = std::strtoll(key.c_str(), &end, 10);
        if (key.empty() || *end != '\0')
            m_json.Fail("envToColorMapping has the key \"" + key + "\", which is not an environment number");
        m_map.environments.mapping[from] = to;
    }
}
}  // namespace mudlet_parse

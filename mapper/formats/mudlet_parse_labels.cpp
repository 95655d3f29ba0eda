// Mudlet labels: text, corner, size and colours.
#include "mapper/formats/mudlet_parser.h"

namespace mudlet_parse {

void CMudletParser::Labels(std::uint32_t area)
{
    Expect(EKind::Array, "the labels of an area");
    m_json.BeginArray();
    while (m_json.NextElement())
        Label(area);
}

void CMudletParser::Label(std::uint32_t area)
{
    Expect(EKind::Object, "a label");
    m_json.BeginObject();
    CMudletLabel label;
    label.area = area;
    bool hasCoordinates = false;
    std::string key;
    while (m_json.NextMember(key)) {
        if (key == "id") {
            label.id = Whole("the id of a label", kInt32Min, kInt32Max);
        } else if (key == "coordinates") {
            Expect(EKind::Array, "the coordinates of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                if (n == 0)
                    label.x = Real("the coordinates of a label");
                else if (n == 1)
                    label.y = Real("the coordinates of a label");
                else if (n == 2)
                    label.z = Whole("the level of a label", kInt32Min, kInt32Max);
                else
                    m_json.Fail("the coordinates of a label must be three numbers");
                ++n;
            }
            if (n != 3)
                m_json.Fail("the coordinates of a label must be three numbers");
            hasCoordinates = true;
        } else if (key == "size") {
            Expect(EKind::Array, "the size of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                if (n > 1)
                    m_json.Fail("the size of a label must be two numbers");
                (n++ == 0 ? label.width : label.height) = Real("the size of a label");
            }
        } else if (key == "text") {
            label.text = Text("the text of a label");
        } else if (key == "colors") {
            Expect(EKind::Array, "the colors of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                bool transparent = false;
                const ColorRef c = Colour("a label colour", transparent);
                if (n == 0)
                    label.fg = c;
                else if (n == 1)
                    label.bg = transparent ? kColorNone : c;
                ++n;
            }
        } else if (key == "image" || key == "showOnTop" || key == "scaledels") {
            m_json.Skip();  // the picture Mudlet draws, and how: the text is the label here
        } else {
            Unknown(key);
        }
    }
    if (!hasCoordinates)
        m_json.Fail("a label without coordinates");
    if (label.text.empty())
        m_report.NotCarried("image-only labels");
    else
        m_map.labels.push_back(std::move(label));
}
}  // namespace mudlet_parse

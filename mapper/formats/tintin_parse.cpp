#include "mapper/formats/tintin_parse.h"

#include "mapper/formats/tintin_text.h"

namespace {
// A whole number, spaces around it allowed; one too large for 64 bits
// gives the largest value.
bool ParseNumber(std::string_view s, std::uint64_t& value)
{
    s = TrimTintinField(s);
    if (s.empty())
        return false;
    value = 0;
    constexpr std::uint64_t kMax = ~std::uint64_t(0);
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return true;
}

struct CLine {
    std::string_view kind;
    std::vector<std::string_view> fields;
    std::uint32_t line = 0;
    bool strayText = false;  // text outside braces after the kind
    bool blank = false;      // nothing but spaces
};

class CScanner {
public:
    CScanner(const std::uint8_t* data, std::size_t size) : m_p(reinterpret_cast<const char*>(data)), m_size(size)
    {
        if (m_size >= 3 && m_p[0] == '\xEF' && m_p[1] == '\xBB' && m_p[2] == '\xBF')
            m_pos = 3;
    }

    bool AtEnd() const { return m_pos >= m_size; }

    // Passes a first line of "C <size>"; false for any other.
    bool SkipSizeLine()
    {
        std::size_t end = m_pos;
        while (end < m_size && m_p[end] != '\n')
            ++end;
        const std::string_view line(m_p + m_pos, end - m_pos);
        std::uint64_t size = 0;
        if (line.size() < 2 || line[0] != 'C' || (line[1] != ' ' && line[1] != '\t') ||
            !ParseNumber(line.substr(2), size))
            return false;
        m_pos = end < m_size ? end + 1 : end;
        ++m_line;
        return true;
    }

    // The next line, with braced fields that may span lines; false with
    // `error` set on unbalanced braces.
    bool Next(CLine& out, std::string& error)
    {
        out.fields.clear();
        out.strayText = false;
        out.blank = false;
        out.line = m_line;
        const std::size_t kindStart = m_pos;
        while (m_pos < m_size && m_p[m_pos] != ' ' && m_p[m_pos] != '\t' && m_p[m_pos] != '{' && m_p[m_pos] != '\n' &&
               m_p[m_pos] != '\r')
            ++m_pos;
        out.kind = std::string_view(m_p + kindStart, m_pos - kindStart);
        if (out.kind.empty() || out.kind[0] == '#') {  // a command line or an empty one: up to its end, braces or not
            out.blank = SkipToLineEnd();
            return true;
        }
        while (m_pos < m_size) {
            const char c = m_p[m_pos];
            if (c == '\n') {
                ++m_pos;
                ++m_line;
                return true;
            }
            if (c == ' ' || c == '\t' || c == '\r') {
                ++m_pos;
            } else if (c == '{') {
                const std::uint32_t openLine = m_line;
                const std::size_t start = ++m_pos;
                long depth = 1;
                while (m_pos < m_size && depth > 0) {
                    const char d = m_p[m_pos++];
                    if (d == '{')
                        ++depth;
                    else if (d == '}')
                        --depth;
                    else if (d == '\n')
                        ++m_line;
                }
                if (depth > 0) {
                    error = "unbalanced braces: the { on line " + std::to_string(openLine) + " is never closed";
                    return false;
                }
                out.fields.emplace_back(m_p + start, m_pos - 1 - start);
            } else if (c == '}') {
                error = "unbalanced braces: a } on line " + std::to_string(m_line) + " closes nothing";
                return false;
            } else {
                out.strayText = true;
                ++m_pos;
            }
        }
        return true;
    }

private:
    // True when the rest of the line is blank.
    bool SkipToLineEnd()
    {
        bool blank = true;
        for (; m_pos < m_size && m_p[m_pos] != '\n'; ++m_pos)
            blank = blank && (m_p[m_pos] == ' ' || m_p[m_pos] == '\t' || m_p[m_pos] == '\r');
        if (m_pos < m_size) {
            ++m_pos;
            ++m_line;
        }
        return blank;
    }

    const char* m_p;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::uint32_t m_line = 1;
};



std::string_view Field(const CLine& l, std::size_t i) { return i < l.fields.size() ? l.fields[i] : std::string_view(); }

class CParser {
public:
    CParser(CTintinFile& file, CFormatReport& report) : m_file(file), m_report(report) {}

    // False with `error` set for a fault that stops the reading.
    bool Line(const CLine& l, std::string_view rawRest, std::string& error)
    {
        const std::string_view k = l.kind;
        if (k.empty()) {
            if (!l.blank)
                m_report.NotCarried("unknown lines", 1, "line " + std::to_string(l.line));
            return true;
        }
        if (k[0] == '#') {
            m_report.NotCarried("lines starting with # (ignored)", 1, std::string(k));
            return true;
        }
        if (k == "R")
            return Room(l, error);
        if (k == "E") {
            Exit(l);
            return true;
        }
        if (k == "I") {
            std::uint64_t v = 0;
            if (ParseNumber(rawRest, v) && v <= kTintinMaxVnum)
                m_file.lastRoomVnum = static_cast<std::uint32_t>(v);
            return true;
        }
        if (k == "V" || k == "C")
            return true;
        if (k == "F")
            m_report.NotCarried("map flags", 1);
        else if (k == "G") {
            std::uint64_t v = 0;
            if (!ParseNumber(rawRest, v) || v != 0)
                m_report.NotCarried("global exit rooms", 1, std::string(TrimTintinField(rawRest)));
        } else if (k == "L")
            m_report.NotCarried("legend entries", 1);
        else if (k == "LM")
            m_report.NotCarried("landmarks", 1, std::string(Field(l, 0)));
        else if (k == "T")
            m_report.NotCarried("terrains", 1, std::string(Field(l, 0)));
        else if (k[0] == 'C')
            m_report.NotCarried("map colours", 1, std::string(k.substr(1)));
        else
            m_report.NotCarried("unknown lines", 1, std::string(k.substr(0, 16)));
        return true;
    }

private:
    bool Room(const CLine& l, std::string& error)
    {
        m_room = nullptr;
        std::uint64_t vnum = 0;
        if (l.strayText || !ParseNumber(Field(l, 0), vnum) || vnum == 0) {
            m_report.NotCarried("room lines without a valid vnum", 1, "line " + std::to_string(l.line));
            return true;
        }
        if (vnum > kTintinMaxVnum) {
            std::string text(TrimTintinField(Field(l, 0)).substr(0, 24));
            if (TrimTintinField(Field(l, 0)).size() > 24)
                text += "...";
            error = "room vnum " + text + " on line " + std::to_string(l.line) + " is above " +
                    std::to_string(kTintinMaxVnum);
            return false;
        }
        CTintinRoom room;
        room.vnum = static_cast<std::uint32_t>(vnum);
        room.line = l.line;
        std::uint64_t flags = 0;
        if (ParseNumber(Field(l, 1), flags))
            room.flags = static_cast<std::uint32_t>(flags);
        std::string_view* const slots[] = {&room.color, &room.name,    &room.symbol, &room.desc, &room.area,
                                           &room.note,  &room.terrain, &room.data,   &room.weight, &room.id};
        for (std::size_t i = 0; i < std::size(slots); ++i)
            *slots[i] = Field(l, 2 + i);
        if (l.fields.size() < 11)
            m_report.NotCarried("lines with missing fields", 1, "line " + std::to_string(l.line));
        room.firstExit = static_cast<std::uint32_t>(m_file.exits.size());
        m_file.rooms.push_back(room);
        m_room = &m_file.rooms.back();
        return true;
    }

    void Exit(const CLine& l)
    {
        if (!m_room) {
            m_report.NotCarried("exits of no usable room", 1, "line " + std::to_string(l.line));
            return;
        }
        CTintinExit exit;
        exit.line = l.line;
        std::uint64_t v = 0;
        if (ParseNumber(Field(l, 0), v) && v <= kTintinMaxVnum)
            exit.toVnum = static_cast<std::uint32_t>(v);
        exit.name = Field(l, 1);
        exit.cmd = Field(l, 2);
        if (ParseNumber(Field(l, 3), v) && v <= 0x7FFFFFFF)
            exit.dir = static_cast<std::int32_t>(v);
        exit.flags = Field(l, 4);
        exit.data = Field(l, 5);
        exit.weight = Field(l, 6);
        exit.color = Field(l, 7);
        exit.delay = Field(l, 8);
        if (l.fields.size() < 4 || l.strayText) {
            m_report.NotCarried("lines with missing fields", 1, "line " + std::to_string(l.line));
            return;
        }
        if (l.fields.size() < 7)
            m_report.NotCarried("lines with missing fields", 1, "line " + std::to_string(l.line));
        m_file.exits.push_back(exit);
        ++m_room->exitCount;
    }

    CTintinFile& m_file;
    CFormatReport& m_report;
    CTintinRoom* m_room = nullptr;  // the room the next E lines belong to
};
}  // namespace

bool ParseTintinFile(const std::uint8_t* data, std::size_t size, CTintinFile& file, CFormatReport& report,
                     std::string& error)
{
    file = CTintinFile();
    CScanner scanner(data, size);
    if (scanner.AtEnd()) {
        error = "not a TinTin++ map: the file is empty";
        return false;
    }
    // The first line is looked at before any brace is counted: a file of
    // another kind is named as such, whatever bytes it holds.
    if (!scanner.SkipSizeLine()) {
        error = "not a TinTin++ map: the first line is not \"C <size>\"";
        return false;
    }
    CParser parser(file, report);
    CLine line;
    const char* text = reinterpret_cast<const char*>(data);
    while (!scanner.AtEnd()) {
        if (!scanner.Next(line, error))
            return false;
        // Lines without braces ("I 12") hold their value after the kind.
        const char* kindEnd = line.kind.data() + line.kind.size();
        std::string_view rest;
        if (line.fields.empty()) {
            const char* end = kindEnd;
            while (end < text + size && *end != '\n')
                ++end;
            rest = std::string_view(kindEnd, static_cast<std::size_t>(end - kindEnd));
        }
        if (!parser.Line(line, rest, error))
            return false;
    }
    if (file.rooms.empty()) {
        error = "the map holds no rooms";
        return false;
    }
    return true;
}

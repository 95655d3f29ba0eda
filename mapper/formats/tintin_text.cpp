#include "mapper/formats/tintin_text.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {
bool BracesBalance(std::string_view text)
{
    long depth = 0;
    for (char c : text) {
        if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The escapes that reading decodes, after their backslash.
bool StartsEscape(std::string_view rest)
{
    return !rest.empty() && (rest[0] == '\\' || rest[0] == 'n' || rest[0] == 'r' || StartsWithNoCase(rest, "X7B") ||
                             StartsWithNoCase(rest, "X7D"));
}

void AppendUtf8(std::string& out, unsigned char c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the UTF-8 sequence at text[i] and its code point; 0 when the
// bytes there are not UTF-8.
std::size_t Utf8At(std::string_view text, std::size_t i, std::uint32_t& cp)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char c = b(0);
    std::size_t n;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0;
    return n;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

ColorRef Rgb(int r, int g, int b)
{
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}

// xterm's colours for the eight ANSI codes, normal and bold.
constexpr unsigned char kAnsi[2][8][3] = {
    {{0, 0, 0}, {205, 0, 0}, {0, 205, 0}, {205, 205, 0}, {0, 0, 238}, {205, 0, 205}, {0, 205, 205}, {229, 229, 229}},
    {{127, 127, 127}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {92, 92, 255}, {255, 0, 255}, {0, 255, 255},
     {255, 255, 255}},
};
constexpr int kCubeLevel[6] = {0, 95, 135, 175, 215, 255};

// One code's body (between < and >): true with `color` set when it names a
// foreground colour, true with `foreground` false for a code that sets none (a background).
bool ColorOfCode(std::string_view body, ColorRef& color, bool& foreground)
{
    foreground = false;
    if (body.size() == 3 && body[0] >= '0' && body[0] <= '9' && body[1] >= '0' && body[1] <= '9' && body[2] >= '0' &&
        body[2] <= '9') {
        const int fg = body[1] - '0';
        if (fg < 8) {
            const auto& c = kAnsi[body[0] == '1' ? 1 : 0][fg];
            color = Rgb(c[0], c[1], c[2]);
            foreground = true;
        }
        return true;
    }
    if (body.size() == 3 && body[0] >= 'a' && body[0] <= 'f' && body[1] >= 'a' && body[1] <= 'f' && body[2] >= 'a' &&
        body[2] <= 'f') {
        color = Rgb(kCubeLevel[body[0] - 'a'], kCubeLevel[body[1] - 'a'], kCubeLevel[body[2] - 'a']);
        foreground = true;
        return true;
    }
    if (body.size() == 3 && body[0] >= 'A' && body[0] <= 'F' && body[1] >= 'A' && body[1] <= 'F' && body[2] >= 'A' &&
        body[2] <= 'F')
        return true;  // a background
    if (body.size() == 3 && (body[0] == 'g' || body[0] == 'G') && body[1] >= '0' && body[1] <= '9' && body[2] >= '0' &&
        body[2] <= '9') {
        const int level = (body[1] - '0') * 10 + (body[2] - '0');
        if (level > 23)
            return false;
        if (body[0] == 'g') {
            const int v = 8 + 10 * level;
            color = Rgb(v, v, v);
            foreground = true;
        }
        return true;
    }
    if ((body.size() == 7 || body.size() == 4) && (body[0] == 'F' || body[0] == 'B')) {
        int d[6];
        const std::size_t n = body.size() - 1;
        for (std::size_t i = 0; i < n; ++i)
            if ((d[i] = HexDigit(body[1 + i])) < 0)
                return false;
        if (body[0] == 'F') {
            color = n == 6 ? Rgb(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5])
                           : Rgb(d[0] * 17, d[1] * 17, d[2] * 17);
            foreground = true;
        }
        return true;
    }
    return false;
}
}  // namespace

std::string TintinFieldFromMapText(std::string_view text, bool* droppedNul)
{
    std::string withoutNul;
    if (text.find('\0') != std::string_view::npos) {
        for (char c : text)
            if (c != '\0')
                withoutNul += c;
        text = withoutNul;
        if (droppedNul)
            *droppedNul = true;
    }
    const bool keepBraces = BracesBalance(text);
    // A backslash is doubled where what follows it is written as an escape
    // or reads as one.
    const auto doubled = [&](std::string_view rest) {
        return StartsEscape(rest) ||
               (!rest.empty() && (rest[0] == '\n' || rest[0] == '\r' || (!keepBraces && (rest[0] == '{' || rest[0] == '}'))));
    };
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '{':
            out += keepBraces ? "{" : "\\x7B";
            break;
        case '}':
            out += keepBraces ? "}" : "\\x7D";
            break;
        case '\\':
            out += doubled(text.substr(i + 1)) ? "\\\\" : "\\";
            break;
        default:
            AppendUtf8(out, static_cast<unsigned char>(c));
        }
    }
    return out;
}

std::string MapTextFromTintinField(std::string_view field, bool* lossy)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size();) {
        const char c = field[i];
        if (c == '\\' && StartsEscape(field.substr(i + 1))) {
            const char e = field[i + 1];
            if (e == '\\' || e == 'n' || e == 'r') {
                out += e == 'n' ? '\n' : e == 'r' ? '\r' : '\\';
                i += 2;
            } else {
                out += (field[i + 3] == 'B' || field[i + 3] == 'b') ? '{' : '}';
                i += 4;
            }
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
            ++i;
            continue;
        }
        std::uint32_t cp = 0;
        const std::size_t n = Utf8At(field, i, cp);
        if (n == 0) {
            out += c;
            ++i;
        } else {
            if (cp > 0xFF) {
                out += '?';
                if (lossy)
                    *lossy = true;
            } else {
                out += static_cast<char>(cp);
            }
            i += n;
        }
    }
    return out;
}

bool ParseTintinColor(std::string_view code, ColorRef& color)
{
    bool found = false;
    std::size_t i = 0;
    while (i < code.size()) {
        if (code[i] == ' ') {
            ++i;
            continue;
        }
        if (code[i] != '<')
            return false;
        const std::size_t close = code.find('>', i);
        if (close == std::string_view::npos)
            return false;
        ColorRef c = 0;
        bool foreground = false;
        if (!ColorOfCode(code.substr(i + 1, close - i - 1), c, foreground))
            return false;
        if (foreground) {
            color = c;
            found = true;
        }
        i = close + 1;
    }
    return found;
}

std::string TintinColorCode(ColorRef color)
{
    if (color == kColorNone)
        return {};
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "<F";
    for (int shift : {0, 8, 16}) {
        const unsigned v = (color >> shift) & 0xFF;
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
    out += '>';
    return out;
}

std::string_view TrimTintinField(std::string_view field)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!field.empty() && space(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && space(field.back()))
        field.remove_suffix(1);
    return field;
}

bool TintinNumberIs(std::string_view field, double value, bool empty)
{
    field = TrimTintinField(field);
    if (field.empty())
        return empty;
    if (field == "1.000" || field == "0.00")  // what TinTin++ writes, most of the time
        return value == (field[0] == '1' ? 1.0 : 0.0);
    const std::string text(field);
    char* end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && read == value;
}

std::string TintinFlagNames(std::uint32_t flags, bool room)
{
    static constexpr std::pair<std::uint32_t, const char*> kRoom[] = {
        {1, "avoid"}, {2, "hide"},     {4, "leave"},   {8, "void"},       {16, "static"},
        {32, "curved"}, {64, "path"}, {128, "noglobal"}, {256, "invis"}, {16384, "block"},
    };
    static constexpr std::pair<std::uint32_t, const char*> kExit[] = {
        {1, "hide"}, {2, "avoid"}, {4, "invis"}, {8, "block"}};
    std::string out;
    const auto name = [&](std::uint32_t bit, const char* text) {
        if (flags & bit) {
            out += out.empty() ? "" : " ";
            out += text;
            flags &= ~bit;
        }
    };
    if (room)
        for (const auto& [bit, text] : kRoom)
            name(bit, text);
    else
        for (const auto& [bit, text] : kExit)
            name(bit, text);
    if (flags)
        out += (out.empty() ? "flag " : " flag ") + std::to_string(flags);
    return out;
}

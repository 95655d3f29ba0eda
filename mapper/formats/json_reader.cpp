#include "mapper/formats/json_reader.h"

#include <charconv>
#include <cmath>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A byte of the text as an error message shows it: itself when printable,
// else its code, so that the message stays one line of plain text.
std::string Shown(char c)
{
    if (c >= 0x20 && c < 0x7F)
        return std::string(1, c);
    static const char kHex[] = "0123456789abcdef";
    const auto b = static_cast<unsigned char>(c);
    return std::string("\\x") + kHex[b >> 4] + kHex[b & 15];
}
void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
}  // namespace

bool CJsonNumber::Whole(std::int64_t lo, std::int64_t hi, std::int64_t& out) const
{
    if (bInteger) {
        if (nValue < lo || nValue > hi)
            return false;
        out = nValue;
        return true;
    }
    // Within ±2^53 every whole double converts exactly.
    if (!std::isfinite(dValue) || dValue != std::floor(dValue) || std::fabs(dValue) > 9007199254740992.0)
        return false;
    const std::int64_t v = static_cast<std::int64_t>(dValue);
    if (v < lo || v > hi)
        return false;
    out = v;
    return true;
}

const char* CJsonReader::KindName(EKind kind)
{
    switch (kind) {
    case EKind::Null: return "null";
    case EKind::Bool: return "a boolean";
    case EKind::Number: return "a number";
    case EKind::String: return "a string";
    case EKind::Array: return "an array";
    default: return "an object";
    }
}

std::string CJsonReader::Where(std::size_t offset) const
{
    std::size_t line = 1, column = 1;
    for (const char* p = m_begin; p < m_begin + offset && p < m_end; ++p) {
        if (*p == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

void CJsonReader::SkipSpace()
{
    while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
        ++m_p;
}

CJsonReader::EKind CJsonReader::Peek()
{
    SkipSpace();
    if (m_p == m_end)
        Fail("the text ends where a value should be");
    switch (*m_p) {
    case '{': return EKind::Object;
    case '[': return EKind::Array;
    case '"': return EKind::String;
    case 't': case 'f': return EKind::Bool;
    case 'n': return EKind::Null;
    default:
        if (*m_p == '-' || IsDigit(*m_p))
            return EKind::Number;
        Fail("unexpected character '" + Shown(*m_p) + "'");
    }
}

void CJsonReader::Expect(char c, const char* what)
{
    SkipSpace();
    if (m_p == m_end)
        Fail(std::string("the text ends where ") + what + " should be");
    if (*m_p != c)
        Fail(std::string("expected ") + what);
    ++m_p;
}

void CJsonReader::Push(bool object)
{
    if (m_open.size() >= kMaxDepth)
        Fail("values nested deeper than " + std::to_string(kMaxDepth) + " levels");
    Expect(object ? '{' : '[', object ? "an object" : "an array");
    m_open.push_back(object ? kObject : 0);
}

void CJsonReader::BeginObject() { Push(true); }
void CJsonReader::BeginArray() { Push(false); }

bool CJsonReader::NextMember(std::string& key)
{
    SkipSpace();
    if (m_p < m_end && *m_p == '}') {
        ++m_p;
        m_open.pop_back();
        return false;
    }
    if (m_open.back() & kStarted)
        Expect(',', "',' or '}'");
    m_open.back() |= kStarted;
    SkipSpace();
    if (m_p == m_end || *m_p != '"')
        Fail("expected a member name in quotes");
    key = String();
    Expect(':', "':'");
    return true;
}

bool CJsonReader::NextElement()
{
    SkipSpace();
    if (m_p < m_end && *m_p == ']') {
        ++m_p;
        m_open.pop_back();
        return false;
    }
    if (m_open.back() & kStarted)
        Expect(',', "',' or ']'");
    m_open.back() |= kStarted;
    SkipSpace();
    if (m_p < m_end && *m_p == ']')
        Fail("expected a value after ','");
    return true;
}

unsigned CJsonReader::Hex4()
{
    if (m_end - m_p < 4)
        Fail("the text ends inside a \\u escape");
    unsigned v = 0;
    for (int i = 0; i < 4; ++i, ++m_p) {
        const char c = *m_p;
        v <<= 4;
        if (IsDigit(c))
            v |= unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            v |= unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            v |= unsigned(c - 'A' + 10);
        else
            Fail("bad \\u escape");
    }
    return v;
}

// One UTF-8 sequence starting at a byte of 0x80 or more, checked for its
// length, continuation bytes, overlong forms and surrogates.
void CJsonReader::Utf8(std::string& out)
{
    const unsigned char c = static_cast<unsigned char>(*m_p);
    const int length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || m_end - m_p < length)
        Fail("text that is not UTF-8");
    std::uint32_t cp = c & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        const unsigned char b = static_cast<unsigned char>(m_p[k]);
        if ((b & 0xC0) != 0x80)
            Fail("text that is not UTF-8");
        cp = (cp << 6) | (b & 0x3F);
    }
    if ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        Fail("text that is not UTF-8");
    out.append(m_p, static_cast<std::size_t>(length));
    m_p += length;
}

std::string CJsonReader::String()
{
    Expect('"', "a string");
    std::string out;
    for (;;) {
        const char* run = m_p;
        while (m_p < m_end && *m_p != '"' && *m_p != '\\' && static_cast<unsigned char>(*m_p) >= 0x20 &&
               static_cast<unsigned char>(*m_p) < 0x80)
            ++m_p;
        out.append(run, m_p);
        if (m_p == m_end)
            Fail("the text ends inside a string");
        const unsigned char c = static_cast<unsigned char>(*m_p);
        if (c == '"') {
            ++m_p;
            return out;
        }
        if (c < 0x20)
            Fail("a control character inside a string");
        if (c >= 0x80) {
            Utf8(out);
            continue;
        }
        ++m_p;  // the backslash
        if (m_p == m_end)
            Fail("the text ends inside a string");
        const char e = *m_p++;
        switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
            std::uint32_t cp = Hex4();
            if (cp >= 0xDC00 && cp <= 0xDFFF)
                Fail("a lone surrogate in a \\u escape");
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                if (m_end - m_p < 2 || m_p[0] != '\\' || m_p[1] != 'u')
                    Fail("a lone surrogate in a \\u escape");
                m_p += 2;
                const std::uint32_t low = Hex4();
                if (low < 0xDC00 || low > 0xDFFF)
                    Fail("a lone surrogate in a \\u escape");
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            }
            AppendUtf8(out, cp);
            break;
        }
        default: Fail("bad escape \\" + Shown(e));
        }
    }
}

void CJsonReader::Literal(const char* word)
{
    const char* p = m_p;
    for (; *word; ++word, ++p)
        if (p == m_end || *p != *word)
            Fail("unexpected character '" + Shown(*m_p) + "'");
    m_p = p;
}

bool CJsonReader::Bool()
{
    if (Peek() != EKind::Bool)
        Fail("expected a boolean");
    const bool value = *m_p == 't';
    Literal(value ? "true" : "false");
    return value;
}

void CJsonReader::Null()
{
    if (Peek() != EKind::Null)
        Fail("expected null");
    Literal("null");
}

CJsonNumber CJsonReader::Number()
{
    if (Peek() != EKind::Number)
        Fail("expected a number");
    const char* start = m_p;
    CJsonNumber n;
    const bool negative = *m_p == '-';
    if (negative)
        ++m_p;
    if (m_p == m_end || !IsDigit(*m_p))
        Fail("a malformed number");
    std::uint64_t magnitude = 0;
    bool fits = true;
    if (*m_p == '0') {
        ++m_p;
    } else {
        for (; m_p < m_end && IsDigit(*m_p); ++m_p) {
            const unsigned d = unsigned(*m_p - '0');
            if (magnitude > (UINT64_MAX - d) / 10)
                fits = false;
            else
                magnitude = magnitude * 10 + d;
        }
    }
    bool integer = true;
    if (m_p < m_end && *m_p == '.') {
        integer = false;
        ++m_p;
        if (m_p == m_end || !IsDigit(*m_p))
            Fail("a malformed number");
        while (m_p < m_end && IsDigit(*m_p))
            ++m_p;
    }
    if (m_p < m_end && (*m_p == 'e' || *m_p == 'E')) {
        integer = false;
        ++m_p;
        if (m_p < m_end && (*m_p == '+' || *m_p == '-'))
            ++m_p;
        if (m_p == m_end || !IsDigit(*m_p))
            Fail("a malformed number");
        while (m_p < m_end && IsDigit(*m_p))
            ++m_p;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    if (integer && fits && magnitude <= limit) {
        n.bInteger = true;
        n.nValue = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
        n.dValue = static_cast<double>(n.nValue);
        return n;
    }
    const auto result = std::from_chars(start, m_p, n.dValue);
    if (result.ec == std::errc::result_out_of_range)
        n.dValue = negative ? -HUGE_VAL : HUGE_VAL;  // beyond every range the readers accept
    return n;
}

void CJsonReader::Skip()
{
    const std::size_t base = m_open.size();
    std::string key;
    for (;;) {
        switch (Peek()) {
        case EKind::Object: BeginObject(); break;
        case EKind::Array: BeginArray(); break;
        case EKind::String: String(); break;
        case EKind::Number: Number(); break;
        case EKind::Bool: Bool(); break;
        case EKind::Null: Null(); break;
        }
        // On to the next value, closing the containers that end here.
        for (;;) {
            if (m_open.size() == base)
                return;
            const bool more = (m_open.back() & kObject) ? NextMember(key) : NextElement();
            if (more)
                break;
        }
    }
}

void CJsonReader::End()
{
    SkipSpace();
    if (m_p != m_end)
        Fail("more text after the end of the document");
}

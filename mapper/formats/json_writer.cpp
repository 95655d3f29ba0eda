#include "mapper/formats/json_writer.h"

#include <charconv>

void CJsonWriter::Separate()
{
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_started.empty()) {
        if (m_started.back())
            m_out.push_back(',');
        m_started.back() = true;
    }
}

void CJsonWriter::Open(char c)
{
    Separate();
    m_out.push_back(static_cast<std::uint8_t>(c));
    m_started.push_back(false);
}

void CJsonWriter::Close(char c)
{
    m_out.push_back(static_cast<std::uint8_t>(c));
    m_started.pop_back();
}

void CJsonWriter::Key(std::string_view key)
{
    String(key);
    m_out.push_back(':');
    m_bAfterKey = true;
}

void CJsonWriter::String(std::string_view text)
{
    Separate();
    static const char kHex[] = "0123456789abcdef";
    m_out.push_back('"');
    const char* run = text.data();
    const char* end = text.data() + text.size();
    for (const char* p = run; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        Raw(std::string_view(run, static_cast<std::size_t>(p - run)));
        run = p + 1;
        switch (c) {
        case '"': Raw("\\\""); break;
        case '\\': Raw("\\\\"); break;
        case '\n': Raw("\\n"); break;
        case '\r': Raw("\\r"); break;
        case '\t': Raw("\\t"); break;
        default: {
            const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            Raw(std::string_view(escape, sizeof escape));
        }
        }
    }
    Raw(std::string_view(run, static_cast<std::size_t>(end - run)));
    m_out.push_back('"');
}

void CJsonWriter::Int(std::int64_t value)
{
    Separate();
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    Raw(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void CJsonWriter::Double(double value)
{
    Separate();
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    Raw(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void CJsonWriter::Bool(bool value)
{
    Separate();
    Raw(value ? "true" : "false");
}

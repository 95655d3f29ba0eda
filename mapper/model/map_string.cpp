#include "mapper/model/map_string.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>
#include <stdexcept>

std::size_t CMapString::Length() const
{
    std::uint32_t n;
    std::memcpy(&n, m_p, sizeof n);
    return n;
}

void CMapString::Assign(std::string_view text)
{
    if (text.empty()) {
        Free();
        return;
    }
    if (text.size() > 0xFFFFFFFEu)
        throw std::length_error("map text longer than 4 GB");
    const std::uint32_t n = static_cast<std::uint32_t>(text.size());
    char* p = static_cast<char*>(std::malloc(sizeof n + n + 1));
    if (!p)
        throw std::bad_alloc();
    std::memcpy(p, &n, sizeof n);
    std::memcpy(p + sizeof n, text.data(), n);  // text may alias the old block: copy before freeing
    p[sizeof n + n] = '\0';
    Free();
    m_p = p;
}

void CMapString::Free()
{
    std::free(m_p);
    m_p = nullptr;
}

std::ostream& operator<<(std::ostream& os, const CMapString& s) { return os << s.view(); }

std::string MapTextToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToMapText(std::string_view utf8, std::size_t& replaced)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool sequence = length > 1 && i + length <= utf8.size();
        for (std::size_t k = 1; sequence && k < length; ++k)
            sequence = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
        if (!sequence) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (length == 2 && c <= 0xC3) {
            out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        } else {
            out += '?';
            ++replaced;
        }
        i += length;
    }
    return out;
}

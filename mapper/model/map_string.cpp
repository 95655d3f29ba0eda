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

#include "mapper/model/archive.h"

#include <cstring>

void CArchive::WriteU16(std::uint16_t v)
{
    m_buffer.push_back(static_cast<std::uint8_t>(v));
    m_buffer.push_back(static_cast<std::uint8_t>(v >> 8));
}

void CArchive::WriteU32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_buffer.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void CArchive::WriteF64(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        m_buffer.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void CArchive::WriteString(std::string_view s)
{
    const std::size_t n = s.size();
    if (n < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(n));
    }
    m_buffer.insert(m_buffer.end(), s.begin(), s.end());
}

void CArchive::ThrowEndOfFile() const
{
    throw CArchiveException(CArchiveException::endOfFile, "file ends inside " + m_strContext);
}

const std::uint8_t* CArchive::Take(std::size_t n)
{
    if (Remaining() < n)
        ThrowEndOfFile();
    const std::uint8_t* p = m_pData + m_nPos;
    m_nPos += n;
    return p;
}

std::uint8_t CArchive::ReadU8() { return *Take(1); }

std::uint16_t CArchive::ReadU16()
{
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t CArchive::ReadU32()
{
    const std::uint8_t* p = Take(4);
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

double CArchive::ReadF64()
{
    const std::uint8_t* p = Take(8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string CArchive::ReadString()
{
    std::size_t n = ReadU8();
    if (n == 0xFF) {
        n = ReadU16();  // 0xFFFE is never written in this form, but it reads as that many bytes
        if (n == 0xFFFF)
            n = ReadU32();
    }
    // The length is checked before anything is allocated for it.
    const std::uint8_t* p = Take(n);
    return std::string(reinterpret_cast<const char*>(p), n);
}

void CArchive::RequireRecords(std::uint32_t count, std::size_t minBytes, const char* what)
{
    if (static_cast<std::uint64_t>(count) * minBytes > Remaining()) {
        const std::uint64_t complete = Remaining() / minBytes;
        m_strContext = std::string(what) + " " + std::to_string(complete + 1) + " of " + std::to_string(count);
        ThrowEndOfFile();
    }
}

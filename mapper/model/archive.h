#pragma once
// A flat little-endian byte stream for the map file: written into a buffer,
// read from one with every read checked against the bytes that remain.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class CArchiveException : public std::runtime_error {
public:
    enum Cause { endOfFile, badSchema, fileError };
    CArchiveException(Cause cause, const std::string& message) : std::runtime_error(message), m_cause(cause) {}
    Cause m_cause;
};

class CArchive {
public:
    // An archive that stores into its own buffer.
    CArchive() : m_bStoring(true) {}
    // An archive that loads from the given bytes (not copied: they must outlive it).
    CArchive(const std::uint8_t* data, std::size_t size) : m_bStoring(false), m_pData(data), m_nSize(size) {}

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    void WriteU8(std::uint8_t v) { m_buffer.push_back(v); }
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteF64(double v);
    void WriteString(std::string_view s);
    const std::vector<std::uint8_t>& Buffer() const { return m_buffer; }

    // What is being read, named in an end-of-file error ("room record 3").
    void SetContext(std::string context) { m_strContext = std::move(context); }
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    double ReadF64();
    std::string ReadString();
    std::size_t Remaining() const { return m_nSize - m_nPos; }
    // Fails at once when `count` records of at least `minBytes` each cannot fit.
    void RequireRecords(std::uint32_t count, std::size_t minBytes, const char* what);
    [[noreturn]] void ThrowEndOfFile() const;

private:
    const std::uint8_t* Take(std::size_t n);

    bool m_bStoring;
    std::vector<std::uint8_t> m_buffer;
    const std::uint8_t* m_pData = nullptr;
    std::size_t m_nSize = 0;
    std::size_t m_nPos = 0;
    std::string m_strContext = "the header";
};

#pragma once
// A pull reader of JSON text for the map formats: the caller walks the
// document in the order it expects, and every step checks the syntax (strings
// must be UTF-8, numbers as JSON writes them). Nothing is built that the
// caller does not ask for, and values are skipped without recursion, so that
// neither a large file nor a deeply nested one costs more than its reading.
// Errors throw CJsonError with the byte offset where the reading stopped.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class CJsonError : public std::runtime_error {
public:
    CJsonError(const std::string& message, std::size_t offset) : std::runtime_error(message), m_nOffset(offset) {}
    std::size_t m_nOffset;
};

struct CJsonNumber {
    bool bInteger = false;  // written without fraction or exponent, within 64 bits
    std::int64_t nValue = 0;
    double dValue = 0;
    // The value as a whole number in [lo, hi], written either way ("2", "2.0").
    bool Whole(std::int64_t lo, std::int64_t hi, std::int64_t& out) const;
};

class CJsonReader {
public:
    enum class EKind { Null, Bool, Number, String, Array, Object };
    static constexpr std::size_t kMaxDepth = 256;

    CJsonReader(const char* data, std::size_t size) : m_p(data), m_begin(data), m_end(data + size) {}

    // The kind of the next value (whitespace skipped); throws at the end of the text.
    EKind Peek();
    void BeginObject();
    // The next member's key, or false once the object is closed.
    bool NextMember(std::string& key);
    void BeginArray();
    // Whether another element follows, or false once the array is closed.
    bool NextElement();
    std::string String();
    bool Bool();
    CJsonNumber Number();
    void Null();
    // Any one value.
    void Skip();
    // Only whitespace may follow the document.
    void End();

    std::size_t Offset() const { return static_cast<std::size_t>(m_p - m_begin); }
    [[noreturn]] void Fail(const std::string& message) const { throw CJsonError(message, Offset()); }
    // "line 3, column 7" of a byte offset.
    std::string Where(std::size_t offset) const;
    static const char* KindName(EKind kind);

private:
    void SkipSpace();
    void Expect(char c, const char* what);
    void Push(bool object);
    void Literal(const char* word);
    void Utf8(std::string& out);
    unsigned Hex4();

    const char* m_p;
    const char* m_begin;
    const char* m_end;
    enum : std::uint8_t { kObject = 1, kStarted = 2 };
    std::vector<std::uint8_t> m_open;  // per open container: kObject, and kStarted once a value was read
};

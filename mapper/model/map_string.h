#pragma once
// The 8-bit text of a map record (title, comments, label), kept in one
// pointer: a map holds millions of rooms, most with empty comments and
// labels, and a standard string costs 32 bytes even when empty. Converts to
// std::string and std::string_view where those are wanted.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

class CMapString {
public:
    CMapString() = default;
    CMapString(const char* text) { Assign(text ? std::string_view(text) : std::string_view()); }
    explicit CMapString(std::string_view text) { Assign(text); }
    explicit CMapString(const std::string& text) { Assign(text); }
    CMapString(const CMapString& other) { Assign(other.view()); }
    CMapString(CMapString&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CMapString() { Free(); }

    CMapString& operator=(const CMapString& other)
    {
        if (this != &other)
            Assign(other.view());
        return *this;
    }
    CMapString& operator=(CMapString&& other) noexcept
    {
        if (this != &other) {
            Free();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
        return *this;
    }
    CMapString& operator=(std::string_view text) { return assign(text); }
    CMapString& operator=(const std::string& text) { return assign(text); }
    CMapString& operator=(const char* text) { return assign(text ? std::string_view(text) : std::string_view()); }

    CMapString& assign(std::string_view text)
    {
        Assign(text);
        return *this;
    }
    CMapString& assign(const char* text, std::size_t n) { return assign(std::string_view(text, n)); }
    CMapString& operator+=(std::string_view text) { return assign(std::string(view()) + std::string(text)); }
    void clear() { Free(); }

    bool empty() const { return m_p == nullptr; }
    std::size_t size() const { return m_p ? Length() : 0; }
    std::size_t length() const { return size(); }
    const char* c_str() const { return m_p ? m_p + sizeof(std::uint32_t) : ""; }
    const char* data() const { return c_str(); }
    const char* begin() const { return c_str(); }
    const char* end() const { return c_str() + size(); }
    char operator[](std::size_t i) const { return c_str()[i]; }

    std::string_view view() const { return std::string_view(c_str(), size()); }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return str(); }

    friend bool operator==(const CMapString& a, const CMapString& b) { return a.view() == b.view(); }
    friend bool operator==(const CMapString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CMapString& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const CMapString& a, const char* b) { return a.view() == std::string_view(b); }
    friend std::string operator+(const CMapString& a, std::string_view b) { return a.str().append(b); }
    friend std::string operator+(std::string_view a, const CMapString& b) { return std::string(a).append(b.view()); }
    friend std::string operator+(const std::string& a, const CMapString& b) { return a + b.str(); }
    friend std::string operator+(const char* a, const CMapString& b) { return std::string(a) + b.str(); }
    friend std::ostream& operator<<(std::ostream& os, const CMapString& s);

private:
    std::size_t Length() const;
    void Assign(std::string_view text);
    void Free();

    char* m_p = nullptr;  // [32-bit length][bytes][NUL], or null when empty
};

// Map text as UTF-8, for formats that want Unicode (JSON, image text): each
// 8-bit byte becomes the code point of the same value.
std::string MapTextToUtf8(std::string_view text);
// UTF-8 as map text, the inverse of MapTextToUtf8: a code point above 255
// becomes '?', counted in `replaced`. Bytes that are not UTF-8 are kept as
// they are.
std::string Utf8ToMapText(std::string_view utf8, std::size_t& replaced);

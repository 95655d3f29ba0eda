#pragma once
// A trigger pattern: plain text with numbered placeholders %1 to %9 and named
// placeholders (%name) that compile to numbered ones. Matching ignores letter
// case, is not anchored, and captures the text each placeholder stands for.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CTextPattern {
public:
    // Enters or replaces a named placeholder; returns the number of names.
    std::int32_t AddNamedPlaceholder(const std::string& name, std::int32_t number);
    // Stores the source and compiles it.
    void SetPattern(const std::string& source);
    const std::string& GetPattern() const { return m_strSource; }
    // True when the line matches; fills the captured values.
    bool Match(std::string_view line);
    // The value captured for a named placeholder ("" for an unknown name).
    std::string GetValue(const std::string& name) const;

    // Inspection, for the configuration page and the tests.
    const std::vector<std::string>& GetTokens() const { return m_tokens; }
    std::int32_t GetTokenCount() const { return m_nTokenCount; }
    std::int32_t GetHighestNumber() const { return m_nHighest; }
    const std::string& GetNumberedValue(std::int32_t number) const;

private:
    void Compile();
    void ClearValues();

    std::string m_strSource;
    std::vector<std::string> m_tokens;
    std::int32_t m_nTokenCount = 0;
    std::int32_t m_nHighest = 0;
    std::vector<std::string> m_values = std::vector<std::string>(1);
    std::map<std::string, std::int32_t> m_named;
    std::string m_strLower;  // reused by Match
};

// Lower-cases the ASCII letters; every other byte stays as it is, so that
// both builds compare texts the same way whatever the locale.
inline char LowerAnsi(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
std::string ToLowerAnsi(std::string_view text);
void ToLowerAnsiInto(std::string_view text, std::string& out);

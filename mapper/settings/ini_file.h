#pragma once
// One settings file in the private profile format: "[section]" lines and
// "key=value" lines. Sections and keys are found regardless of letter case;
// the first match wins. Made for one read or write pass and then discarded.
#include <cstdint>
#include <string>
#include <vector>

class CIniFile {
public:
    // Longest value GetString returns (a buffer of 128 with its NUL).
    static constexpr std::size_t kMaxValue = 127;

    explicit CIniFile(std::string path) : m_strPath(std::move(path)) {}
    const std::string& GetPath() const { return m_strPath; }

    // The stored text, or `def` when the key is missing; cut at kMaxValue.
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) const;
    // The leading decimal integer of the stored text ("%i" of `def` when
    // missing); text that is no number reads as 0, overlong numbers saturate.
    std::int32_t GetInt(const std::string& section, const std::string& key, std::int32_t def) const;
    // Failures to write are not reported.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInt(const std::string& section, const std::string& key, std::int32_t value);

private:
    std::string m_strPath;
    // The portable reader keeps the file's lines for the pass.
    mutable std::vector<std::string> m_lines;
    mutable bool m_bLoaded = false;
};

// --- shared by both builds (ini_value.cpp)

// The text to store for a value so that reading it back gives the value: cut
// at the first line break or NUL, and put in double quotes when it has blanks
// at either end or is itself enclosed in matching quotes (which the readers
// of this format remove).
std::string EncodeProfileValue(const std::string& value);
// What a reader takes from the stored text: one pair of enclosing quotes
// removed, then cut at kMaxValue.
std::string DecodeProfileValue(const std::string& stored);
// atoi with saturation instead of overflow.
std::int32_t ParseLeadingInt(const std::string& text);
// Path of the executable's directory, up to and including its last separator.
std::string GetProgramDir();

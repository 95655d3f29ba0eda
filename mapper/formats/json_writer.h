#pragma once
// A writer of compact JSON text into a byte buffer: members and elements are
// separated by commas as they come; the caller writes keys in the order it
// wants them (the map formats write them sorted).
#include <cstdint>
#include <string_view>
#include <vector>

class CJsonWriter {
public:
    explicit CJsonWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The key of the next member; its value follows.
    void Key(std::string_view key);
    // Text as UTF-8, escaped where JSON needs it.
    void String(std::string_view utf8);
    void Int(std::int64_t value);
    // The shortest text that reads back as the same double; finite values only.
    void Double(double value);
    void Bool(bool value);

private:
    void Separate();
    void Open(char c);
    void Close(char c);
    void Raw(std::string_view text) { m_out.insert(m_out.end(), text.begin(), text.end()); }

    std::vector<std::uint8_t>& m_out;
    std::vector<bool> m_started;  // per open container
    bool m_bAfterKey = false;
};

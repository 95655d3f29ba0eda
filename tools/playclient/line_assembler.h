#pragma once
// Cuts filtered game text into lines. A line longer than the limit is cut
// at the limit; the rest of it up to the line end is dropped and counted,
// so the user can be told.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CGameLine {
    std::string text;
    std::size_t length = 0;  // bytes the game sent for this line
    bool partial = false;    // the connection ended before its line end

    bool Cut() const { return length > text.size(); }
};

class CLineAssembler {
public:
    static constexpr std::size_t kDefaultLimit = 16384;
    explicit CLineAssembler(std::size_t limit = kDefaultLimit) : m_nLimit(limit) {}

    // Appends the complete lines found in `text` to `lines`.
    void Feed(std::string_view text, std::vector<CGameLine>& lines);
    // The unfinished line, if any, as a partial line (at the end of a
    // connection).
    bool Flush(CGameLine& line);
    bool HasPending() const { return m_nPendingLength > 0; }
    const std::string& Pending() const { return m_strPending; }

private:
    std::size_t m_nLimit;
    std::string m_strPending;
    std::size_t m_nPendingLength = 0;
};

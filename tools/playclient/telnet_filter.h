#pragma once
// Turns the raw bytes of a game connection into plain text: telnet commands
// are removed (every option the server offers or asks for is refused),
// terminal control sequences and control characters are dropped. The state
// carries over between reads, so a sequence split across two reads is
// handled like one that arrives whole.
#include <cstddef>
#include <string>

class CTelnetFilter {
public:
    enum : unsigned char {
        SE = 240, NOP = 241, GA = 249, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255, EOR = 239
    };

    // Appends the text of `data` to `text` and the answers owed to the
    // server (refusals) to `replies`.
    void Feed(const char* data, std::size_t size, std::string& text, std::string& replies);

    // Number of option requests refused so far.
    int RefusedOptions() const { return m_nRefused; }
    // True while a telnet command or a terminal sequence is open: bytes put
    // into the stream now would break it.
    bool InSequence() const { return m_state != EState::Data; }

private:
    enum class EState { Data, Iac, Option, Sub, SubIac, Esc, Csi, Osc };
    void Text(char c, std::string& text);

    EState m_state = EState::Data;
    unsigned char m_command = 0;
    bool m_bAtLineStart = true;
    int m_nRefused = 0;
};

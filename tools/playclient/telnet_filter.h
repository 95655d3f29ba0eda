#pragma once
// Turns the raw bytes of a game connection into plain text: telnet commands
// are removed (every option the server offers or asks for is refused),
// terminal control sequences and control characters are dropped. The state
// carries over between reads, so a sequence split across two reads is
// handled like one that arrives whole.
#include <cstddef>
#include <string>

#include "tools/playclient/telnet_parser.h"

class CTelnetFilter {
public:
    // Appends the text of `data` to `text` and the answers owed to the
    // server (refusals) to `replies`.
    void Feed(const char* data, std::size_t size, std::string& text, std::string& replies);

    // Number of option requests refused so far.
    int RefusedOptions() const { return m_nRefused; }
    // True while a telnet command or a terminal sequence is open: bytes put
    // into the stream now would break it.
    bool InSequence() const { return m_telnet.InCommand() || m_terminal != ETerminal::Text; }

private:
    // Terminal control sequences: ESC, ESC [ ... final byte, ESC ] ... BEL or ESC.
    enum class ETerminal { Text, Esc, Csi, Osc };
    void Terminal(unsigned char c);
    void Text(char c, std::string& text);

    CTelnetParser m_telnet;
    ETerminal m_terminal = ETerminal::Text;
    bool m_bAtLineStart = true;
    int m_nRefused = 0;
};

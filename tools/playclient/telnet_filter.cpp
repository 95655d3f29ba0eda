#include "tools/playclient/telnet_filter.h"

void CTelnetFilter::Text(char c, std::string& text)
{
    const auto u = static_cast<unsigned char>(c);
    if (c == '\n') {
        text += c;
        m_bAtLineStart = true;
        return;
    }
    // Carriage returns, backspaces, bells and the rest of the C0 set (and
    // DEL) have no place in a line of text; tabs stay.
    if ((u < 0x20 && c != '\t') || u == 0x7F)
        return;
    text += c;
    m_bAtLineStart = false;
}

void CTelnetFilter::Terminal(unsigned char c)
{
    switch (m_terminal) {
    case ETerminal::Text:
        break;
    case ETerminal::Esc:
        // ESC [ and ESC ] open longer sequences; intermediate bytes
        // (ESC ( B) wait for their final byte.
        m_terminal = c == '[' ? ETerminal::Csi : c == ']' ? ETerminal::Osc : (c >= 0x20 && c <= 0x2F) ? ETerminal::Esc : ETerminal::Text;
        break;
    case ETerminal::Csi:
        if (c >= 0x40 && c <= 0x7E)
            m_terminal = ETerminal::Text;  // the final byte of the sequence
        break;
    case ETerminal::Osc:
        if (c == 0x07 || c == 0x1B)
            m_terminal = ETerminal::Text;
        break;
    }
}

void CTelnetFilter::Feed(const char* data, std::size_t size, std::string& text, std::string& replies)
{
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        // A terminal sequence takes every byte up to its end, telnet's too.
        if (m_terminal != ETerminal::Text) {
            Terminal(c);
            continue;
        }
        switch (m_telnet.Take(c)) {
        case CTelnetParser::EToken::Data:
            if (c == 0x1B)
                m_terminal = ETerminal::Esc;
            else
                Text(static_cast<char>(c), text);
            break;
        case CTelnetParser::EToken::Option:
            // Refuse what is offered or asked; agreeing to switch something
            // off needs no answer.
            if (m_telnet.Command() == CTelnetParser::DO || m_telnet.Command() == CTelnetParser::WILL) {
                replies += static_cast<char>(CTelnetParser::IAC);
                replies += static_cast<char>(m_telnet.Command() == CTelnetParser::DO ? CTelnetParser::WONT : CTelnetParser::DONT);
                replies += static_cast<char>(c);
                ++m_nRefused;
            }
            break;
        case CTelnetParser::EToken::PromptEnd:
            if (!m_bAtLineStart)
                Text('\n', text);  // the end of a prompt ends its line
            break;
        case CTelnetParser::EToken::None:
            break;
        }
    }
}

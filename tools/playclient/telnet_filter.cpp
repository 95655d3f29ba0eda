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

void CTelnetFilter::Feed(const char* data, std::size_t size, std::string& text, std::string& replies)
{
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        switch (m_state) {
        case EState::Data:
            if (c == IAC)
                m_state = EState::Iac;
            else if (c == 0x1B)
                m_state = EState::Esc;
            else
                Text(static_cast<char>(c), text);
            break;
        case EState::Iac:
            m_state = EState::Data;
            if (c == IAC) {
                Text(static_cast<char>(c), text);  // an escaped 255 is a text byte
            } else if (c == DO || c == DONT || c == WILL || c == WONT) {
                m_command = c;
                m_state = EState::Option;
            } else if (c == SB) {
                m_state = EState::Sub;
            } else if ((c == GA || c == EOR) && !m_bAtLineStart) {
                Text('\n', text);  // the end of a prompt ends its line
            }
            break;
        case EState::Option:
            // Refuse what is offered or asked; agreeing to switch something
            // off needs no answer.
            if (m_command == DO || m_command == WILL) {
                replies += static_cast<char>(IAC);
                replies += static_cast<char>(m_command == DO ? WONT : DONT);
                replies += static_cast<char>(c);
                ++m_nRefused;
            }
            m_state = EState::Data;
            break;
        case EState::Sub:
            if (c == IAC)
                m_state = EState::SubIac;
            break;
        case EState::SubIac:
            m_state = c == SE ? EState::Data : EState::Sub;
            break;
        case EState::Esc:
            // ESC [ and ESC ] open longer sequences; intermediate bytes
            // (ESC ( B) wait for their final byte.
            m_state = c == '[' ? EState::Csi : c == ']' ? EState::Osc : (c >= 0x20 && c <= 0x2F) ? EState::Esc : EState::Data;
            break;
        case EState::Csi:
            if (c >= 0x40 && c <= 0x7E)
                m_state = EState::Data;  // the final byte of the sequence
            break;
        case EState::Osc:
            if (c == 0x07 || c == 0x1B)
                m_state = EState::Data;
            break;
        }
    }
}

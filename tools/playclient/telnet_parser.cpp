#include "tools/playclient/telnet_parser.h"

CTelnetParser::EToken CTelnetParser::Take(unsigned char c)
{
    switch (m_state) {
    case EState::Data:
        if (c != IAC)
            return EToken::Data;
        m_state = EState::Iac;
        return EToken::None;
    case EState::Iac:
        m_state = EState::Data;
        if (c == IAC)
            return EToken::Data;
        if (c == DO || c == DONT || c == WILL || c == WONT) {
            m_command = c;
            m_state = EState::Option;
        } else if (c == SB) {
            m_state = EState::Sub;
        } else if (c == GA || c == EOR) {
            return EToken::PromptEnd;
        }
        return EToken::None;
    case EState::Option:
        m_state = EState::Data;
        return EToken::Option;
    case EState::Sub:
        if (c == IAC)
            m_state = EState::SubIac;
        return EToken::None;
    case EState::SubIac:
        m_state = c == SE ? EState::Data : EState::Sub;
        return EToken::None;
    }
    return EToken::None;
}

#include "tools/playclient/proxy_relay.h"

#include "tools/playclient/command_text.h"

// ---------------------------------------------------------------- client commands

void CClientCommandReader::Byte(unsigned char c)
{
    m_bPending = true;
    if (c == 0x08 || c == 0x7F) {  // a rubbed-out character
        if (!m_strLine.empty())
            m_strLine.pop_back();
        return;
    }
    if (c < 0x20 && c != '\t')
        return;
    if (m_strLine.size() < m_nLimit)
        m_strLine += static_cast<char>(c);
}

void CClientCommandReader::End(std::vector<std::string>& commands)
{
    commands.push_back(std::move(m_strLine));
    m_strLine.clear();
    m_bPending = false;
}

void CClientCommandReader::Feed(std::string_view data, std::vector<std::string>& commands)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (m_bAfterCr) {
            // CR LF and CR NUL are one line end; anything else starts the next line.
            m_bAfterCr = false;
            if (c == '\n' || c == '\0')
                continue;
        }
        if (m_telnet.Take(c) != CTelnetParser::EToken::Data)
            continue;  // IAC IAC gives the data byte 255
        if (c == '\r') {
            End(commands);
            m_bAfterCr = true;
        } else if (c == '\n')
            End(commands);
        else
            Byte(c);
    }
}

// ---------------------------------------------------------------- relay

std::string CProxyRelay::EchoLine(const std::string& command)
{
    return kEchoMark + GameBytes(command);
}

void CProxyRelay::FromGame(std::string_view data, std::string& toClient, std::vector<CGameLine>& lines)
{
    toClient.append(data);
    std::string replies;  // negotiation is the client's: nothing is answered here
    while (!data.empty()) {
        const std::size_t nl = data.find('\n');
        const std::size_t before = nl == std::string_view::npos ? data.size() : nl;
        std::string text;
        m_filter.Feed(data.data(), before, text, replies);
        if (text.find_first_not_of('\n') != std::string::npos)
            m_bGameMidLine = true;
        if (nl == std::string_view::npos) {
            m_lines.Feed(text, lines);
            return;
        }
        // The LF ends a line of the game's unless it is a byte of a telnet
        // command or a terminal sequence.
        const bool ends = !m_filter.InSequence();
        m_filter.Feed(data.data() + nl, 1, text, replies);
        m_lines.Feed(text, lines);
        data.remove_prefix(nl + 1);
        if (ends) {
            m_bGameMidLine = false;
            if (!m_strWaiting.empty()) {
                // Put the echoes in right after this line end.
                const std::size_t at = toClient.size() - data.size();
                toClient.insert(at, m_strWaiting);
                m_strWaiting.clear();
            }
        }
    }
}

void CProxyRelay::FromClient(std::string_view data, std::string& toGame, std::vector<std::string>& commands)
{
    while (!data.empty()) {
        // Up to the next byte that may end a line: waiting map commands go right after it.
        const std::size_t end = data.find_first_of(std::string_view("\r\n\0", 3));
        const std::size_t n = end == std::string_view::npos ? data.size() : end + 1;
        m_commands.Feed(data.substr(0, n), commands);
        toGame.append(data.substr(0, n));
        data.remove_prefix(n);
        if (!m_strGameWaiting.empty() && m_commands.AtLineStart()) {
            toGame += m_strGameWaiting;
            m_strGameWaiting.clear();
        }
    }
}

bool CProxyRelay::FlushCommand(std::string& toGame)
{
    if (m_strGameWaiting.empty() || !(m_commands.AtLineStart() || m_commands.AfterCr()))
        return false;
    toGame += m_strGameWaiting;
    m_strGameWaiting.clear();
    return true;
}

void CProxyRelay::FromMapper(const std::string& command, std::string& toGame, std::string& toClient)
{
    m_strGameWaiting += GameBytes(command);
    if (m_commands.AtLineStart()) {
        toGame += m_strGameWaiting;
        m_strGameWaiting.clear();
    }
    m_strWaiting += EchoLine(command);
    if (!m_bGameMidLine && !m_filter.InSequence()) {
        toClient += m_strWaiting;
        m_strWaiting.clear();
    }
}

bool CProxyRelay::FlushEcho(std::string& toClient)
{
    if (m_strWaiting.empty() || m_filter.InSequence())
        return false;
    if (m_bGameMidLine)
        toClient += "\r\n";
    m_bGameMidLine = false;
    toClient += m_strWaiting;
    m_strWaiting.clear();
    return true;
}

#include "tools/playclient/line_assembler.h"

void CLineAssembler::Feed(std::string_view text, std::vector<CGameLine>& lines)
{
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view piece = text.substr(0, nl);
        if (m_strPending.size() < m_nLimit)
            m_strPending.append(piece.substr(0, m_nLimit - m_strPending.size()));
        m_nPendingLength += piece.size();
        if (nl == std::string_view::npos)
            return;
        CGameLine line;
        line.text = std::move(m_strPending);
        line.length = m_nPendingLength;
        lines.push_back(std::move(line));
        m_strPending.clear();
        m_nPendingLength = 0;
        text.remove_prefix(nl + 1);
    }
}

bool CLineAssembler::Flush(CGameLine& line)
{
    if (m_nPendingLength == 0)
        return false;
    line.text = std::move(m_strPending);
    line.length = m_nPendingLength;
    line.partial = true;
    m_strPending.clear();
    m_nPendingLength = 0;
    return true;
}

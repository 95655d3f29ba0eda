#include "mapper/model/records.h"

void CRoomInfo::Reset()
{
    m_ptLabel = CPoint{};
    m_crLabelText = 0;
    m_crLabelBack = kColorNone;
    m_hLabelRgn.reset();
}

void CRoomInfo::FillMissing(const CRoomInfo& source)
{
    if (m_strTitle.empty())
        m_strTitle = source.m_strTitle;
    if (m_strComments.empty())
        m_strComments = source.m_strComments;
    if (m_strLabel.empty()) {
        m_strLabel = source.m_strLabel;
        m_ptLabel = source.m_ptLabel;
    }
}

bool CRoomInfo::WouldFill(const CRoomInfo& source) const
{
    return (m_strTitle.empty() && !source.m_strTitle.empty()) ||
           (m_strComments.empty() && !source.m_strComments.empty()) ||
           (m_strLabel.empty() && (!source.m_strLabel.empty() || m_ptLabel != source.m_ptLabel));
}

void CRoom::Reset()
{
    m_links.fill(0);
    m_nX = m_nY = m_nPlane = 0;
    m_bRecursive = false;
    m_crColor = kColorNone;
    m_nId = kIdUnassigned;
    m_info.Reset();
}

void CLink::Reset()
{
    m_hRgn.reset();
    m_nFromRoom = m_nToRoom = 0;
    m_nFromDir = m_nToDir = 0;
    m_nId = kIdUnassigned;
}

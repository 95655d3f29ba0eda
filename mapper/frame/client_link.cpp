// The client link: the client's messages, docking, online mode, the settings
// file and sending a direction to the client.
#include "mapper/frame/client_link.h"

#include "mapper/frame/client_protocol.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/client_settings.h"

CClientLink::CClientLink(CVorMapperDoc& doc, CMappingSession& session, const CClientLinkHost& host)
    : m_doc(doc), m_session(session), m_host(host)
{
    m_doc.SetOnlineMoveSink(this);
}

CClientLink::~CClientLink() { m_doc.SetOnlineMoveSink(nullptr); }

bool CClientLink::OnCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes, std::intptr_t& reply)
{
    switch (code) {
    case CD_ATTACH:
        reply = AttachToClient();
        return true;
    case CD_ONLINE:
        GoOnline();
        reply = 1;
        return true;
    case CD_QUIT:
        if (m_host.window)
            m_host.window->DestroyFrame();
        reply = 1;
        return true;
    case CD_COMMAND:
        if (m_doc.IsOnline())
            m_session.HandleCommand(CopyDataText(data, bytes));
        reply = 1;
        return true;
    case CD_TEXT_LINE:
        reply = m_session.OnGameLine(CopyDataText(data, bytes));
        return true;
    case CD_NOP:
        reply = 1;
        return true;
    case CD_SETTINGS_DIR:
        m_strSettingsDir = CopyDataText(data, bytes);
        reply = 1;
        return true;
    default:
        reply = 0;
        return false;
    }
}

std::intptr_t CClientLink::AttachToClient()
{
    if (m_hClient == 0)
        return 1;
    m_bAttached = true;
    if (m_host.window)
        m_host.window->DockIntoClient();
    m_session.m_settings.m_aliases.InstallDefaults();
    return 1;
}

void CClientLink::GoOnline()
{
    m_doc.SetOnline(true);
    LoadClientSettings();
}

void CClientLink::OnOnlineCommand()
{
    if (!m_bAttached)
        return;
    m_doc.SetOnline(!m_doc.IsOnline());
}

bool CClientLink::OnCommand(unsigned id)
{
    switch (id) {
    case ID_MODE_ONLINE:
        OnOnlineCommand();
        return true;
    case ID_MODE_FOLLOW:
        // The command is disabled while offline; a late one changes nothing.
        if (m_doc.IsOnline())
            m_session.OnFollowCommand();
        return true;
    default:
        return false;
    }
}

bool CClientLink::OnUpdateCommand(vfw::CCmdUI& ui) const
{
    switch (ui.m_nID) {
    case ID_MODE_ONLINE:
        ui.Enable(m_bAttached);
        ui.SetCheck(m_doc.IsOnline() ? 1 : 0);
        return true;
    case ID_MODE_FOLLOW:
        ui.Enable(m_doc.IsOnline());
        ui.SetCheck(m_session.IsFollowing() ? 1 : 0);
        return true;
    default:
        return false;
    }
}

void CClientLink::SendDirection(Direction dir)
{
    if (!m_bAttached || !m_doc.IsOnline() || !IsDirection(dir))
        return;
    const std::string& text = m_session.m_settings.m_aliases.GetLong(dir);
    SendToClient(CD_COMMAND, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
}

std::intptr_t CClientLink::SendToClient(std::uintptr_t code, const void* data, std::uint32_t bytes)
{
    if (!m_doc.IsOnline() || !m_host.channel)
        return 0;
    return m_host.channel->SendCopyData(code, data, bytes);
}

std::string CClientLink::GetClientSettingsPath() const { return ::GetClientSettingsPath(m_strSettingsDir); }

void CClientLink::LoadClientSettings()
{
    ::LoadClientSettings(GetClientSettingsPath(), m_session.m_settings);
}

void CClientLink::SaveClientSettings()
{
    ::SaveClientSettings(GetClientSettingsPath(), m_session.m_settings);
}

#pragma once
// The main frame's link to the terminal client: the client's copy-data
// messages, docking, the Online and Follow commands, the client-side settings
// file, and sending a direction to the client. Commands and game lines go to
// the mapping session; online mode is the document's. Portable; the windowed
// frame owns one and routes the client's copy-data messages to it.
#include <cstdint>
#include <string>

#include "framework/document.h"
#include "mapper/frame/client_link_host.h"
#include "mapper/mapping/mapping_session.h"
#include "mapper/model/document.h"

class CClientLink : public IOnlineMoveSink {
public:
    CClientLink(CVorMapperDoc& doc, CMappingSession& session, const CClientLinkHost& host = {});
    ~CClientLink() override;
    CClientLink(const CClientLink&) = delete;
    CClientLink& operator=(const CClientLink&) = delete;

    // A copy-data message from the client. Returns false for codes that get
    // the platform's default handling (reply 0); otherwise sets `reply`.
    bool OnCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes, std::intptr_t& reply);

    // Docking; returns 1. Nothing happens without a client window.
    std::intptr_t AttachToClient();
    // Online mode from the client: set, then the settings file read.
    void GoOnline();

    // The Online and Follow commands (menu ids), and their menu state.
    bool OnCommand(unsigned id);
    bool OnUpdateCommand(vfw::CCmdUI& ui) const;
    void OnOnlineCommand();

    // Sends the direction's long alias to the client while docked and online.
    void SendDirection(Direction dir) override;
    std::intptr_t SendToClient(std::uintptr_t code, const void* data, std::uint32_t bytes);

    void LoadClientSettings();
    void SaveClientSettings();
    std::string GetClientSettingsPath() const;

    // --- state, read and written by the frame
    std::uintptr_t m_hClient = 0;
    bool m_bAttached = false;
    std::string m_strSettingsDir;

private:
    CVorMapperDoc& m_doc;
    CMappingSession& m_session;
    CClientLinkHost m_host;
};

#pragma once
// What the client link needs of the windowed frame around it.
#include <cstdint>

// Sends a copy-data message to the client window and waits for its reply.
class IClientChannel {
public:
    virtual ~IClientChannel() = default;
    virtual std::intptr_t SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes) = 0;
};

// The frame window itself.
class IFrameWindow {
public:
    virtual ~IFrameWindow() = default;
    // Child style, the client window as parent, maximised, menu bar handed over.
    virtual void DockIntoClient() = 0;
    // Ends the frame at once, without any of the close handling.
    virtual void DestroyFrame() = 0;
};

struct CClientLinkHost {
    IClientChannel* channel = nullptr;
    IFrameWindow* window = nullptr;
};

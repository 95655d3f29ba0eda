// libFuzzer target: any sequence of client messages, with triggers, wrong-way
// and ignore strings taken from the input. Each block is copied to a buffer of
// exactly its byte count, so a read beyond it is caught.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "mapper/frame/client_link.h"
#include "mapper/frame/client_protocol.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {

struct CReader {
    const std::uint8_t* p;
    std::size_t n;
    bool Empty() const { return n == 0; }
    std::uint8_t Byte()
    {
        if (n == 0)
            return 0;
        --n;
        return *p++;
    }
    std::vector<std::uint8_t> Block()
    {
        std::size_t len = Byte();
        len = len << 8 | Byte();
        len = std::min(len, n);
        std::vector<std::uint8_t> b(p, p + len);
        p += len;
        n -= len;
        return b;
    }
    std::string Text()
    {
        const std::vector<std::uint8_t> b = Block();
        return std::string(b.begin(), b.end());
    }
};

struct CSink : IClientChannel, IFollowNamePrompt, IMessageBoxes, IFrameWindow {
    std::intptr_t SendCopyData(std::uintptr_t, const void* data, std::uint32_t bytes) override
    {
        std::uint32_t sum = 0;
        for (std::uint32_t i = 0; i < bytes; ++i)
            sum += static_cast<const std::uint8_t*>(data)[i];
        return sum;
    }
    bool AskFollowName(std::string& name) override
    {
        name = next;
        return !next.empty();
    }
    void ShowInformation(const std::string&, const std::string&) override {}
    void DockIntoClient() override {}
    void DestroyFrame() override {}
    std::string next;
};

const std::uintptr_t kCodes[] = {CD_ATTACH, CD_ONLINE, CD_QUIT, CD_COMMAND, CD_TEXT_LINE, CD_TEXT_LINE, CD_TEXT_LINE,
                                 CD_NOP,    1151,      1152,    1153,       CD_SETTINGS_DIR, 0, UM_MAPPER_WINDOW, 99999};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CReader in{data, size};
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CSink sink;
    CMappingSession session(doc, CMappingHost{&sink, &sink});
    CClientLink link(doc, session, CClientLinkHost{&sink, &sink});
    link.m_hClient = 1;
    link.AttachToClient();
    doc.SetOnline(true);
    CGameSettings& settings = session.m_settings;
    settings.m_followTriggers.SetActivation(in.Text());
    settings.m_followTriggers.SetDirection(in.Text());
    settings.m_followTriggers.SetFollow(in.Text());
    settings.m_followTriggers.SetStop(in.Text());
    settings.m_wrongWay = {in.Text()};
    settings.m_ignore = {in.Text()};
    settings.m_nTitleLine = in.Byte() % 4;
    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        if (op >= 0xF0) {
            sink.next = in.Text();
            const unsigned ids[] = {ID_MODE_ONLINE, ID_MODE_FOLLOW, ID_MODE_EXPLORE, ID_MODE_TRACE, ID_MODE_AUTOSHIFT};
            const unsigned id = ids[op % 5];
            if (!link.OnCommand(id))
                doc.OnCommand(id);
            continue;
        }
        if (op >= 0xE0) {
            doc.SendOnlineMove(op % 12 - 1);
            continue;
        }
        const std::uintptr_t code = kCodes[op % (sizeof kCodes / sizeof kCodes[0])];
        if (code == CD_SETTINGS_DIR || code == CD_ONLINE)
            continue;  // no settings files from fuzzed names
        const std::vector<std::uint8_t> block = in.Block();
        std::uint8_t* exact = block.empty() ? nullptr : new std::uint8_t[block.size()];
        if (exact)
            std::memcpy(exact, block.data(), block.size());
        std::intptr_t reply = 0;
        link.OnCopyData(code, exact, static_cast<std::uint32_t>(block.size()), reply);
        delete[] exact;
    }
    return 0;
}

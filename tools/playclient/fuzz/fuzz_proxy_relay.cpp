// libFuzzer target: arbitrary bytes through proxy mode, as the game's stream
// and as the client's, in arbitrary pieces, with map commands made between
// the pieces. Every byte must pass on unchanged, the map's echoes and
// commands must appear whole and only where they were allowed, and the
// decoded copies must not depend on how the reads split.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/playclient/proxy_relay.h"

namespace {
const std::string kEcho = "[map] n\r\n";
const std::string kCommand = "n\r\n";

struct Result {
    std::string toClient, toGame;
    std::vector<std::string> lines, commands;
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Feeds `data` to both sides in pieces of `step` bytes; with `map`, a map
// command after each piece, and everything waiting flushed at the end.
Result Relay(std::string_view data, std::size_t step, bool map)
{
    Result r;
    CProxyRelay relay;
    std::vector<CGameLine> lines;
    int made = 0;
    for (std::size_t i = 0; i < data.size(); i += step) {
        relay.FromGame(data.substr(i, step), r.toClient, lines);
        relay.FromClient(data.substr(i, step), r.toGame, r.commands);
        if (map) {
            relay.FromMapper("n", r.toGame, r.toClient);
            ++made;
        }
    }
    relay.FlushEcho(r.toClient);
    relay.FlushCommand(r.toGame);
    for (const CGameLine& l : lines)
        r.lines.push_back(l.text);
    if (map && !relay.HasWaitingEcho() && !relay.HasWaitingCommand()) {
        // Taking every echo and command out again leaves the bytes as they came.
        auto count = [](const std::string& s, const std::string& what) {
            std::size_t n = 0;
            for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
                ++n;
            return n;
        };
        Check(count(r.toClient, kEcho) >= static_cast<std::size_t>(made));
        Check(count(r.toGame, kCommand) >= static_cast<std::size_t>(made));
    }
    return r;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t step = 1 + data[0] % 7;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Result whole = Relay(bytes, bytes.size() + 1, false);
    const Result pieces = Relay(bytes, step, false);
    Check(whole.toClient == bytes && pieces.toClient == bytes);
    Check(whole.toGame == bytes && pieces.toGame == bytes);
    Check(whole.lines == pieces.lines && whole.commands == pieces.commands);
    const Result mapped = Relay(bytes, step, true);
    Check(mapped.lines == pieces.lines && mapped.commands == pieces.commands);
    Check(mapped.toClient.size() >= bytes.size() && mapped.toGame.size() >= bytes.size());
    return 0;
}

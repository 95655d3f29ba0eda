#include "tools/playclient/client_options.h"

#include <charconv>
#include <sstream>

const char kClientUsage[] =
    "playclient --port N [--host H] [--mapper EXE] [--vorh DLL] [--settings-dir DIR] [--trace] [--child-mapper]\n"
    "           [--walk FILE] [--step-ms N] [--save-map FILE] [--ready-file FILE] [--quit-file FILE] [--log FILE]\n"
    "playclient --listen N --port N [--host H] [...]   proxy mode: your own client connects to 127.0.0.1:N\n"
    "           [--save-on FILE]  whenever FILE appears: save the map to the --save-map file";

namespace {
bool ReadInt(const std::string& text, int low, int high, int& out)
{
    int v = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || p != end || v < low || v > high)
        return false;
    out = v;
    return true;
}
}  // namespace

bool ParseClientOptions(const std::vector<std::string>& args, CClientOptions& o, std::string& error)
{
    struct Text {
        const char* name;
        std::string CClientOptions::*field;
    };
    static const Text texts[] = {{"--host", &CClientOptions::host},         {"--mapper", &CClientOptions::mapper},
                                 {"--vorh", &CClientOptions::vorh},         {"--settings-dir", &CClientOptions::settingsDir},
                                 {"--walk", &CClientOptions::walk},         {"--save-map", &CClientOptions::saveMap},
                                 {"--ready-file", &CClientOptions::readyFile}, {"--quit-file", &CClientOptions::quitFile},
                                 {"--log", &CClientOptions::log},
                                 {"--save-on", &CClientOptions::saveOn}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--trace" || a == "--child-mapper") {
            (a == "--trace" ? o.trace : o.childMapper) = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a.rfind("--", 0) == 0 ? a + " needs a value" : "unknown argument: " + a;
            return false;
        }
        const std::string& value = args[i + 1];
        bool known = false;
        for (const Text& t : texts)
            if (a == t.name) {
                o.*t.field = value;
                known = true;
            }
        if (a == "--port") {
            if (!ReadInt(value, 1, 65535, o.port)) {
                error = "--port needs a number from 1 to 65535, not '" + value + "'";
                return false;
            }
            known = true;
        } else if (a == "--listen") {
            if (!ReadInt(value, 1, 65535, o.listen)) {
                error = "--listen needs a port number from 1 to 65535, not '" + value + "'";
                return false;
            }
            known = true;
        } else if (a == "--step-ms") {
            if (!ReadInt(value, 0, 600000, o.stepMs)) {
                error = "--step-ms needs a number of milliseconds, not '" + value + "'";
                return false;
            }
            known = true;
        }
        if (!known) {
            error = "unknown argument: " + a;
            return false;
        }
        ++i;
    }
    if (o.listen && !o.port) {
        error = "--listen needs --port (and --host) naming the game";
        return false;
    }
    return true;
}

std::vector<std::string> ParseWalk(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        out.push_back(line.substr(start));
    }
    return out;
}

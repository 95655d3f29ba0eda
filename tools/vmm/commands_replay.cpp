// vmm replay: plays a recorded game session into a map.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/settings/client_settings.h"
#include "mapper/settings/ini_file.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/transcript_player.h"

namespace {

const char kUsage[] = "replay [--settings-dir DIR] [--map IN.vmm] --out OUT.vmm [--sent FILE] TRANSCRIPT";

struct CReplayArgs {
    std::optional<std::string> settingsDir;
    std::string mapIn, mapOut, transcript, sent;
};

bool ParseArgs(const VmmArgs& args, CReplayArgs& a, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* value = nullptr;
        // The settings directory may be empty, as a client may send it.
        const bool settings = arg == "--settings-dir";
        if (settings)
            value = &a.settingsDir.emplace();
        else if (arg == "--map")
            value = &a.mapIn;
        else if (arg == "--out")
            value = &a.mapOut;
        else if (arg == "--sent")
            value = &a.sent;
        if (value) {
            if (i + 1 >= args.size() || (args[i + 1].empty() && !settings)) {
                err << "vmm replay: " << arg << " needs a value\n";
                return false;
            }
            *value = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            err << "vmm replay: unknown option " << arg << "\n";
            return false;
        } else if (a.transcript.empty()) {
            a.transcript = arg;
        } else {
            err << "vmm replay: more than one transcript given\n";
            return false;
        }
    }
    if (a.mapOut.empty() || a.transcript.empty()) {
        err << "usage: vmm " << kUsage << "\n";
        return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The mapper reads the settings file as it is, with no message; these only
// point out what it will make of values that look like mistakes. They read
// through the mapper's own reader and change nothing.
void WarnAboutSettings(const std::string& path, std::ostream& err)
{
    // (A name without a folder is looked up by the platform's own rules.)
    std::error_code ec;
    if (path.find_first_of("/\\") != std::string::npos && !std::filesystem::exists(path, ec)) {
        err << "vmm replay: warning: no settings file " << path << ": the defaults are used\n";
        return;
    }
    const CIniFile ini(path);
    for (const char* section : {"stop", "skip"}) {
        const std::string text = ini.GetString(section, "count", "0");
        const std::int32_t n = ParseLeadingInt(text);
        if (n < 0 || n > kMaxListCount || std::to_string(n) != TrimBlanks(text))
            err << "vmm replay: warning: " << path << ": [" << section << "] count '" << text << "' reads as "
                << (n < 0 ? 0 : std::min(n, kMaxListCount)) << " entries\n";
        // A missing entry reads as empty text, which every line contains.
        for (std::int32_t i = 0; i < std::min(n, kMaxListCount); ++i)
            if (ini.GetString(section, section + std::to_string(i), "").empty()) {
                err << "vmm replay: warning: " << path << ": [" << section << "] " << section << i
                    << " is empty or missing: it matches every line\n";
                break;
            }
    }
    const std::int32_t title = ini.GetInt("info", "TitleLine", 0);
    if (title < 0)
        err << "vmm replay: warning: " << path << ": TitleLine " << title << " never takes a title\n";
}

// Every text the mapper sent to the client, one per line.
bool WriteSentTexts(const std::vector<std::string>& sent, const std::string& path, std::ostream& err)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& text : sent)
        file << text << "\n";
    file.flush();
    if (!file) {
        err << "vmm replay: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int VmmReplay(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    CReplayArgs a;
    if (!ParseArgs(args, a, err))
        return 1;

    CVorMapperDoc doc;
    doc.OnNewDocument();
    std::string why;
    if (!a.mapIn.empty() && !LoadMapFile(doc, a.mapIn, why)) {
        err << "vmm replay: cannot load map " << a.mapIn << ": " << why << "\n";
        return 1;
    }
    // The directory text is the prefix of the file name, taken as it is.
    if (a.settingsDir)
        WarnAboutSettings(GetClientSettingsPath(*a.settingsDir), err);
    std::vector<std::uint8_t> transcript;
    if (!ReadFileBytes(a.transcript, transcript, why)) {
        err << "vmm replay: cannot read transcript " << a.transcript << ": " << why << "\n";
        return 1;
    }

    CTranscriptPlayer player(doc);
    player.Connect(a.settingsDir);
    const std::string_view text(reinterpret_cast<const char*>(transcript.data()), transcript.size());
    const bool played = player.Play(text, why);
    for (const std::string& note : player.GetNotes())
        err << "vmm replay: " << a.transcript << " " << note << "\n";
    if (!played) {
        err << "vmm replay: " << a.transcript << " " << why << "; no map written\n";
        return 1;
    }
    if (!SaveMapFile(doc, a.mapOut, why)) {
        err << "vmm replay: cannot save map " << a.mapOut << ": " << why << "\n";
        return 1;
    }
    if (!a.sent.empty() && !WriteSentTexts(player.GetSent(), a.sent, err))
        return 1;
    const CReplayStats s = player.GetStats();
    out << "replayed " << s.events << " events: " << s.moves << " moves, " << s.roomsCreated << " rooms and "
        << s.linksCreated << " links created\n";
    return 0;
}

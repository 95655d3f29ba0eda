// vmm replay: plays a recorded game session into a map.
#include <ostream>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/settings/client_settings.h"
#include "mapper/settings/ini_file.h"
#include "mapper/settings/profile_text.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/transcript_player.h"

namespace {

const char kUsage[] = "replay [--settings-dir DIR] [--map IN.vmm] --out OUT.vmm TRANSCRIPT";

struct CReplayArgs {
    std::string settingsDir, mapIn, mapOut, transcript;
};

bool ParseArgs(const VmmArgs& args, CReplayArgs& a, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* value = nullptr;
        if (arg == "--settings-dir")
            value = &a.settingsDir;
        else if (arg == "--map")
            value = &a.mapIn;
        else if (arg == "--out")
            value = &a.mapOut;
        if (value) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
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

// The settings file must exist and be made of profile lines. Values that the
// mapper reads in its own way (no number, out of range) are only warned about.
bool CheckSettingsFile(const std::string& path, std::ostream& err)
{
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!ReadFileBytes(path, bytes, why)) {
        err << "vmm replay: cannot read settings file " << path << ": " << why << "\n";
        return false;
    }
    const std::vector<std::string> lines = ReadProfileLines(path);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view t = TrimBlanks(lines[i]);
        const bool ok = t.empty() || t.front() == ';' || (t.front() == '[' && t.back() == ']') ||
                        (t.find('=') != std::string_view::npos && !TrimBlanks(t.substr(0, t.find('='))).empty());
        if (!ok) {
            err << "vmm replay: " << path << " line " << (i + 1)
                << ": neither a [section] nor a key=value line\n";
            return false;
        }
    }
    for (const char* section : {"stop", "skip"}) {
        const std::string text = ProfileGetString(lines, section, "count", "0");
        const std::int32_t n = ParseLeadingInt(text);
        if (n < 0 || n > kMaxListCount || std::to_string(n) != TrimBlanks(text))
            err << "vmm replay: warning: " << path << ": [" << section << "] count '" << text << "' reads as "
                << (n < 0 ? 0 : std::min(n, kMaxListCount)) << " entries\n";
        // A missing entry reads as empty text, which every line contains.
        for (std::int32_t i = 0; i < std::min(n, kMaxListCount); ++i)
            if (ProfileGetString(lines, section, section + std::to_string(i), "").empty()) {
                err << "vmm replay: warning: " << path << ": [" << section << "] " << section << i
                    << " is empty or missing: it matches every line\n";
                break;
            }
    }
    const std::int32_t title = ParseLeadingInt(ProfileGetString(lines, "info", "TitleLine", "0"));
    if (title < 0)
        err << "vmm replay: warning: " << path << ": TitleLine " << title << " never takes a title\n";
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
    if (!a.settingsDir.empty()) {
        std::string dir = a.settingsDir;
        if (dir.back() != '/')
            dir += '/';
        if (!CheckSettingsFile(GetClientSettingsPath(dir), err))
            return 1;
    }
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
    const CReplayStats s = player.GetStats();
    out << "replayed " << s.events << " events: " << s.moves << " moves, " << s.roomsCreated << " rooms and "
        << s.linksCreated << " links created\n";
    return 0;
}

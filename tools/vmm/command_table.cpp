#include <ostream>

#include "tools/vmm/commands.h"

namespace {
const CVmmCommandEntry kCommands[] = {
    {"new", "new FILE", VmmNew},
    {"info", "info FILE", VmmInfo},
    {"dump", "dump FILE", VmmDump},
    {"convert", "convert IN OUT [--from FORMAT] [--to FORMAT]", VmmConvert},
    {"check", "check FILE", VmmCheck},
    {"render", "render FILE OUT.png|OUT.svg|OUT.pdf [--size WxH] [--plane N] [--follow] [--no-grid] [--no-rose] [--no-state] [--no-higher] [--no-lower]", VmmRender},
    {"path", "path FILE FROM TO", VmmPath},
    {"find", "find FILE TEXT", VmmFind},
    {"replay", "replay [--settings-dir DIR] [--map IN.vmm] --out OUT.vmm [--sent FILE] TRANSCRIPT", VmmReplay},
};
}  // namespace

int VmmMain(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty())
        for (const CVmmCommandEntry& c : kCommands)
            if (args[0] == c.name)
                return c.run(VmmArgs(args.begin() + 1, args.end()), out, err);
    err << (args.empty() ? "vmm: no command" : "vmm: unknown command " + args[0]) << "\n";
    err << "usage:\n";
    for (const CVmmCommandEntry& c : kCommands)
        err << "  vmm " << c.usage << "\n";
    return 1;
}

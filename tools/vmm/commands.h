#pragma once
// The subcommands of vmm. Each takes its arguments (after the command word),
// writes its output to `out` and its one-line errors to `err`, and returns the
// exit code.
#include <iosfwd>
#include <string>
#include <vector>

using VmmArgs = std::vector<std::string>;
using VmmCommand = int (*)(const VmmArgs& args, std::ostream& out, std::ostream& err);

struct CVmmCommandEntry {
    const char* name;
    const char* usage;
    VmmCommand run;
};

int VmmNew(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmInfo(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmDump(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmConvert(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmCheck(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmRender(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmPath(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmFind(const VmmArgs& args, std::ostream& out, std::ostream& err);
int VmmReplay(const VmmArgs& args, std::ostream& out, std::ostream& err);

// Runs the command named by args[0]; prints usage for an unknown one.
int VmmMain(const VmmArgs& args, std::ostream& out, std::ostream& err);

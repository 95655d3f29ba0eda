#pragma once
// The client's command line and its walk files.
#include <string>
#include <vector>

struct CClientOptions {
    std::string host = "127.0.0.1";
    int port = 0;                // 0: no game to connect to
    std::string mapper;          // VorMapper.exe; empty: beside the client
    std::string vorh;            // vorh.dll; empty: beside the client
    std::string settingsDir;     // sent to the mapper (CD_SETTINGS_DIR); empty: the client's folder
    bool trace = false;          // switch the mapper to trace mode once online
    bool childMapper = false;    // keep the docked mapper a child window also under Wine
    std::string walk;            // a file of commands typed one by one once connected
    int stepMs = 1200;           // pause between two walked commands
    std::string saveMap;         // after the walk: save the map here
    std::string readyFile;       // after the walk (and the save): written
    std::string quitFile;        // when it appears: quit (mapper ended with CD_QUIT)
    std::string log;             // every line of the pane is appended here
    int listen = 0;              // proxy mode: wait for the player's own client on 127.0.0.1:listen
    std::string saveOn;          // whenever this file appears: delete it, save the map (--save-map), ready file
};

// Reads the arguments (without the program name). On a bad argument returns
// false with a one-line message in `error`.
bool ParseClientOptions(const std::vector<std::string>& args, CClientOptions& options, std::string& error);

// The commands of a walk file: one a line; blank lines and lines starting
// with '#' are skipped, trailing carriage returns removed.
std::vector<std::string> ParseWalk(const std::string& text);

extern const char kClientUsage[];

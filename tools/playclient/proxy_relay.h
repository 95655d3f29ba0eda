#pragma once
// The stream logic of proxy mode: the player's own client talks to the game
// through playclient, which passes every byte on unchanged both ways while
// reading a copy of each side:
// - game to client: the bytes go to the client as they came; the text is
//   decoded like a game connection's own (telnet and terminal sequences
//   removed, cut into lines), but no telnet answer is made: negotiation is
//   between the client and the game;
// - client to game: the bytes go to the game as they came; each line the
//   client ends is a command, read without its telnet sequences;
// - a command made on the map goes to the game as if typed, and the client
//   sees it as a line of the game's, "[map] north". It is put into the
//   client's stream only where a line of the game's has ended and no telnet
//   or terminal sequence is open, so that neither is broken; until then it
//   waits (`FlushEcho` puts it out anyway after a quiet spell, on a line of
//   its own). Likewise a map command waits while the client has a line of
//   its own unfinished (a client that sends as you type), so that the two
//   do not run into one.
// All state carries over between reads: a sequence or a line split across
// reads is handled like one that arrives whole.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/playclient/line_assembler.h"
#include "tools/playclient/telnet_filter.h"
#include "tools/playclient/telnet_parser.h"

// Reads the commands out of what a client sends: telnet commands and
// subnegotiations dropped (IAC IAC is a 255 byte), a line ends at CR LF,
// CR NUL, a lone CR or a lone LF. Control characters other than tab are
// dropped; a line longer than the limit is cut at it.
class CClientCommandReader {
public:
    static constexpr std::size_t kDefaultLimit = 16384;
    explicit CClientCommandReader(std::size_t limit = kDefaultLimit) : m_nLimit(limit) {}

    // Appends the commands ended in `data` to `commands`.
    void Feed(std::string_view data, std::vector<std::string>& commands);
    // True when a line has been started and not ended.
    bool HasPending() const { return m_bPending; }
    // True between two lines: no line started, no telnet command open, no
    // CR whose LF may still come.
    bool AtLineStart() const { return !m_bPending && !m_bAfterCr && !m_telnet.InCommand(); }
    // True right after a CR that may be followed by its LF or NUL.
    bool AfterCr() const { return m_bAfterCr; }

private:
    void Byte(unsigned char c);
    void End(std::vector<std::string>& commands);

    std::size_t m_nLimit;
    CTelnetParser m_telnet;
    bool m_bAfterCr = false;
    std::string m_strLine;
    bool m_bPending = false;
};

class CProxyRelay {
public:
    static constexpr const char* kEchoMark = "[map] ";

    // Bytes read from the game: appends what the client is to get to
    // `toClient` (the same bytes, with waiting echoes put in where they fit)
    // and the decoded complete lines to `lines`.
    void FromGame(std::string_view data, std::string& toClient, std::vector<CGameLine>& lines);
    // Bytes read from the client: appends what the game is to get to
    // `toGame` (the same bytes) and the commands ended to `commands`.
    void FromClient(std::string_view data, std::string& toGame, std::vector<std::string>& commands);
    // A command made on the map: appends the bytes for the game (the command,
    // 255 doubled, line ends made blanks, and CR LF) to `toGame` and its echo
    // to `toClient`, each when it fits now; else they wait.
    void FromMapper(const std::string& command, std::string& toGame, std::string& toClient);
    // Puts waiting echoes out unless a telnet or terminal sequence is open;
    // when the game's line is unfinished (a prompt), they go on a line of
    // their own. Returns true when something was appended.
    bool FlushEcho(std::string& toClient);
    bool HasWaitingEcho() const { return !m_strWaiting.empty(); }
    // Map commands waiting for the client's line end; after a quiet spell a
    // last CR is taken as the line end and they go out.
    bool HasWaitingCommand() const { return !m_strGameWaiting.empty(); }
    bool FlushCommand(std::string& toGame);
    // The game's unfinished line (a prompt), decoded.
    const std::string& Pending() const { return m_lines.Pending(); }
    // At the end of the game connection: its unfinished line, if any.
    bool Flush(CGameLine& line) { return m_lines.Flush(line); }

    // The bytes of an echo line for the client.
    static std::string EchoLine(const std::string& command);

private:
    CTelnetFilter m_filter;
    CLineAssembler m_lines;
    CClientCommandReader m_commands;
    std::string m_strWaiting;  // echo lines, complete with their line ends
    std::string m_strGameWaiting;  // map commands for the game, complete with their line ends
    bool m_bGameMidLine = false;  // raw bytes since the game's last LF
};

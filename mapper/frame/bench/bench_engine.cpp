// Speed of the mapping engine: game lines and typed commands through the
// client link, as a client sends them, and whole transcripts as vmm replay
// reads them.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "mapper/frame/client_link.h"
#include "mapper/frame/client_protocol.h"
#include "mapper/model/document.h"
#include "tools/vmm/transcript_player.h"

namespace {

struct CSession {
    // Lines as the client sends them: text and NUL.
    std::vector<std::string> blocks;
    std::vector<std::uintptr_t> codes;
    std::size_t gameLines = 0;
    std::size_t moves = 0;
};

// A snake walk: rows of `rowLength` moves east or west, one north between
// rows. Every move is a command, its echo, the title and description lines.
const char* SnakeStep(std::size_t i, std::size_t rowLength)
{
    const std::size_t row = i / (rowLength + 1), col = i % (rowLength + 1);
    if (col == rowLength)
        return "n";
    return row % 2 ? "w" : "e";
}

CSession MakeSession(std::size_t moves, std::size_t linesPerMove)
{
    CSession s;
    s.blocks.reserve(moves * (linesPerMove + 1));
    auto add = [&s](std::uintptr_t code, std::string text) {
        text.push_back('\0');
        s.blocks.push_back(std::move(text));
        s.codes.push_back(code);
    };
    for (std::size_t i = 0; i < moves; ++i) {
        const char* step = SnakeStep(i, 100);
        add(CD_COMMAND, step);
        add(CD_TEXT_LINE, step);  // the echo
        add(CD_TEXT_LINE, "Room " + std::to_string(i));
        for (std::size_t k = 2; k < linesPerMove; ++k)
            add(CD_TEXT_LINE, k % 7 ? "A long description line of the room, with some words in it, " + std::to_string(k)
                                    : std::string("[OOC] Somebody chats about nothing at all"));
        s.gameLines += linesPerMove;
        ++s.moves;
    }
    return s;
}

// A docked, online link with the session's game settings filled in.
struct CEngine {
    explicit CEngine(CVorMapperDoc& doc) : session(doc), link(doc, session) {}
    CMappingSession session;
    CClientLink link;
};

void Configure(CVorMapperDoc& doc, CClientLink& link, CGameSettings& settings)
{
    link.m_hClient = 1;
    link.AttachToClient();
    doc.SetOnline(true);
    settings.m_wrongWay = {"You can't go that way", "Alas, you cannot go", "Huh?"};
    settings.m_ignore = {"[ooc]", "You squeeze through"};
    settings.m_followTriggers.SetActivation("%name beckons you.");
    settings.m_followTriggers.SetDirection("%name leaves %dir.");
}

void Play(CClientLink& link, const CSession& s)
{
    std::intptr_t reply = 0;
    for (std::size_t i = 0; i < s.blocks.size(); ++i)
        link.OnCopyData(s.codes[i], s.blocks[i].data(), static_cast<std::uint32_t>(s.blocks[i].size()), reply);
    benchmark::DoNotOptimize(reply);
}

// 1,000,000 game lines carrying 10,000 moves, each a new room.
void BM_ReplayGameLines(benchmark::State& state)
{
    const CSession s = MakeSession(10000, 100);
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVorMapperDoc>();
        doc->OnNewDocument();
        auto engine = std::make_unique<CEngine>(*doc);
        Configure(*doc, engine->link, engine->session.m_settings);
        state.ResumeTiming();
        Play(engine->link, s);
        if (engine->session.GetMoveCount() != s.moves)
            state.SkipWithError("moves were lost");
        state.PauseTiming();
        engine.reset();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * s.gameLines));
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(s.gameLines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReplayGameLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same session in follow mode: every line is tried against the triggers.
void BM_ReplayFollowLines(benchmark::State& state)
{
    CSession s = MakeSession(10000, 100);
    for (std::size_t i = 0; i < s.blocks.size(); ++i)
        if (s.codes[i] == CD_COMMAND) {
            const std::string dir = s.blocks[i][0] == 'e' ? "east" : s.blocks[i][0] == 'w' ? "west" : "north";
            s.codes[i] = CD_TEXT_LINE;
            s.blocks[i] = "Bob leaves " + dir + ".";
            s.blocks[i].push_back('\0');
        }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVorMapperDoc>();
        doc->OnNewDocument();
        auto engine = std::make_unique<CEngine>(*doc);
        Configure(*doc, engine->link, engine->session.m_settings);
        engine->session.m_settings.m_followTriggers.SetName("Bob");  // following from here on
        state.ResumeTiming();
        Play(engine->link, s);
        if (engine->session.GetMoveCount() != s.moves)
            state.SkipWithError("moves were lost");
        state.PauseTiming();
        engine.reset();
        doc.reset();
        state.ResumeTiming();
    }
    const double lines = static_cast<double>(s.blocks.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * s.blocks.size()));
    state.counters["lines/s"] = benchmark::Counter(lines, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReplayFollowLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// vmm replay's own work: the transcript text parsed and played.
void BM_ReplayTranscript(benchmark::State& state)
{
    std::string text;
    std::size_t gameLines = 0;
    for (std::size_t i = 0; i < 10000; ++i) {
        const char* step = SnakeStep(i, 100);
        text += "> ";
        text += step;
        text += "\n< ";
        text += step;
        text += "\n< Room " + std::to_string(i) + "\n";
        for (int k = 2; k < 100; ++k)
            text += "< A long description line of the room, with some words in it\r\n";
        gameLines += 100;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVorMapperDoc>();
        doc->OnNewDocument();
        auto player = std::make_unique<CTranscriptPlayer>(*doc);
        player->Connect(std::nullopt);
        Configure(*doc, player->GetLink(), player->GetSession().m_settings);
        state.ResumeTiming();
        std::string error;
        if (!player->Play(text, error) || player->GetStats().moves != 10000)
            state.SkipWithError("replay failed");
        state.PauseTiming();
        player.reset();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(gameLines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReplayTranscript)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One move (command, echo, title, 7 more lines) on a map that already holds
// `range(0)` rooms: the cost must stay flat as the map grows.
void BM_MoveOnLargeMap(benchmark::State& state)
{
    const std::size_t rooms = static_cast<std::size_t>(state.range(0));
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CEngine engine(doc);
    Configure(doc, engine.link, engine.session.m_settings);
    CClientLink& link = engine.link;
    const std::size_t row = 1000;
    for (std::size_t i = 1; i < rooms; ++i) {
        const std::size_t r = (i - 1) / row;
        doc.Move(i % row == 0 ? DIR_N : (r % 2 ? DIR_W : DIR_E));
    }
    const CSession s = MakeSession(1, 10);
    std::size_t i = 0;
    std::intptr_t reply = 0;
    const char* const steps[] = {"n", "s"};
    std::string title;
    for (auto _ : state) {
        const char* step = steps[i++ % 2];
        link.OnCopyData(CD_COMMAND, step, 2, reply);
        link.OnCopyData(CD_TEXT_LINE, step, 2, reply);
        title = i % 2 ? "North" : "South";
        link.OnCopyData(CD_TEXT_LINE, title.c_str(), static_cast<std::uint32_t>(title.size() + 1), reply);
        for (std::size_t k = 3; k < s.blocks.size(); ++k)
            link.OnCopyData(CD_TEXT_LINE, s.blocks[k].data(), static_cast<std::uint32_t>(s.blocks[k].size()), reply);
    }
    state.counters["rooms"] = static_cast<double>(doc.GetRooms().size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_MoveOnLargeMap)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();

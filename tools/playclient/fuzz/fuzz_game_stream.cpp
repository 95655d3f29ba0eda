// libFuzzer target: arbitrary bytes from a game, in arbitrary pieces. The
// text must be free of control characters, the answers only refusals, the
// lines within the limit, and the result the same however the reads split.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/playclient/line_assembler.h"
#include "tools/playclient/telnet_filter.h"

namespace {
struct Result {
    std::string text, replies;
    std::vector<CGameLine> lines;
    CGameLine last;
    bool hasLast = false;
};

Result Decode(const std::uint8_t* data, std::size_t size, std::size_t step)
{
    Result r;
    CTelnetFilter filter;
    CLineAssembler lines(64);
    for (std::size_t i = 0; i < size; i += step) {
        std::string text;
        filter.Feed(reinterpret_cast<const char*>(data) + i, std::min(step, size - i), text, r.replies);
        r.text += text;
        lines.Feed(text, r.lines);
    }
    r.hasLast = lines.Flush(r.last);
    return r;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t step = 1 + data[0] % 7;
    const Result whole = Decode(data + 1, size - 1, size);
    const Result pieces = Decode(data + 1, size - 1, step);
    Check(whole.text == pieces.text && whole.replies == pieces.replies);
    Check(whole.lines.size() == pieces.lines.size() && whole.hasLast == pieces.hasLast);
    for (unsigned char c : whole.text)
        Check(c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F));
    Check(whole.replies.size() % 3 == 0);
    for (std::size_t i = 0; i < whole.replies.size(); i += 3) {
        const auto verb = static_cast<unsigned char>(whole.replies[i + 1]);
        Check(static_cast<unsigned char>(whole.replies[i]) == 255 && (verb == 252 || verb == 254));
    }
    for (std::size_t i = 0; i < whole.lines.size(); ++i) {
        const CGameLine& l = whole.lines[i];
        Check(l.text == pieces.lines[i].text && l.length == pieces.lines[i].length);
        Check(l.text.size() <= 64 && l.text.size() <= l.length && l.text.find('\n') == std::string::npos);
    }
    return 0;
}

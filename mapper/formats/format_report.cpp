#include "mapper/formats/format_report.h"

#include <algorithm>

namespace {
// An example as it fits in a line: control characters as spaces, and cut
// (between characters) after kMaxExampleBytes.
std::string OneLine(const std::string& example)
{
    std::string out;
    for (std::size_t i = 0; i < example.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(example[i]);
        if (out.size() >= CFormatReport::kMaxExampleBytes && (c & 0xC0) != 0x80)
            return out + "...";
        out += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    return out;
}
}  // namespace

void CFormatReport::NotCarried(const std::string& kind, std::uint64_t count, const std::string& example)
{
    Item* item = nullptr;
    for (Item& i : m_items)
        if (i.kind == kind)
            item = &i;
    if (!item) {
        m_items.push_back({kind, 0, {}});
        item = &m_items.back();
    }
    item->count += count;
    if (example.empty() || item->examples.size() >= kMaxExamples)
        return;
    std::string line = OneLine(example);
    if (std::find(item->examples.begin(), item->examples.end(), line) == item->examples.end())
        item->examples.push_back(std::move(line));
}

std::vector<std::string> CFormatReport::Lines() const
{
    std::vector<std::string> lines;
    for (const Item& i : m_items) {
        std::string line = "not carried: " + std::to_string(i.count) + " " + i.kind;
        if (!i.examples.empty()) {
            line += " (";
            for (std::size_t k = 0; k < i.examples.size(); ++k)
                line += (k ? ", " : "") + i.examples[k];
            line += i.count > i.examples.size() ? ", ...)" : ")";
        }
        lines.push_back(line);
    }
    return lines;
}

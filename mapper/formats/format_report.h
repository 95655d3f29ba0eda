#pragma once
// What an import or export could not carry: one entry per kind of thing,
// with its count and a few examples.
#include <cstdint>
#include <string>
#include <vector>

class CFormatReport {
public:
    struct Item {
        std::string kind;                   // plural noun: "special exits"
        std::uint64_t count = 0;
        std::vector<std::string> examples;  // at most kMaxExamples, each once, first seen first
    };
    static constexpr std::size_t kMaxExamples = 3;
    // Longer examples are cut; control characters become spaces.
    static constexpr std::size_t kMaxExampleBytes = 40;

    // Counts `count` more of `kind`, keeping `example` while there is room
    // and it is not kept already.
    void NotCarried(const std::string& kind, std::uint64_t count = 1, const std::string& example = {});
    bool Empty() const { return m_items.empty(); }
    const std::vector<Item>& Items() const { return m_items; }
    // One line per kind, in the order first seen:
    // "not carried: 12 special exits (enter portal, ...)".
    std::vector<std::string> Lines() const;

private:
    std::vector<Item> m_items;
};

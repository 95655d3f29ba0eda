#pragma once
// What the configuration sheet's pages decide, apart from their controls:
// editing a list of strings, the title-line text, and applying the alias and
// follow-trigger pages to the frame's objects.
#include <array>
#include <string>
#include <vector>

#include "mapper/mapping/direction_aliases.h"
#include "mapper/mapping/follow_triggers.h"

// A list of strings edited through a list box; each edit tells which item
// the list box selects afterwards (-1: none).
class CStringListEdit {
public:
    CStringListEdit() = default;
    explicit CStringListEdit(std::vector<std::string> items) : m_items(std::move(items)) {}

    // Appends (any text, also empty); the new last item is selected.
    int Add(const std::string& text);
    // Replaces the item; false for an index outside the list.
    bool Modify(int index, const std::string& text);
    // Removes the item; selected then: the item now at its place, or the one
    // before when it was the last, or none when the list is empty. An index
    // outside the list removes nothing and selects none.
    int Delete(int index);
    bool IsValid(int index) const { return index >= 0 && static_cast<std::size_t>(index) < m_items.size(); }

    const std::vector<std::string>& Items() const { return m_items; }

private:
    std::vector<std::string> m_items;
};

constexpr int kTitleLineMin = 0;
constexpr int kTitleLineMax = 9;
// "Get the title from line %i" with the value + 1.
std::string TitleLineText(int value);

// Clear, then for each direction in order the long form and the short form.
void ApplyAliases(CDirectionAliases& aliases, const std::array<std::string, kDirCount>& longForms,
                  const std::array<std::string, kDirCount>& shortForms);

struct CFollowPageValues {
    std::string m_strActivation;
    std::string m_strDirection;
    bool m_bFollowOn = false;  // the "Follow trigger" box
    std::string m_strFollow;
    std::string m_strStop;

    static CFollowPageValues From(const CFollowTriggers& triggers);
    // The follow trigger is stored only while the box is ticked.
    void ApplyTo(CFollowTriggers& triggers) const;
};

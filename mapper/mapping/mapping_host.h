#pragma once
// What the mapping session asks of the window around it.
#include <string>

// The follow-name dialog: shown with `name` filled in; returns true for OK,
// with the edit box's text in `name`.
class IFollowNamePrompt {
public:
    virtual ~IFollowNamePrompt() = default;
    virtual bool AskFollowName(std::string& name) = 0;
};

// A message box with the information icon and an OK button.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual void ShowInformation(const std::string& text, const std::string& caption) = 0;
};

struct CMappingHost {
    IFollowNamePrompt* followPrompt = nullptr;
    IMessageBoxes* messages = nullptr;
};

#pragma once
// The one-line text dialog (template 153) with a caption chosen by the caller,
// behind a small interface so pages and views can be driven with stand-ins.
#include <string>

#include <windows.h>

class ITextPrompt {
public:
    virtual ~ITextPrompt() = default;
    // Shows the text; true with the edited text on OK, false (text unchanged) otherwise.
    virtual bool AskText(const std::string& caption, std::string& text) = 0;
};

class CTextPromptWin : public ITextPrompt {
public:
    explicit CTextPromptWin(HWND parent = nullptr) : m_hParent(parent) {}
    void SetParent(HWND parent) { m_hParent = parent; }
    // The prompts open over whatever window *window holds at that moment (a
    // sheet's, which exists only while the sheet runs); null: the parent.
    void FollowWindow(const HWND* window) { m_pWindow = window; }
    bool AskText(const std::string& caption, std::string& text) override;

private:
    HWND m_hParent;
    const HWND* m_pWindow = nullptr;
};

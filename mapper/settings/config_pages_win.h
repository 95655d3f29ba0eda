#pragma once
// The pages of the configuration sheet. Each edits an object of the main
// frame's client link, given before the sheet opens; nothing reaches the
// object before the sheet closes with OK, and a page never shown applies nothing.
#include <array>
#include <string>
#include <vector>

#include "framework/win/property_sheet.h"
#include "mapper/settings/config_logic.h"
#include "mapper/settings/text_prompt_win.h"

// Wrong-way and ignore strings (dialog 155, "General").
class CGeneralPage : public vfw::CPropertyPage {
public:
    CGeneralPage(std::vector<std::string>& wrongWay, std::vector<std::string>& ignore, ITextPrompt& prompt);

    BOOL OnInitDialog() override;
    void OnOK() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    // The page's own copies, edited while it is open.
    CStringListEdit m_wrongWay;
    CStringListEdit m_ignore;

private:
    struct CList {
        CStringListEdit* edit;
        int listId, addId, modifyId, deleteId;
        const char* caption;
    };
    const CList* ListOfControl(int id) const;
    void OnAdd(const CList& list);
    void OnModify(const CList& list);
    void OnDelete(const CList& list, int index);
    void Fill(const CList& list);

    std::vector<std::string>& m_frameWrongWay;
    std::vector<std::string>& m_frameIgnore;
    ITextPrompt& m_prompt;
    std::array<CList, 2> m_lists;
};

// Direction aliases (dialog 107, "Directions aliases").
class CAliasPage : public vfw::CPropertyPage {
public:
    explicit CAliasPage(CDirectionAliases& aliases);
    BOOL OnInitDialog() override;
    void DoDataExchange(vfw::CDataExchange& dx) override;
    void OnOK() override;

    std::array<std::string, kDirCount> m_longForms;
    std::array<std::string, kDirCount> m_shortForms;

private:
    CDirectionAliases& m_aliases;
};

// Follow triggers (dialog 137, "Follow mode").
class CFollowPage : public vfw::CPropertyPage {
public:
    explicit CFollowPage(CFollowTriggers& triggers);
    BOOL OnInitDialog() override;
    void DoDataExchange(vfw::CDataExchange& dx) override;
    void OnOK() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    CFollowPageValues m_values;

private:
    void EnableFollowEdit(bool focus);
    CFollowTriggers& m_triggers;
};

// The room title line (dialog 156, "Information"); the sheet copies the value back.
class CInfoPage : public vfw::CPropertyPage {
public:
    CInfoPage();
    BOOL OnInitDialog() override;
    void DoDataExchange(vfw::CDataExchange& dx) override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    std::int32_t m_nValue = 0;

private:
    void ShowText(int value);
};

#include "mapper/settings/config_sheet_win.h"

#include "mapper/frame/client_link.h"

CConfigSheet::CConfigSheet(HWND parent, CClientLink& link, ITextPrompt& prompt)
    : vfw::CPropertySheet("Configure", parent), m_general(link.m_wrongWay, link.m_ignore, prompt),
      m_alias(link.m_aliases), m_follow(link.m_followTriggers), m_link(link)
{
    m_info.m_nValue = link.m_nTitleLine;
    AddPage(&m_general);
    AddPage(&m_alias);
    AddPage(&m_follow);
    AddPage(&m_info);
}

INT_PTR CConfigSheet::Run()
{
    const INT_PTR result = DoModal();
    if (result == IDOK)
        m_link.m_nTitleLine = m_info.m_nValue;
    return result;
}

INT_PTR RunConfigSheet(HWND parent, CClientLink& link)
{
    // The Add and Modify prompts are modal to the sheet, not to the frame.
    CTextPromptWin prompt(parent);
    CConfigSheet sheet(parent, link, prompt);
    prompt.FollowWindow(&sheet.m_hWnd);
    return sheet.Run();
}

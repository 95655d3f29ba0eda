#include "mapper/settings/config_sheet_win.h"

CConfigSheet::CConfigSheet(HWND parent, CGameSettings& settings, ITextPrompt& prompt)
    : vfw::CPropertySheet("Configure", parent), m_general(settings.m_wrongWay, settings.m_ignore, prompt),
      m_alias(settings.m_aliases), m_follow(settings.m_followTriggers), m_settings(settings)
{
    m_info.m_nValue = settings.m_nTitleLine;
    AddPage(&m_general);
    AddPage(&m_alias);
    AddPage(&m_follow);
    AddPage(&m_info);
}

INT_PTR CConfigSheet::Run()
{
    const INT_PTR result = DoModal();
    if (result == IDOK)
        m_settings.m_nTitleLine = m_info.m_nValue;
    return result;
}

INT_PTR RunConfigSheet(HWND parent, CGameSettings& settings)
{
    // The Add and Modify prompts are modal to the sheet, not to the frame.
    CTextPromptWin prompt(parent);
    CConfigSheet sheet(parent, settings, prompt);
    prompt.FollowWindow(&sheet.m_hWnd);
    return sheet.Run();
}

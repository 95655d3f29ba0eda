#include "mapper/settings/text_prompt_win.h"

#include "framework/win/dialog.h"
#include "mapper/res/resource.h"

namespace {
// The one-line text template; the caption is the caller's when one is given.
class CTextLineDialog : public vfw::CDialog {
public:
    CTextLineDialog(HWND parent, const std::string& caption, const std::string& text)
        : vfw::CDialog(IDD_TEXT_INPUT, parent), m_strCaption(caption), m_strText(text)
    {
    }
    BOOL OnInitDialog() override
    {
        if (!m_strCaption.empty())
            ::SetWindowTextA(m_hWnd, m_strCaption.c_str());
        return vfw::CDialog::OnInitDialog();
    }
    void DoDataExchange(vfw::CDataExchange& dx) override { vfw::DDX_Text(dx, IDC_TEXT_EDIT, m_strText); }

    std::string m_strCaption;
    std::string m_strText;
};
}  // namespace

bool CTextPromptWin::AskText(const std::string& caption, std::string& text)
{
    CTextLineDialog dlg(m_pWindow && *m_pWindow ? *m_pWindow : m_hParent, caption, text);
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strText;
    return true;
}

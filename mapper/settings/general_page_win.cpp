#include "mapper/settings/config_pages_win.h"

#include "mapper/res/resource.h"

CGeneralPage::CGeneralPage(std::vector<std::string>& wrongWay, std::vector<std::string>& ignore, ITextPrompt& prompt)
    : vfw::CPropertyPage(IDD_CONFIG_GENERAL, "General"), m_frameWrongWay(wrongWay), m_frameIgnore(ignore),
      m_prompt(prompt)
{
    m_lists[0] = {&m_wrongWay, IDC_WRONGWAY_LIST, IDC_WRONGWAY_ADD, IDC_WRONGWAY_MODIFY, IDC_WRONGWAY_DELETE, "Wrong way"};
    m_lists[1] = {&m_ignore, IDC_IGNORE_LIST, IDC_IGNORE_ADD, IDC_IGNORE_MODIFY, IDC_IGNORE_DELETE, "Ignore string"};
}

BOOL CGeneralPage::OnInitDialog()
{
    m_wrongWay = CStringListEdit(m_frameWrongWay);
    m_ignore = CStringListEdit(m_frameIgnore);
    for (const CList& list : m_lists)
        Fill(list);
    return vfw::CPropertyPage::OnInitDialog();
}

void CGeneralPage::Fill(const CList& list)
{
    HWND box = GetDlgItem(list.listId);
    ::SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (const std::string& s : list.edit->Items())
        ::SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void CGeneralPage::OnOK()
{
    m_frameWrongWay = m_wrongWay.Items();
    m_frameIgnore = m_ignore.Items();
}

const CGeneralPage::CList* CGeneralPage::ListOfControl(int id) const
{
    for (const CList& list : m_lists)
        if (id == list.listId || id == list.addId || id == list.modifyId || id == list.deleteId)
            return &list;
    return nullptr;
}

INT_PTR CGeneralPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wp), code = HIWORD(wp);
        const CList* list = ListOfControl(id);
        if (!list)
            return FALSE;
        if (id == list->listId) {
            if (code != LBN_DBLCLK)
                return FALSE;
            OnModify(*list);
        } else if (code == BN_CLICKED) {
            if (id == list->addId)
                OnAdd(*list);
            else if (id == list->modifyId)
                OnModify(*list);
            else
                OnDelete(*list, static_cast<int>(::SendMessageA(GetDlgItem(list->listId), LB_GETCURSEL, 0, 0)));
        }
        return TRUE;
    }
    if (msg == WM_VKEYTOITEM) {
        // The Delete key in a list box removes the item at the caret.
        const CList* list = ListOfControl(::GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        if (!list || LOWORD(wp) != VK_DELETE)
            return FALSE;  // the list box's own handling
        OnDelete(*list, static_cast<int>(::SendMessageA(reinterpret_cast<HWND>(lp), LB_GETCARETINDEX, 0, 0)));
        return -2;  // returned as it is: the key is handled, no default action
    }
    return FALSE;
}

void CGeneralPage::OnAdd(const CList& list)
{
    std::string text;
    if (!m_prompt.AskText(list.caption, text))
        return;
    const int index = list.edit->Add(text);
    HWND box = GetDlgItem(list.listId);
    ::SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SetFocus(box);
    ::SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CGeneralPage::OnModify(const CList& list)
{
    HWND box = GetDlgItem(list.listId);
    const int index = static_cast<int>(::SendMessageA(box, LB_GETCURSEL, 0, 0));
    if (!list.edit->IsValid(index))
        return;
    std::string text = list.edit->Items()[static_cast<std::size_t>(index)];
    if (!m_prompt.AskText(list.caption, text) || !list.edit->Modify(index, text))
        return;
    ::SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageA(box, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CGeneralPage::OnDelete(const CList& list, int index)
{
    if (!list.edit->IsValid(index))
        return;
    const int next = list.edit->Delete(index);
    HWND box = GetDlgItem(list.listId);
    ::SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

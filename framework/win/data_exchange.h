#pragma once
// Dialog data exchange: moving member values into a dialog's controls and,
// when the dialog closes with OK, back out of them.
#include <string>

#include <windows.h>

namespace vfw {

class CDataExchange {
public:
    // save false: members to controls. save true: controls to members; with
    // store false only checks that every control holds a valid value.
    CDataExchange(HWND hDlg, BOOL save, bool store = true)
        : m_hDlg(hDlg), m_bSaveAndValidate(save), m_bStore(store) {}

    // The control, or null (then the exchange leaves the member alone).
    HWND Control(int id) const { return ::GetDlgItem(m_hDlg, id); }
    // Marks the exchange failed at a control; later exchanges do nothing.
    void Fail(int id, const std::string& message);
    bool Failed() const { return m_bFailed; }
    // Whether a value read from a control may be written to its member.
    bool Storing() const { return m_bSaveAndValidate && m_bStore; }

    HWND m_hDlg;
    BOOL m_bSaveAndValidate;
    bool m_bStore;
    bool m_bFailed = false;
    int m_nFailedId = 0;
    std::string m_strError;
};

// The whole window text of an edit (or any) control.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// A decimal integer; a text that is not one fails the exchange.
void DDX_Text(CDataExchange& dx, int id, int& value);
// A check box: 0 clear, 1 ticked, 2 indeterminate.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A group of radio buttons starting at id and running to the next control
// with WS_GROUP: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange& dx, int id, int& value);
// A list box's selected string (empty for none); loading selects the item
// with exactly that text, or nothing.
void DDX_LBString(CDataExchange& dx, int id, std::string& value);
// A list box's selected index, -1 for none.
void DDX_LBIndex(CDataExchange& dx, int id, int& value);
// A trackbar's position; loading clamps the shown position to its range
// (the member keeps its value when saved unless the slider moved).
void DDX_Slider(CDataExchange& dx, int id, int& value);

// Window text helpers used by dialogs.
std::string GetWindowString(HWND hwnd);
std::string GetDlgItemString(HWND hDlg, int id);

}  // namespace vfw

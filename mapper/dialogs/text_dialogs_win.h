#pragma once
// The one-line text dialogs and the About box. Each text lives in a string
// member that the caller sets before DoModal and reads after it; the member
// changes only when the dialog ends with OK.
#include <string>

#include "framework/win/dialog.h"

// "Insert label" template; the caption is replaced at opening by m_strCaption.
class CTextInputDialog : public vfw::CDialog {
public:
    explicit CTextInputDialog(HWND hParent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(vfw::CDataExchange& dx) override;

    std::string m_strCaption = "Label";
    std::string m_strText;
};

// "Plane name": run over the frame by the map's "Rename plane".
class CPlaneNameDialog : public vfw::CDialog {
public:
    explicit CPlaneNameDialog(HWND hParent = nullptr);
    void DoDataExchange(vfw::CDataExchange& dx) override;

    std::string m_strText;
};

// "Follow mode initialization": the name of the character to follow.
class CFollowNameDialog : public vfw::CDialog {
public:
    explicit CFollowNameDialog(HWND hParent = nullptr);
    void DoDataExchange(vfw::CDataExchange& dx) override;

    std::string m_strName;
};

// "About Vor Mapper": the program icon, the version line and OK.
class CAboutDlg : public vfw::CDialog {
public:
    explicit CAboutDlg(HWND hParent = nullptr);
};

#pragma once
// Templates and controls of the framework's dialog tests.
#define IDD_TEST_ALL 1000
#define IDD_TEST_PAGE1 1001
#define IDD_TEST_PAGE2 1002
#define IDD_TEST_PAGE3 1003
#define IDC_T_TEXT 100
#define IDC_T_INT 101
#define IDC_T_CHECK 102
#define IDC_T_RADIO0 103
#define IDC_T_RADIO1 104
#define IDC_T_RADIO2 105
#define IDC_T_LIST 106
#define IDC_T_SLIDER 107
#define IDC_T_BUTTON 108

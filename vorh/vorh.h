#pragma once
// The docking library's exported functions, as the client calls them.
#include <windows.h>

extern "C" {
int WINAPI vorhCheckDockable(HWND hWnd);
int WINAPI vorhCheckDocked(HWND hWnd);
HWND WINAPI vorhFindWindow(const char* pszIdentifier);
HWND WINAPI vorhGetLastWnd();
int WINAPI vorhGetWindowID(HWND hWnd, char* pszBuffer, int nUnused);
BOOL WINAPI vorhMoveToLastRect(HWND hWnd);
int WINAPI vorhSetDockable(HWND hWnd, const char* pszIdentifier);
int WINAPI vorhSetDocked(HWND hWnd);
int WINAPI vorhSetDockingRects(int nUnused, const RECT* pRects, int nCount);
int WINAPI vorhSetLocked(int nLocked);
HWND WINAPI vorhSetMainWnd(HWND hWnd);
LONG WINAPI vorhSetOwner(HWND hWnd, HWND hWndOwner);
int WINAPI vorhSetUndockable(HWND hWnd);
HHOOK WINAPI vorhStartHook(HWND hWndHost, HWND hWndNotify, HWND hWndMouse, DWORD dwThreadId);
BOOL WINAPI vorhStartMove(HWND hWnd, int nUnused1, int nUnused2);
BOOL WINAPI vorhStopHook();
int WINAPI vorhStopLastMouse();
}

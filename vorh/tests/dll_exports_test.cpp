// The export table of vorh.dll as the loader sees it.
#include <cstring>
#include <string>

#include "dll_fixture.h"

namespace {

const char* const kExports[] = {
    "vorhCheckDockable", "vorhCheckDocked",     "vorhFindWindow",   "vorhGetLastWnd",   "vorhGetWindowID",
    "vorhMoveToLastRect", "vorhSetDockable",    "vorhSetDocked",    "vorhSetDockingRects", "vorhSetLocked",
    "vorhSetMainWnd",    "vorhSetOwner",        "vorhSetUndockable", "vorhStartHook",   "vorhStartMove",
    "vorhStopHook",      "vorhStopLastMouse",
};

}  // namespace

TEST(VorhExports, NamesOrdinalsAndNoDecorations)
{
    HMODULE hLibrary = LoadLibraryA("vorh.dll");
    ASSERT_NE(hLibrary, nullptr);
    const auto* pBase = reinterpret_cast<const BYTE*>(hLibrary);
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    // The headers of this process's own kind: 32- or 64-bit, as the DLL is.
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* pExports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + dir.VirtualAddress);

    EXPECT_STREQ(reinterpret_cast<const char*>(pBase + pExports->Name), "vorh.dll");
    EXPECT_EQ(pExports->Base, 1u);
    ASSERT_EQ(pExports->NumberOfFunctions, 17u);
    ASSERT_EQ(pExports->NumberOfNames, 17u);
    const auto* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
    const auto* pOrdinals = reinterpret_cast<const WORD*>(pBase + pExports->AddressOfNameOrdinals);
    const auto* pFunctions = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfFunctions);
    for (DWORD i = 0; i < 17; ++i) {
        const char* pszName = reinterpret_cast<const char*>(pBase + pNames[i]);
        EXPECT_STREQ(pszName, kExports[i]);
        EXPECT_EQ(std::strpbrk(pszName, "@_?"), nullptr) << pszName;
        EXPECT_EQ(pOrdinals[i] + pExports->Base, i + 1) << pszName;
        if (i > 0) {
            EXPECT_LT(std::strcmp(kExports[i - 1], pszName), 0);
        }
        // By ordinal and by name the same code.
        FARPROC pByName = GetProcAddress(hLibrary, pszName);
        FARPROC pByOrdinal = GetProcAddress(hLibrary, MAKEINTRESOURCEA(i + 1));
        EXPECT_NE(pByName, nullptr);
        EXPECT_EQ(pByName, pByOrdinal) << pszName;
        EXPECT_EQ(reinterpret_cast<const BYTE*>(pByName), pBase + pFunctions[i]) << pszName;
    }
    EXPECT_EQ(GetProcAddress(hLibrary, "_vorhCheckDockable@4"), nullptr);
    EXPECT_EQ(GetProcAddress(hLibrary, "vorhCheckDockable@4"), nullptr);
    FreeLibrary(hLibrary);
}

#pragma once
// The table of windows that may be docked: one entry per window handle,
// ordered by the handle's unsigned value (pointer-sized, as the handle is).
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vorh {

using WindowHandle = std::uintptr_t;

constexpr std::uint32_t kFlagDockable = 1;
constexpr std::uint32_t kFlagDocked = 8;

struct WindowEntry {
    std::uint32_t m_nFlags = kFlagDockable;
    std::string m_strIdentifier;
};

class CWindowTable {
public:
    // Creates the entry (dockable, not docked). Returns true, and keeps the
    // old identifier, when the window already has one.
    bool Register(WindowHandle hWnd, std::string_view strIdentifier);
    void Remove(WindowHandle hWnd) { m_mapEntries.erase(hWnd); }

    bool IsDockable(WindowHandle hWnd) const { return HasFlag(hWnd, kFlagDockable); }
    bool IsDocked(WindowHandle hWnd) const { return HasFlag(hWnd, kFlagDocked); }
    // Windows without an entry are left alone: no entry is created here.
    void SetDocked(WindowHandle hWnd);
    void ClearDocked(WindowHandle hWnd);

    const WindowEntry* Find(WindowHandle hWnd) const;
    // First handle, in ascending order, whose identifier matches byte for byte
    // and which isWindow accepts. Entries it rejects stay in the table.
    WindowHandle FindByIdentifier(std::string_view strIdentifier,
                                  const std::function<bool(WindowHandle)>& isWindow) const;
    // Writes the identifier and a terminating zero into pBuffer and returns its
    // length; returns 0 and writes nothing without an entry or a buffer.
    std::int32_t CopyIdentifier(WindowHandle hWnd, char* pBuffer) const;

    std::size_t Size() const { return m_mapEntries.size(); }

private:
    bool HasFlag(WindowHandle hWnd, std::uint32_t nFlag) const;

    std::map<WindowHandle, WindowEntry> m_mapEntries;
};

}  // namespace vorh

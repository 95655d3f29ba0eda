// Writing a file so that a failure never loses the previous one: the bytes go
// to a temporary file beside the target, flushed to the disk, and the
// platform's replace call then puts it in the target's place.
#include <windows.h>

#include <algorithm>

#include "mapper/model/map_file.h"

namespace {
std::string LastErrorText()
{
    const DWORD code = ::GetLastError();
    char text[512] = "";
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                     sizeof text, nullptr);
    std::string s(text, n);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.'))
        s.pop_back();
    return s.empty() ? "error " + std::to_string(code) : s;
}
}  // namespace

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    const std::string temp = path + ".saving";
    HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot write " + temp + ": " + LastErrorText();
        return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ok && ::FlushFileBuffers(file);
    std::string reason = ok ? std::string() : LastErrorText();
    ::CloseHandle(file);
    if (!ok) {
        error = "cannot write " + temp + ": " + reason;
        ::DeleteFileA(temp.c_str());
        return false;
    }
    if (!::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = "cannot replace " + path + ": " + LastErrorText();
        ::DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

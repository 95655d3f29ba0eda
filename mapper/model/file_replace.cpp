// Writing a file so that a failure never loses the previous one: the bytes go
// to a temporary file beside the target, which replaces the target only once
// it is complete and flushed.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "mapper/model/map_file.h"

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    const std::string temp = path + ".saving";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        error = "cannot write " + temp + ": " + std::strerror(errno);
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    const int savedErrno = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        error = "cannot write " + temp + ": " + std::strerror(savedErrno ? savedErrno : errno);
        std::remove(temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        error = "cannot replace " + path + ": " + ec.message();
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

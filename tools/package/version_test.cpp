// The version resources of the release's programs and library (product
// VorMapper, all of the project's version, each naming its own file) and
// the programs' manifests.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct CVersion {
    VS_FIXEDFILEINFO fixed{};
    std::string product, productVersion, fileVersion, original, description, copyright;
};

std::string Value(std::vector<char>& block, const char* name)
{
    char* text = nullptr;
    UINT size = 0;
    const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!::VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &size) || !text)
        return {};
    return text;
}

bool ReadVersion(const std::string& path, CVersion& version)
{
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return false;
    version.fixed = *fixed;
    version.product = Value(block, "ProductName");
    version.productVersion = Value(block, "ProductVersion");
    version.fileVersion = Value(block, "FileVersion");
    version.original = Value(block, "OriginalFilename");
    version.description = Value(block, "FileDescription");
    version.copyright = Value(block, "LegalCopyright");
    return true;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// The text of the program's manifest, empty when it has none.
std::string Manifest(const std::string& path)
{
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return {};
    std::string text;
    if (HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        if (HGLOBAL data = ::LoadResource(module, found))
            text.assign(static_cast<const char*>(::LockResource(data)), ::SizeofResource(module, found));
    ::FreeLibrary(module);
    return text;
}

TEST(VersionResources, EveryBinaryCarriesTheProjectVersion)
{
    const char* list = std::getenv("VORMAPPER_BINARIES");
    const char* expected = std::getenv("VORMAPPER_VERSION");
    ASSERT_TRUE(list && expected);
    int major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(expected, "%d.%d.%d", &major, &minor, &patch), 3);
    std::string rest = list;
    int checked = 0;
    while (!rest.empty()) {
        const std::size_t semi = rest.find(';');
        const std::string path = rest.substr(0, semi);
        rest = semi == std::string::npos ? "" : rest.substr(semi + 1);
        CVersion v;
        ASSERT_TRUE(ReadVersion(path, v)) << path;
        ++checked;
        EXPECT_EQ(v.product, "VorMapper") << path;
        EXPECT_EQ(HIWORD(v.fixed.dwFileVersionMS), major) << path;
        EXPECT_EQ(LOWORD(v.fixed.dwFileVersionMS), minor) << path;
        EXPECT_EQ(HIWORD(v.fixed.dwFileVersionLS), patch) << path;
        EXPECT_EQ(v.fixed.dwProductVersionMS, v.fixed.dwFileVersionMS) << path;
        EXPECT_EQ(v.original, FileName(path)) << path;
        EXPECT_FALSE(v.description.empty()) << path;
        const std::string manifest = Manifest(path);
        const bool program = v.original.substr(v.original.size() - 4) == ".exe";
        EXPECT_EQ(manifest.find("level=\"asInvoker\"") != std::string::npos, program) << path;
        const bool windowed = program && v.original != "vmm.exe";
        EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos, windowed) << path;
        EXPECT_EQ(manifest.find("<dpiAwareness") != std::string::npos &&
                      manifest.find("PerMonitorV2, PerMonitor</dpiAwareness>") != std::string::npos &&
                      manifest.find(">true/pm</dpiAware>") != std::string::npos,
                  windowed)
            << path;
        if (program)
            EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos) << path;
        if (v.original == "VorMapper.exe")
            continue;  // its own resource script, with its own spelling of the version
        EXPECT_EQ(v.fileVersion, expected) << path;
        EXPECT_EQ(v.productVersion, expected) << path;
        EXPECT_EQ(v.copyright.rfind("Copyright", 0), 0u) << path << ": " << v.copyright;
        EXPECT_EQ(v.fixed.dwFileType, v.original.size() > 4 && v.original.substr(v.original.size() - 4) == ".dll"
                                          ? static_cast<DWORD>(VFT_DLL)
                                          : static_cast<DWORD>(VFT_APP))
            << path;
    }
    EXPECT_EQ(checked, 4);
}

}  // namespace

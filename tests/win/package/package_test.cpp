// The packages of make dist as a user meets them: the MSI installed silently, the
// program started as its Start-menu shortcut says, then removed with nothing left
// behind, its settings kept unless REMOVESETTINGS=1; and the portable zip's program
// started from a folder whose path has spaces and letters outside ASCII. The
// package_build fixture makes the packages (ZAV_PACKAGE_DIR) and unpacks the zip.

#include "tests/win/program_driver.h"
#include "zav_version.h"

#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace zav::driver;

const wchar_t kUpgradeCode[] = L"{2F7B6A6E-F5C3-4B5A-AAE8-ABB9EF6D5741}";
const wchar_t kVersion[] = L"" ZAV_VERSION_STRING;
const wchar_t kSettings[] = L"Software\\ZAV Caption";
const wchar_t kSettingsAside[] = L"Software\\ZAV Caption package test";
// What both packages hold, sorted; zavplayer.dll is never among them.
const std::vector<std::wstring> kPackaged = {L"README.txt", L"THIRD-PARTY-NOTICES.txt", L"ZAV Caption.jpg",
                                             L"ZAVCaption.exe"};

std::wstring msi() {
    wchar_t dir[MAX_PATH * 2] = {};
    GetEnvironmentVariableW(L"ZAV_PACKAGE_DIR", dir, MAX_PATH * 2);
    return L"\"" + std::wstring(dir) + L"\\ZAVCaption-" + kVersion + L".msi\"";
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// Runs msiexec silently to its end; its exit code.
DWORD msiexec(const std::wstring& options) {
    std::wstring command = L"msiexec " + options + L" /qn";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return ~0u;
    DWORD code = ~0u;
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// The product code of the installed ZAV Caption, empty when none is installed.
std::wstring installedProduct() {
    wchar_t code[39] = {};
    return MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, code) == ERROR_SUCCESS ? code : L"";
}

// The Start-menu shortcut, the user's or the common one; empty when there is none.
std::wstring findShortcut() {
    for (int folder : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, folder, nullptr, 0, path);
        const std::wstring shortcut = std::wstring(path) + L"\\ZAV Caption.lnk";
        if (exists(shortcut)) return shortcut;
    }
    return L"";
}

std::wstring versionString(const std::wstring& file, const wchar_t* name) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), (std::wstring(L"\\StringFileInfo\\040904B0\\") + name).c_str(), &value, &length))
        return L"";
    return static_cast<const wchar_t*>(value);
}

bool settingsKept() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Moves a whole key of HKEY_CURRENT_USER, if there is one.
void moveKey(const wchar_t* from, const wchar_t* to) {
    HKEY source, target;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) != ERROR_SUCCESS) return;
    if (!RegCreateKeyExW(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr)) {
        RegCopyTreeW(source, nullptr, target);
        RegCloseKey(target);
    }
    RegCloseKey(source);
    RegDeleteTreeW(HKEY_CURRENT_USER, from);
}

struct Shortcut {
    std::wstring target, folder;
};

Shortcut readShortcut(const std::wstring& path) {
    Shortcut shortcut;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return shortcut;
    wchar_t text[MAX_PATH * 2] = {};
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        if (SUCCEEDED(link->GetPath(text, MAX_PATH * 2, nullptr, 0))) shortcut.target = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 2))) shortcut.folder = text;
    }
    if (file) file->Release();
    link->Release();
    return shortcut;
}

// Starts the program in the folder given, as Explorer and the shortcut do. It shows
// its window, opens its splash picture by relative name from its folder, and ends
// with exit code 0 through its quit confirmation.
void runProgram(const std::wstring& exe, const std::wstring& folder) {
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                               &pi))
        << "cannot start " << testing::PrintToString(exe);
    HWND main = waitForMainWindow(60000);
    EXPECT_TRUE(main) << "no window \"ZAV Caption\"";
    if (main) {
        EXPECT_TRUE(waitForOpenState(main, 13, 20000)) << "the splash picture never opened";
        EXPECT_FALSE(answerCloseRequest(main, IDOK, 20000).empty()) << "no quit confirmation";
    }
    DWORD code = 99;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 99);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        // What a run that failed half-way left installed goes first; the prefix's own
        // settings are put aside and come back at the end.
        for (std::wstring product = installedProduct(); !product.empty(); product = installedProduct())
            ASSERT_EQ(msiexec(L"/x " + product), 0u) << "cannot remove the earlier installation";
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsAside);
        moveKey(kSettings, kSettingsAside);
    }
    void TearDown() override {
        if (!installedProduct().empty()) msiexec(L"/x " + msi());
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
        moveKey(kSettingsAside, kSettings);
        CoUninitialize();
    }
};

TEST_F(PackageTest, TheInstallerInstallsStartsAndRemovesTheProgram) {
    ASSERT_EQ(msiexec(L"/i " + msi()), 0u);
    ASSERT_FALSE(installedProduct().empty()) << "nothing was installed";
    // The shortcut starts the program in its folder "ZAV Caption".
    const std::wstring shortcutPath = findShortcut();
    ASSERT_FALSE(shortcutPath.empty()) << "no Start-menu shortcut";
    const Shortcut shortcut = readShortcut(shortcutPath);
    const std::wstring exe = shortcut.target, folder = folderOf(exe);
    EXPECT_EQ(folder + L"\\", shortcut.folder);
    EXPECT_EQ(folder.substr(folder.find_last_of(L'\\') + 1), L"ZAV Caption");
    EXPECT_EQ(filesIn(folder), kPackaged);
    EXPECT_EQ(versionString(exe, L"ProductName"), L"ZAV Caption");
    EXPECT_EQ(versionString(exe, L"FileVersion"), kVersion);
    runProgram(exe, shortcut.folder);
    HKEY settings;
    ASSERT_FALSE(RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_WRITE, nullptr, &settings, nullptr));
    RegCloseKey(settings);

    // The uninstall leaves nothing of the program and keeps its settings, unless asked.
    ASSERT_EQ(msiexec(L"/x " + msi()), 0u);
    EXPECT_TRUE(installedProduct().empty());
    EXPECT_FALSE(exists(folder)) << "the program's folder stayed";
    EXPECT_TRUE(findShortcut().empty()) << "the shortcut stayed";
    EXPECT_TRUE(settingsKept());
    ASSERT_EQ(msiexec(L"/i " + msi()), 0u);
    ASSERT_EQ(msiexec(L"/x " + msi() + L" REMOVESETTINGS=1"), 0u);
    EXPECT_FALSE(settingsKept());
}

TEST_F(PackageTest, ThePortableProgramRunsFromAFolderWithSpacesAndAccents) {
    const std::wstring folder = std::wstring(L"C:\\Zav T\u00e9st \u00dcn\u00efcode\\ZAVCaption-") + kVersion;
    EXPECT_EQ(filesIn(folder), kPackaged);
    runProgram(folder + L"\\ZAVCaption.exe", folder);
}

}  // namespace

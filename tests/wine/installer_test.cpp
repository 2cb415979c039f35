// The installer as an office runs it: silently, per user, into throwaway folders; the
// installed programs (their version, an export of the demo company, F1 and the guide);
// the install and the uninstall refused while the window runs; an install over the first
// one; the uninstall, which leaves the company folder byte for byte.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <shobjidl.h>

#include "app/shared/running_mark.h"
#include "app/shared/version.h"
#include "main_window_fixture.h"
#include "program_run.h"

namespace dralmoft::test {
namespace {

constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dralmoft";
constexpr const wchar_t* kInstallKey = L"Software\\Dralmoft";
constexpr const wchar_t* kHtmlClass = L"DralmoftTestHtml";

std::wstring RegistryText(HKEY root, const wchar_t* key, const wchar_t* value) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(root, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<none>";
    return text;
}

// Every file under `folder`, by its path there, with its bytes.
std::map<std::wstring, std::string> Snapshot(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().lexically_relative(folder).wstring()] = ReadFileBytes(entry.path().wstring());
    return files;
}

// The version resource's text `name` of a program, in Greek/Unicode.
std::wstring VersionText(const std::vector<BYTE>& info, const std::wstring& name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040804B0\\" + name;
    if (!::VerQueryValueW(info.data(), query.c_str(), &text, &length) || length == 0) return L"<none>";
    return static_cast<const wchar_t*>(text);
}

std::vector<BYTE> VersionInfo(const std::wstring& program) {
    DWORD ignored = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(program.c_str(), &ignored));
    if (info.empty() || !::GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

class Installer : public MainWindowTest {
protected:
    void TearDown() override {
        for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (const wchar_t* key : {kUninstallKey, kInstallKey}) ::RegDeleteTreeW(root, key);
        // The prefix's own .html handler, if it had one, is put back.
        if (m_htmlRegistered) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kHtmlClass);
            if (m_htmlHandler) SetDefault(L".html", *m_htmlHandler);
            else ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
        }
        MainWindowTest::TearDown();
    }

    static void SetDefault(const std::wstring& key, const std::wstring& value) {
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    static std::wstring SetupProgram() {
        return std::wstring(DRALMOFT_DIST_DIR) + L"\\Dralmoft-" DRALMOFT_VERSION_WIDE L"-setup.exe";
    }
    [[nodiscard]] ProgramResult RunSetup(const std::wstring& arguments) const {
        return RunProgram(SetupProgram(), arguments, m_work.Path());
    }
    // The Start-menu shortcut's target and the folder it starts in (the user's menu, or
    // with CSIDL_COMMON_PROGRAMS every user's).
    static std::pair<std::wstring, std::wstring> Shortcut(int menu = CSIDL_PROGRAMS) {
        wchar_t programs[MAX_PATH] = {};
        ::SHGetFolderPathW(nullptr, menu, nullptr, SHGFP_TYPE_CURRENT, programs);
        Microsoft::WRL::ComPtr<IShellLinkW> link;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
            FAILED(link.As(&file)) ||
            FAILED(file->Load((std::wstring(programs) + L"\\Dralmoft.lnk").c_str(), STGM_READ)))
            return {L"<none>", L"<none>"};
        link->GetPath(target, MAX_PATH, nullptr, 0);
        link->GetWorkingDirectory(folder, MAX_PATH);
        return {target, folder};
    }
    // Makes the helper the program .html files open with (in the classes root, which
    // Wine reads): it writes what it is given.
    [[nodiscard]] std::wstring RecordHtmlOpens() {
        const std::wstring record = m_work.Path() + L"\\opened.txt";
        if (const std::wstring earlier = RegistryText(HKEY_CLASSES_ROOT, L".html", nullptr); earlier != L"<none>")
            m_htmlHandler = earlier;
        m_htmlRegistered = true;
        SetDefault(L".html", kHtmlClass);
        SetDefault(std::wstring(kHtmlClass) + L"\\shell\\open\\command",
                   L"\"" + HelperProgram() + L"\" record \"" + record + L"\" \"%1\"");
        return record;
    }

    bool m_htmlRegistered = false;
    std::optional<std::wstring> m_htmlHandler;

    // The uninstaller runs from a copy of itself and returns at once: its work is waited for.
    void Uninstall(const std::wstring& install, HKEY root) const {
        const ProgramResult result = RunProgram(install + L"\\uninstall.exe", L"/S", m_work.Path());
        EXPECT_EQ(result.exitCode, 0u);
        for (int wait = 0; wait < 400 && (std::filesystem::exists(install + L"\\uninstall.exe") ||
                                          RegistryText(root, kUninstallKey, L"DisplayName") != L"<none>");
             ++wait)
            ::Sleep(50);
    }
};

// F1 in the installed window: the key pressed as a user would, on the window in front.
std::wstring PressF1AndWait(const std::wstring& program, const std::wstring& folder, const std::wstring& record) {
    StartedProgram window(program, L"", folder);
    HWND shown = nullptr;
    for (int wait = 0; wait < 400 && shown == nullptr; ++wait) {
        shown = ::FindWindowW(L"#32770", L"Δημιουργία αρχείου για Γενική Λογιστική");
        ::Sleep(25);
    }
    if (shown == nullptr) return L"<no window>";
    ::Sleep(300);
    ::SetForegroundWindow(shown);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
    std::wstring opened = L"<nothing opened>";
    for (int wait = 0; wait < 400; ++wait) {
        if (std::filesystem::exists(record)) {
            ::Sleep(100);
            const std::string bytes = ReadFileBytes(record);
            opened.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
            break;
        }
        ::Sleep(25);
    }
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    (void)window.Wait();
    return opened;
}

TEST_F(Installer, InstallsPerUserRunsAndUninstallsLeavingTheCompanyFolder) {
    ASSERT_TRUE(std::filesystem::exists(SetupProgram())) << "make dist first";
    const TempFolder root;
    const std::wstring install = root.Path() + L"\\Dralmoft πρόγραμμα";
    const std::wstring company = root.Path() + L"\\Εταιρεία Α";
    ASSERT_TRUE(std::filesystem::create_directories(company));
    const std::string accounts = "099312457;30.00.0002\r\n";
    std::ofstream(std::filesystem::path(company) / L"client.txt", std::ios::binary) << accounts;

    // The program's files and the user's never mix: a company folder in the program's is refused.
    ProgramResult result = RunSetup(L"/S /CurrentUser /COMPANY=\"" + install + L"\\Εταιρεία\" /D=" + install);
    EXPECT_EQ(result.exitCode, 7u);
    EXPECT_FALSE(std::filesystem::exists(install + L"\\dralmoft.exe"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"<none>");

    result = RunSetup(L"/S /CurrentUser /COMPANY=\"" + company + L"\" /D=" + install);
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    for (const wchar_t* name :
         {L"dralmoft.exe", L"dralmoft-export.exe", L"guide.html", L"LICENSE.txt", L"uninstall.exe"})
        EXPECT_TRUE(std::filesystem::exists(install + L"\\" + name)) << name;
    EXPECT_EQ(ReadFileBytes(company + L"\\client.txt"), accounts) << "an existing account file is kept";
    EXPECT_NE(ReadFileBytes(install + L"\\guide.html").find("<p>Έκδοση " DRALMOFT_VERSION "</p>"), std::string::npos);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Dralmoft");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), DRALMOFT_VERSION_WIDE);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"Publisher"), L"Dralmoft");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"),
              L"\"" + install + L"\\uninstall.exe\"");
    EXPECT_EQ(Shortcut(), std::make_pair(install + L"\\dralmoft.exe", company));

    // The installed programs: their version, read back, and an export of the demo company.
    result = RunProgram(install + L"\\dralmoft-export.exe", L"--version", company);
    EXPECT_EQ(result.out, "dralmoft-export " DRALMOFT_VERSION "\r\n");
    for (const auto& [program, description] :
         {std::pair{L"dralmoft.exe", L"Dralmoft: εξαγωγή παραστατικών για τη Γενική Λογιστική"},
          std::pair{L"dralmoft-export.exe", L"Dralmoft: εξαγωγή από τη γραμμή εντολών"}}) {
        const std::vector<BYTE> info = VersionInfo(install + L"\\" + program);
        ASSERT_FALSE(info.empty()) << program;
        EXPECT_EQ(VersionText(info, L"ProductVersion"), DRALMOFT_VERSION_WIDE);
        EXPECT_EQ(VersionText(info, L"FileDescription"), description);
        EXPECT_EQ(VersionText(info, L"OriginalFilename"), program);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(DRALMOFT_VERSION_MINOR, DRALMOFT_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, DRALMOFT_VERSION_PATCH)));
    }
    ServeCompany(SourceFile("demo/company.json"));
    for (const wchar_t* name : {L"client.txt", L"supplier.txt", L"products.txt", L"fpa.txt"})
        std::ofstream(std::filesystem::path(company) / name, std::ios::binary)
            << SourceFile("demo/" + std::string(name, name + wcslen(name)));
    result = RunProgram(install + L"\\dralmoft-export.exe",
                        L"--from 2026-01-01 --to 2026-12-31 --out 2026.txt --cp1253", company);
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(ReadFileBytes(company + L"\\2026.txt"), SourceFile("tests/golden/demo-2026-1253.txt"));

    const std::wstring opened = PressF1AndWait(install + L"\\dralmoft.exe", company, RecordHtmlOpens());
    EXPECT_EQ(_wcsicmp(opened.c_str(), (install + L"\\guide.html").c_str()), 0) << opened;
    std::filesystem::remove(m_work.Path() + L"\\opened.txt");

    // Over a running program nothing is replaced, and neither is it uninstalled: the window
    // marks its folder while it runs.
    {
        StartedProgram window(install + L"\\dralmoft.exe", L"", company);
        HWND shown = nullptr;
        for (int wait = 0; wait < 400 && shown == nullptr; ++wait) {
            shown = ::FindWindowW(L"#32770", L"Δημιουργία αρχείου για Γενική Λογιστική");
            ::Sleep(25);
        }
        ASSERT_NE(shown, nullptr);
        const UniqueKernelHandle mark(::OpenMutexW(SYNCHRONIZE, FALSE, RunningMarkName(install).c_str()));
        EXPECT_TRUE(mark.Get() != nullptr) << "the window marks its folder";
        result = RunSetup(L"/S /CurrentUser /D=" + install);
        EXPECT_EQ(result.exitCode, 5u);
        // In place (_?=), so that its own exit code is the one waited for.
        result = RunProgram(install + L"\\uninstall.exe", L"/S _?=" + install, company);
        EXPECT_EQ(result.exitCode, 5u);
        EXPECT_TRUE(std::filesystem::exists(install + L"\\dralmoft-export.exe"));
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Dralmoft");
        ::PostMessageW(shown, WM_CLOSE, 0, 0);
        (void)window.Wait();
    }

    // Over the installed version, with /D= in quotes: the company folder stays, and the
    // shortcut still starts there.
    const auto before = Snapshot(company);
    result = RunSetup(L"/S /CurrentUser /D=\"" + install + L"\"");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Shortcut(), std::make_pair(install + L"\\dralmoft.exe", company));
    EXPECT_EQ(Snapshot(company), before);

    Uninstall(install, HKEY_CURRENT_USER);
    for (const wchar_t* name :
         {L"dralmoft.exe", L"dralmoft-export.exe", L"guide.html", L"LICENSE.txt", L"uninstall.exe"})
        EXPECT_FALSE(std::filesystem::exists(install + L"\\" + name)) << name;
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"<none>");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kInstallKey, L"CompanyFolder"), L"<none>");
    EXPECT_EQ(Shortcut().first, L"<none>");
    EXPECT_EQ(Snapshot(company), before) << "the company folder, byte for byte";
}

// Per machine: the entry and the shortcut are every user's, the company folder defaults to
// the public documents, and the uninstaller finds that it serves a per-machine install.
TEST_F(Installer, InstallsPerMachineWithThePublicCompanyFolder) {
    ASSERT_TRUE(std::filesystem::exists(SetupProgram())) << "make dist first";
    const TempFolder root;
    const std::wstring install = root.Path() + L"\\Dralmoft";
    wchar_t documents[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, documents);
    const std::wstring company = std::wstring(documents) + L"\\Dralmoft";
    const bool companyWasThere = std::filesystem::exists(company);

    const ProgramResult result = RunSetup(L"/S /AllUsers /D=" + install);
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_TRUE(std::filesystem::exists(install + L"\\dralmoft.exe"));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), DRALMOFT_VERSION_WIDE);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), L"<none>");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kInstallKey, L"CompanyFolder"), company);
    EXPECT_TRUE(std::filesystem::is_directory(company));
    EXPECT_EQ(Shortcut(CSIDL_COMMON_PROGRAMS), std::make_pair(install + L"\\dralmoft.exe", company));

    Uninstall(install, HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(std::filesystem::exists(install + L"\\dralmoft.exe"));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"<none>");
    EXPECT_EQ(Shortcut(CSIDL_COMMON_PROGRAMS).first, L"<none>");
    EXPECT_TRUE(std::filesystem::is_directory(company)) << "the company folder stays";
    if (!companyWasThere) ::RemoveDirectoryW(company.c_str());  // empty: made by this test
}

// Two program folders and a company folder in one throwaway folder, and the per-user
// options before /D= that install into either.
struct TwoFolders {
    TempFolder root;
    std::wstring first = root.Path() + L"\\D1";
    std::wstring second = root.Path() + L"\\D2";
    std::wstring company = root.Path() + L"\\Εταιρεία";
    std::wstring options = L"/CurrentUser /COMPANY=\"" + company + L"\" /D=";
};

// One install per scope, found wherever it is: a second per-user install to another folder
// is refused silently (the first stays whole), so is a per-user install over a per-machine
// one; a file that cannot be replaced puts back what was replaced; an uninstaller whose
// folder the entries no longer name removes its files and nothing else.
TEST_F(Installer, OneInstallPerScopeAndNothingHalfDone) {
    ASSERT_TRUE(std::filesystem::exists(SetupProgram())) << "make dist first";
    const TwoFolders folders;
    const std::wstring& first = folders.first;
    const std::wstring& second = folders.second;
    const std::wstring& company = folders.company;
    const std::wstring options = L"/S " + folders.options;
    ASSERT_EQ(RunSetup(options + first).exitCode, 0u);
    const auto installed = Snapshot(first);

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"Dralmoft-setup.log";
    std::filesystem::remove(log);
    EXPECT_EQ(RunSetup(options + second).exitCode, 4u) << "this scope's install is in D1";
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_TRUE(Snapshot(first) == installed);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), first);
    const std::string told = ReadFileBytes(log);
    const std::wstring line(reinterpret_cast<const wchar_t*>(told.data()), told.size() / sizeof(wchar_t));
    EXPECT_NE(line.find(first), std::wstring::npos) << "a line in the log names the install";

    // Per user over per machine: said, and nothing changed.
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", REG_SZ, second.c_str(),
                      static_cast<DWORD>((second.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(RunSetup(options + first).exitCode, 3u);
    EXPECT_TRUE(Snapshot(first) == installed);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey);

    // A file another program holds: what was set aside is put back, byte for byte.
    {
        StartedProgram holder(HelperProgram(), L"hold \"" + first + L"\\guide.html\" 60000", m_work.Path());
        ASSERT_TRUE(WaitUntilHeld(first + L"\\guide.html"));
        EXPECT_EQ(RunSetup(options + first).exitCode, 6u);
    }
    std::filesystem::remove(first + L"\\guide.html.held");
    EXPECT_TRUE(Snapshot(first) == installed) << "every file as it was, and nothing set aside left";

    // An orphan: the entries now name another folder (as a second install left them).
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", REG_SZ, second.c_str(),
                      static_cast<DWORD>((second.size() + 1) * sizeof(wchar_t)));
    const ProgramResult orphan = RunProgram(first + L"\\uninstall.exe", L"/S _?=" + first, m_work.Path());
    EXPECT_EQ(orphan.exitCode, 0u);
    EXPECT_FALSE(std::filesystem::exists(first + L"\\dralmoft.exe"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Dralmoft") << "not its own";
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kInstallKey, L"CompanyFolder"), company);
}

// The visible dialogs of process `process`.
std::vector<HWND> DialogsOf(DWORD process) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            ::GetClassNameW(window, name, 32);
            if (owner == search->process && ::IsWindowVisible(window) && std::wstring(name) == L"#32770")
                search->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Interactively, a folder other than the install's is a question: Yes moves the install
// (the old folder's uninstaller runs first), so that one install stands, in the new folder.
TEST_F(Installer, AMoveIsAskedAndLeavesOneInstall) {
    ASSERT_TRUE(std::filesystem::exists(SetupProgram())) << "make dist first";
    const TwoFolders folders;
    const std::wstring& first = folders.first;
    const std::wstring& second = folders.second;
    const std::wstring& options = folders.options;
    ASSERT_EQ(RunSetup(L"/S " + options + first).exitCode, 0u);

    StartedProgram setup(SetupProgram(), options + second, m_work.Path());
    bool asked = false;
    // Next on every page (the language, the welcome, the licence, the parts, both folders,
    // the finish); Yes to the question.
    for (int step = 0; step < 600 && setup.Running(); ++step) {
        for (const HWND dialog : DialogsOf(setup.Id())) {
            if (::GetDlgItem(dialog, IDYES) != nullptr) {
                asked = true;
                ::SendMessageW(::GetDlgItem(dialog, IDYES), BM_CLICK, 0, 0);
            } else if (const HWND next = ::GetDlgItem(dialog, IDOK); next != nullptr && ::IsWindowEnabled(next)) {
                ::SendMessageW(next, BM_CLICK, 0, 0);
            }
        }
        ::Sleep(200);
    }
    const ProgramResult result = setup.Wait();
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(std::filesystem::exists(second + L"\\dralmoft.exe"));
    EXPECT_FALSE(std::filesystem::exists(first)) << "the old folder is gone";
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), second);
    EXPECT_EQ(Shortcut().first, second + L"\\dralmoft.exe");
}

}  // namespace
}  // namespace dralmoft::test

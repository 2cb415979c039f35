// The DLL's entry points: class objects, unloading, and self-registration under
// HKLM\Software\Classes (where Wine looks classes up; HKCU is not consulted there).
#include <windows.h>

#include <atomic>
#include <string>

#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"
#include "server_state.h"

namespace demo {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_locks{0};

using Creator = ComPtr<IUnknown> (*)();

struct ClassEntry {
    const CLSID* clsid;
    const wchar_t* name;
    const char* fault;  // the operation a company's faults may name to make creation fail
    Creator create;
};

const ClassEntry kClasses[] = {
    {&CLSID_DatabaseSetup, L"Dralmoft.Demo.DatabaseSetup", "DatabaseSetup.Create", CreateDatabaseSetup},
    {&CLSID_DataRoot, L"Dralmoft.Demo.DataRoot", "DataRoot.Create", CreateDataRoot},
    {&CLSID_VatRateTable, L"Dralmoft.Demo.VatRateTable", "VatRateTable.Create", CreateVatRateTable},
    {&CLSID_ObjectList, L"Dralmoft.Demo.ObjectList", "ObjectList.Create", CreateObjectList},
    {&CLSID_DocumentLine, L"Dralmoft.Demo.DocumentLine", "DocumentLine.Create", CreateDocumentLine},
};

class ClassFactory final : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(const ClassEntry& entry) : m_entry(entry) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        const CompanyPtr company = ServerState::Instance().Company();
        if (const HRESULT f = Faulted(company.get(), m_entry.fault, "*"); FAILED(f)) return f;
        return m_entry.create()->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
        return nullptr;
    }

private:
    const ClassEntry& m_entry;
};

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

LSTATUS SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    return ::RegSetKeyValueW(root, path.c_str(), name, REG_SZ, value.c_str(),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT RegisterClass(const ClassEntry& entry, const std::wstring& modulePath) {
    const std::wstring key = L"Software\\Classes\\CLSID\\" + GuidText(*entry.clsid);
    LSTATUS status = SetValue(HKEY_LOCAL_MACHINE, key, nullptr, entry.name);
    if (status == ERROR_SUCCESS) status = SetValue(HKEY_LOCAL_MACHINE, key + L"\\InprocServer32", nullptr, modulePath);
    if (status == ERROR_SUCCESS)
        status = SetValue(HKEY_LOCAL_MACHINE, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (status == ERROR_SUCCESS) status = SetValue(HKEY_LOCAL_MACHINE, key + L"\\ProgID", nullptr, entry.name);
    if (status == ERROR_SUCCESS)
        status = SetValue(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\") + entry.name + L"\\CLSID", nullptr,
                          GuidText(*entry.clsid));
    return HRESULT_FROM_WIN32(status);
}

}  // namespace

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

}  // namespace demo

using namespace demo;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    for (const ClassEntry& entry : kClasses) {
        if (clsid == *entry.clsid) {
            const auto factory = Make<ClassFactory>(entry);
            return factory->QueryInterface(iid, out);
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return LiveObjects() == 0 && g_locks == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameW(g_module, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) return HRESULT_FROM_WIN32(::GetLastError());
    for (const ClassEntry& entry : kClasses) {
        if (const HRESULT status = RegisterClass(entry, path); FAILED(status)) return status;
    }
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    for (const ClassEntry& entry : kClasses) {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + GuidText(*entry.clsid)).c_str());
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\") + entry.name).c_str());
    }
    return S_OK;
}

#include "test_company.h"

#include <filesystem>
#include <fstream>

#include "win/bstr.h"
#include "data/code_page.h"
#include "data/collection_walk.h"
#include "data/data_service.h"
#include "data/server_objects.h"

namespace dralmoft::test {

using Microsoft::WRL::ComPtr;

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = std::wstring(base) + L"dralmoft-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void TempFolder::Write(const std::wstring& name, std::string_view bytes) const {
    std::ofstream file(std::filesystem::path(m_path) / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write a test file");
}

void OpenCompany(const TempFolder& folder, std::string_view json) {
    folder.Write(L"company.json", json);
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup, CreationFailure::Raise);
    const Bstr name(u"Quilsparden");
    const Bstr location(std::u16string(folder.Path().begin(), folder.Path().end()));
    const Bstr empty(u"");
    const Bstr type(u"ACCESS");
    CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), empty.Get(), empty.Get(), type.Get());
}

ComPtr<IDataService> ConnectService() {
    ComPtr<IBusinessTable> root;
    return ConnectDataService(root);
}

bool ServerHoldsNoObjects() {
    const HMODULE module = ::GetModuleHandleW(L"dralmoft-demo-server.dll");
    if (module == nullptr) return true;
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload != nullptr && canUnload() == S_OK;
}

std::string Text1253(std::u16string_view text) { return Utf16ToCp1253(text); }

}  // namespace dralmoft::test

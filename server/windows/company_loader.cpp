#include <string>

#include "company_file.h"
#include "server_replies.h"
#include "server_state.h"

namespace demo {
namespace {

// Closes a file handle when it goes away.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    [[nodiscard]] HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

std::u16string SystemMessage(DWORD error) {
    wchar_t buffer[512] = {};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                          buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ')) text.pop_back();
    if (text.empty()) text = Concat({u"system error ", Utf8ToUtf16(std::to_string(error))});
    return text;
}

HRESULT ReadWholeFile(const std::u16string& path, std::string& content) {
    const FileHandle file(::CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (file.Get() == INVALID_HANDLE_VALUE || !::GetFileSizeEx(file.Get(), &size))
        return HRESULT_FROM_WIN32(::GetLastError());
    content.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr))
            return HRESULT_FROM_WIN32(::GetLastError());
        if (read == 0) break;
        done += read;
    }
    content.resize(done);
    return S_OK;
}

}  // namespace

HRESULT LoadCompanyFile(const std::u16string& location, CompanyPtr& company) {
    // An empty location, made "\" by the program's settings: no folder was named, and the
    // root of the current drive is nobody's company.
    if (location.find_first_not_of(u"\\/") == std::u16string::npos)
        return Fail(E_FAIL, Concat({u"No database folder is named: the location \"", location,
                                    u"\" is not a folder of a company."}));
    std::u16string path = location;
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
    path += u"company.json";

    std::string content;
    if (const HRESULT status = ReadWholeFile(path, content); FAILED(status))
        return Fail(status, Concat({u"Cannot read the company file \"", path, u"\": ",
                                    SystemMessage(static_cast<DWORD>(HRESULT_CODE(status)))}));
    try {
        company = std::make_shared<const Company>(ParseCompany(content));
        return S_OK;
    } catch (const CompanyFileError& error) {
        return Fail(E_FAIL, Concat({u"The company file \"", path, u"\" is not valid: ", Utf8ToUtf16(error.what())}));
    } catch (const std::bad_alloc&) {
        return Fail(E_OUTOFMEMORY, Concat({u"Not enough memory to read the company file \"", path, u"\""}));
    }
}

}  // namespace demo

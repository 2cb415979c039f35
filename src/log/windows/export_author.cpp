#include "log/windows/export_author.h"

#include <windows.h>

#include <cstdio>

namespace dralmoft {
namespace {

std::u16string UserName() {
    wchar_t name[256 + 1] = {};
    DWORD size = static_cast<DWORD>(std::size(name));
    if (!::GetUserNameW(name, &size)) return {};
    return std::u16string(name, name + std::char_traits<wchar_t>::length(name));
}

std::u16string MachineName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = static_cast<DWORD>(std::size(name));
    if (!::GetComputerNameW(name, &size)) return {};
    return std::u16string(name, name + size);
}

std::string UtcNow() {
    SYSTEMTIME now = {};
    ::GetSystemTime(&now);
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

}  // namespace

ExportAuthor CurrentExportAuthor() { return {UtcNow(), UserName(), MachineName()}; }

}  // namespace dralmoft

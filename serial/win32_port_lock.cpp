#include "serial/win32_port_lock.h"

#include <algorithm>
#include <cwctype>

#include "text/utf16.h"

namespace {

// COM5 and com5 are the same port to Windows, so they share one lock.
std::wstring lockNameFor(const std::string& portName) {
    std::wstring name = utf8ToUtf16(portName);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    std::replace(name.begin(), name.end(), L'\\', L'_');
    return L"Local\\DataDock.Port." + name;
}

}  // namespace

bool Win32PortLock::acquire(const std::string& portName) {
    release();
    HANDLE handle = CreateMutexW(nullptr, FALSE, lockNameFor(portName).c_str());
    if (handle == nullptr) {
        return false;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    m_handle = handle;
    return true;
}

void Win32PortLock::release() {
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
}

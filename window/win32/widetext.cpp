#include "widetext.h"

#include "runtimeerror.h"

#include <windows.h>

std::wstring wideText(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        runtimeError("text is not UTF-8");
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length) != length) {
        runtimeError("text is not UTF-8");
    }
    return wide;
}

std::string utf8Text(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        runtimeError("text is not UTF-16");
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, utf8.data(), length, nullptr, nullptr) != length) {
        runtimeError("text is not UTF-16");
    }
    return utf8;
}

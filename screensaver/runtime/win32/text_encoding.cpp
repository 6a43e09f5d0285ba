#include "runtime/win32/text_encoding.h"

#include <windows.h>

namespace runtime {

namespace {

std::wstring Widen(UINT code_page, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(UINT code_page, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
    return Widen(CP_UTF8, utf8);
}

std::string Utf8FromWide(std::wstring_view wide) {
    return Narrow(CP_UTF8, wide);
}

std::wstring WideFromAnsi(std::string_view ansi) {
    return Widen(CP_ACP, ansi);
}

std::string AnsiFromWide(std::wstring_view wide) {
    return Narrow(CP_ACP, wide);
}

std::optional<std::string> ExactAnsiFromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    // Without best-fit mappings, a character the code page lacks shows as
    // the default character and is reported; a round trip proves the rest.
    BOOL lossy = FALSE;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                           0, nullptr, &lossy);
    if (length <= 0 || lossy) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, narrow.data(), length,
                        nullptr, &lossy);
    if (lossy || WideFromAnsi(narrow) != wide) {
        return std::nullopt;
    }
    return narrow;
}

std::string Utf8FromAnsi(std::string_view ansi) {
    return Utf8FromWide(WideFromAnsi(ansi));
}

bool SystemLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

} // namespace runtime

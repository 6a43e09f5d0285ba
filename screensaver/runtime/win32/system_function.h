#pragma once

// A function of a system library that the program needs only now and then
// (the common dialogs, the shell), loaded at its first use instead of at
// every start of the program: a run and a preview never load them.

#include <windows.h>

namespace runtime {

// The function name of library (such as L"comdlg32.dll"); null when either
// cannot be had. The library stays loaded for the rest of the process.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace runtime

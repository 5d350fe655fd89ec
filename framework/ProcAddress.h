#pragma once
// Functions looked up at run time in a loaded library. The pointer's type is built here, with the
// Windows calling convention in it, so that no caller can leave it out: on i686 a function called
// without its __stdcall leaves the stack unbalanced at the first call, while on x86_64, with one
// calling convention, nothing would show the fault.
#include <windows.h>

template <typename Result, typename... Args>
using WinApiFunction = Result(WINAPI*)(Args...);

// The function the module exports under `name`, as a WINAPI function of the given signature; null
// when the module does not export it.
template <typename Result, typename... Args>
WinApiFunction<Result, Args...> FindWinApiFunction(HMODULE module, const char* name)
{
    FARPROC found = GetProcAddress(module, name);
    // Through void*: FARPROC and the wanted type differ in their parameters, which is the point.
    return reinterpret_cast<WinApiFunction<Result, Args...>>(reinterpret_cast<void*>(found));
}

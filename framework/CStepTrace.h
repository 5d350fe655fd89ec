#pragma once
// Reports how long one step of a longer operation took, as a debugger message
// ("Kalmora Setup: <step>: <ms> ms") when the object goes. Free when no debugger listens; a
// debugger, or Wine's debug channel for such messages, shows where the time went.
#include <windows.h>

class CStepTrace {
public:
    explicit CStepTrace(const char* step);
    ~CStepTrace();
    CStepTrace(const CStepTrace&) = delete;
    CStepTrace& operator=(const CStepTrace&) = delete;

private:
    const char* step_;
    LARGE_INTEGER start_;
};

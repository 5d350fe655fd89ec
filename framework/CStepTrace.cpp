#include "framework/CStepTrace.h"

#include <cstdio>

#include "framework/RunReport.h"

CStepTrace::CStepTrace(const char* step) : step_(step)
{
    QueryPerformanceCounter(&start_);
}

CStepTrace::~CStepTrace()
{
    LARGE_INTEGER end;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    double milliseconds = frequency.QuadPart ? (end.QuadPart - start_.QuadPart) * 1000.0 / frequency.QuadPart : 0.0;
    char message[160];
    std::snprintf(message, sizeof message, "Kalmora Setup: %s: %.1f ms\n", step_, milliseconds);
    OutputDebugStringA(message);
    if (RunReport::IsOn()) {
        std::snprintf(message, sizeof message, "step %s: %.1f ms", step_, milliseconds);
        RunReport::Say(message);
    }
}

#include "framework/CStepTrace.h"

#include "framework/FormatText.h"
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
    OutputDebugStringA(FormatText("Kalmora Setup: %s: %.1f ms\n", step_, milliseconds).c_str());
    if (RunReport::IsOn())
        RunReport::Say(FormatText("step %s: %.1f ms", step_, milliseconds));
}

#pragma once
// Executes driver script commands against the windows of the program under test. Each command
// yields one result: success or failure with a detail text.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/uidriver/CScriptLine.h"

class CUiDriver {
public:
    explicit CUiDriver(DWORD defaultTimeoutMs) : defaultTimeout(defaultTimeoutMs) {}
    ~CUiDriver();
    CUiDriver(const CUiDriver&) = delete;
    CUiDriver& operator=(const CUiDriver&) = delete;

    // Checks the verb and the number of arguments; false with the reason when the line is invalid.
    static bool Validate(const CScriptLine& line, std::string& error);
    // Runs one valid line; detail receives what the result line reports.
    bool Execute(const CScriptLine& line, std::string& detail);

private:
    using Handler = bool (CUiDriver::*)(const CScriptLine&, std::string&);
    struct Command {
        const char* verb;
        size_t minArguments;
        size_t maxArguments;
        Handler handler;
    };
    static const Command kCommands[];
    static const Command* FindCommand(const std::string& verb);

    bool WaitWindow(const CScriptLine& line, std::string& detail);
    bool WaitWindowGone(const CScriptLine& line, std::string& detail);
    bool WaitPage(const CScriptLine& line, std::string& detail);
    bool WaitPageGone(const CScriptLine& line, std::string& detail);
    bool WaitControl(const CScriptLine& line, std::string& detail);
    bool WaitControlGone(const CScriptLine& line, std::string& detail);
    bool WaitMessage(const CScriptLine& line, std::string& detail);
    bool Answer(const CScriptLine& line, std::string& detail);
    bool WaitText(const CScriptLine& line, std::string& detail);
    bool WaitContains(const CScriptLine& line, std::string& detail);
    bool SetTimeout(const CScriptLine& line, std::string& detail);
    bool Text(const CScriptLine& line, std::string& detail);
    bool ExpectText(const CScriptLine& line, std::string& detail);
    bool ExpectContains(const CScriptLine& line, std::string& detail);
    bool Items(const CScriptLine& line, std::string& detail);
    bool Select(const CScriptLine& line, std::string& detail);
    bool SelectIndex(const CScriptLine& line, std::string& detail);
    bool Enabled(const CScriptLine& line, std::string& detail);
    bool Visible(const CScriptLine& line, std::string& detail);
    bool Checked(const CScriptLine& line, std::string& detail);
    bool ExpectEnabled(const CScriptLine& line, std::string& detail);
    bool ExpectVisible(const CScriptLine& line, std::string& detail);
    bool ExpectChecked(const CScriptLine& line, std::string& detail);
    bool Set(const CScriptLine& line, std::string& detail);
    bool Click(const CScriptLine& line, std::string& detail);
    bool DoubleClickItem(const CScriptLine& line, std::string& detail);
    bool Hold(const CScriptLine& line, std::string& detail);
    std::vector<HANDLE> heldFiles;
    bool Close(const CScriptLine& line, std::string& detail);
    bool Current(const CScriptLine& line, std::string& detail);
    bool Windows(const CScriptLine& line, std::string& detail);
    bool Screenshot(const CScriptLine& line, std::string& detail);
    bool SleepFor(const CScriptLine& line, std::string& detail);

    // Splits "TITLE [CLASS] [TIMEOUT]": a last numeric argument is the timeout.
    void WindowArguments(const CScriptLine& line, std::string& title, std::string& className,
                         DWORD& timeoutMs) const;
    // The timeout in the argument at index, or the default when there is none.
    bool TimeoutArgument(const CScriptLine& line, size_t index, DWORD& timeoutMs, std::string& detail) const;
    bool NumberArgument(const CScriptLine& line, size_t index, long& value, std::string& detail) const;
    // The control of the current window named by the first argument.
    HWND ControlArgument(const CScriptLine& line, std::string& detail) const;
    bool ReadControlText(const CScriptLine& line, std::string& text, std::string& detail) const;
    // Polls the control's text until it matches (exactly, or containing) or the default timeout ends.
    bool WaitForText(const CScriptLine& line, std::string& detail, bool exact);
    bool ReadItems(HWND control, std::vector<std::string>& items, std::string& detail) const;
    bool ReportFlag(const CScriptLine& line, std::string& detail, bool (*query)(HWND), bool expectation);
    std::string Describe(HWND window) const;

    DWORD defaultTimeout;
    HWND current = nullptr;
};

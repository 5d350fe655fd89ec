#include "tests/uidriver/CUiDriver.h"

#include <cstdio>
#include <vector>

#include "tests/uidriver/CScreenCapture.h"
#include "tests/uidriver/CWindowFinder.h"

namespace {

// How long a window may take to go away after the driver pressed its button.
constexpr DWORD kCloseTimeoutMs = 5000;

struct ButtonName {
    const char* name;
    int id;
};
const ButtonName kButtonNames[] = {
    {"ok", IDOK}, {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
    {"ignore", IDIGNORE}, {"yes", IDYES}, {"no", IDNO},
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool ButtonId(const std::string& name, int& id) {
    for (const ButtonName& button : kButtonNames) {
        if (Lower(name) == button.name) {
            id = button.id;
            return true;
        }
    }
    long number = 0;
    if (!ParseNumber(name, number)) return false;
    id = static_cast<int>(number);
    return true;
}

bool IsGone(HWND window) { return !IsWindow(window) || !IsWindowVisible(window); }

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

// Item texts are asked for in UTF-16: Wine passes the ANSI list messages between processes
// without converting their texts (a combo box answers "S" for "Small"; a list box crashes).
bool SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

std::string ToAnsi(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), size, nullptr, nullptr);
    return buffer.data();
}

enum class ListKind { None, ListBox, ComboBox };

ListKind KindOf(HWND control) {
    std::string name = Lower(CWindowFinder::ClassName(control));
    if (name == "listbox" || name == "combolbox") return ListKind::ListBox;
    if (name == "combobox") return ListKind::ComboBox;
    return ListKind::None;
}

// An owner-drawn list without LBS_HASSTRINGS holds item data, not texts.
bool HoldsStrings(HWND control, ListKind kind) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (kind == ListKind::ListBox) {
        return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
    }
    return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
}

bool IsEnabledControl(HWND control) { return IsWindowEnabled(control) != FALSE; }
bool IsVisibleControl(HWND control) { return IsWindowVisible(control) != FALSE; }
bool IsCheckedControl(HWND control) {
    DWORD_PTR state = 0;
    return Send(control, BM_GETCHECK, 0, 0, state) && state == BST_CHECKED;
}

}  // namespace

const CUiDriver::Command CUiDriver::kCommands[] = {
    {"wait-window", 1, 3, &CUiDriver::WaitWindow},
    {"wait-window-gone", 1, 3, &CUiDriver::WaitWindowGone},
    {"wait-page", 1, 2, &CUiDriver::WaitPage},
    {"wait-page-gone", 1, 2, &CUiDriver::WaitPageGone},
    {"wait-control", 1, 2, &CUiDriver::WaitControl},
    {"wait-control-gone", 1, 2, &CUiDriver::WaitControlGone},
    {"wait-message", 1, 2, &CUiDriver::WaitMessage},
    {"answer", 2, 3, &CUiDriver::Answer},
    {"wait-text", 2, SIZE_MAX, &CUiDriver::WaitText},
    {"wait-contains", 2, SIZE_MAX, &CUiDriver::WaitContains},
    {"timeout", 1, 1, &CUiDriver::SetTimeout},
    {"text", 1, 1, &CUiDriver::Text},
    {"expect-text", 2, SIZE_MAX, &CUiDriver::ExpectText},
    {"expect-contains", 2, SIZE_MAX, &CUiDriver::ExpectContains},
    {"items", 1, 1, &CUiDriver::Items},
    {"select", 2, SIZE_MAX, &CUiDriver::Select},
    {"select-index", 2, 2, &CUiDriver::SelectIndex},
    {"enabled", 1, 1, &CUiDriver::Enabled},
    {"visible", 1, 1, &CUiDriver::Visible},
    {"checked", 1, 1, &CUiDriver::Checked},
    {"expect-enabled", 2, 2, &CUiDriver::ExpectEnabled},
    {"expect-visible", 2, 2, &CUiDriver::ExpectVisible},
    {"expect-checked", 2, 2, &CUiDriver::ExpectChecked},
    {"set", 2, SIZE_MAX, &CUiDriver::Set},
    {"click", 1, 1, &CUiDriver::Click},
    {"double-click-item", 2, 2, &CUiDriver::DoubleClickItem},
    {"hold", 1, 1, &CUiDriver::Hold},
    {"close", 0, 0, &CUiDriver::Close},
    {"current", 0, 0, &CUiDriver::Current},
    {"windows", 0, 0, &CUiDriver::Windows},
    {"screenshot", 1, SIZE_MAX, &CUiDriver::Screenshot},
    {"sleep", 1, 1, &CUiDriver::SleepFor},
};

const CUiDriver::Command* CUiDriver::FindCommand(const std::string& verb) {
    for (const Command& command : kCommands) {
        if (verb == command.verb) return &command;
    }
    return nullptr;
}

bool CUiDriver::Validate(const CScriptLine& line, std::string& error) {
    const Command* command = FindCommand(line.Verb());
    if (command == nullptr) {
        error = "unknown command";
    } else if (line.HasUnclosedQuote()) {
        error = "unclosed quote";
    } else if (line.ArgumentCount() < command->minArguments || line.ArgumentCount() > command->maxArguments) {
        error = "wrong number of arguments";
    } else {
        return true;
    }
    return false;
}

bool CUiDriver::Execute(const CScriptLine& line, std::string& detail) {
    const Command* command = FindCommand(line.Verb());
    return command != nullptr && (this->*command->handler)(line, detail);
}

void CUiDriver::WindowArguments(const CScriptLine& line, std::string& title, std::string& className,
                                DWORD& timeoutMs) const {
    size_t count = line.ArgumentCount();
    long number = 0;
    timeoutMs = defaultTimeout;
    if (count >= 2 && ParseNumber(line.Argument(count - 1), number) && number >= 0) {
        timeoutMs = static_cast<DWORD>(number);
        --count;
    }
    title = line.Argument(0);
    className = count >= 2 ? line.Argument(1) : "*";
}

bool CUiDriver::TimeoutArgument(const CScriptLine& line, size_t index, DWORD& timeoutMs,
                                std::string& detail) const {
    timeoutMs = defaultTimeout;
    if (index >= line.ArgumentCount()) return true;
    long number = 0;
    if (!ParseNumber(line.Argument(index), number) || number < 0) {
        detail = "bad timeout " + line.Argument(index);
        return false;
    }
    timeoutMs = static_cast<DWORD>(number);
    return true;
}

bool CUiDriver::NumberArgument(const CScriptLine& line, size_t index, long& value, std::string& detail) const {
    if (ParseNumber(line.Argument(index), value)) return true;
    detail = "not a number: " + line.Argument(index);
    return false;
}

HWND CUiDriver::ControlArgument(const CScriptLine& line, std::string& detail) const {
    long id = 0;
    if (!NumberArgument(line, 0, id, detail)) return nullptr;
    if (current == nullptr || !IsWindow(current)) {
        detail = "no current window";
        return nullptr;
    }
    HWND control = CWindowFinder::Control(current, static_cast<int>(id));
    if (control == nullptr) detail = line.Argument(0) + " no such control";
    return control;
}

std::string CUiDriver::Describe(HWND window) const {
    char handle[32];
    std::snprintf(handle, sizeof handle, "0x%08lx", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    return std::string(handle) + " " + QuoteResultText(CWindowFinder::ClassName(window)) + " id=" +
           std::to_string(GetDlgCtrlID(window)) + " " + QuoteResultText(CWindowFinder::Title(window));
}

bool CUiDriver::WaitWindow(const CScriptLine& line, std::string& detail) {
    std::string title, className;
    DWORD timeout = 0;
    WindowArguments(line, title, className, timeout);
    HWND window = CWindowFinder::WaitFor([&] { return CWindowFinder::TopLevel(title, className); }, timeout);
    if (window == nullptr) {
        detail = QuoteResultText(title) + " timed out";
        return false;
    }
    current = window;
    detail = Describe(window);
    return true;
}

bool CUiDriver::WaitWindowGone(const CScriptLine& line, std::string& detail) {
    std::string title, className;
    DWORD timeout = 0;
    WindowArguments(line, title, className, timeout);
    bool gone = CWindowFinder::WaitUntil([&] { return CWindowFinder::TopLevel(title, className) == nullptr; },
                                         timeout);
    detail = QuoteResultText(title) + (gone ? "" : " still there");
    return gone;
}

bool CUiDriver::WaitPage(const CScriptLine& line, std::string& detail) {
    long id = 0;
    DWORD timeout = 0;
    if (!NumberArgument(line, 0, id, detail) || !TimeoutArgument(line, 1, timeout, detail)) return false;
    HWND page = CWindowFinder::WaitFor([&] { return CWindowFinder::Page(static_cast<int>(id)); }, timeout);
    detail = line.Argument(0);
    if (page == nullptr) {
        std::vector<std::string> shown;
        for (HWND top : CWindowFinder::VisibleTopLevelWindows()) {
            for (HWND child : CWindowFinder::Descendants(top)) {
                if (IsWindowVisible(child) && CWindowFinder::ClassName(child) == "#32770") {
                    shown.push_back(std::to_string(GetDlgCtrlID(child)));
                }
            }
        }
        detail += " timed out; pages shown:";
        for (const std::string& id : shown) detail += " " + id;
        return false;
    }
    current = page;
    return true;
}

bool CUiDriver::WaitPageGone(const CScriptLine& line, std::string& detail) {
    long id = 0;
    DWORD timeout = 0;
    if (!NumberArgument(line, 0, id, detail) || !TimeoutArgument(line, 1, timeout, detail)) return false;
    bool gone = CWindowFinder::WaitUntil([&] { return CWindowFinder::Page(static_cast<int>(id)) == nullptr; },
                                         timeout);
    detail = line.Argument(0) + (gone ? "" : " still there");
    return gone;
}

bool CUiDriver::WaitControl(const CScriptLine& line, std::string& detail) {
    long id = 0;
    DWORD timeout = 0;
    if (!NumberArgument(line, 0, id, detail) || !TimeoutArgument(line, 1, timeout, detail)) return false;
    HWND window = CWindowFinder::WaitFor([&] { return CWindowFinder::WindowWithControl(static_cast<int>(id)); },
                                         timeout);
    if (window == nullptr) {
        detail = line.Argument(0) + " timed out";
        return false;
    }
    current = window;
    detail = line.Argument(0) + " " + Describe(window);
    return true;
}

bool CUiDriver::WaitControlGone(const CScriptLine& line, std::string& detail) {
    long id = 0;
    DWORD timeout = 0;
    if (!NumberArgument(line, 0, id, detail) || !TimeoutArgument(line, 1, timeout, detail)) return false;
    bool gone = CWindowFinder::WaitUntil(
        [&] { return CWindowFinder::WindowWithControl(static_cast<int>(id)) == nullptr; }, timeout);
    detail = line.Argument(0) + (gone ? "" : " still there");
    return gone;
}

bool CUiDriver::WaitMessage(const CScriptLine& line, std::string& detail) {
    DWORD timeout = 0;
    if (!TimeoutArgument(line, 1, timeout, detail)) return false;
    HWND box = CWindowFinder::WaitFor([&] { return CWindowFinder::MessageBox(line.Argument(0)); }, timeout);
    if (box == nullptr) {
        detail = QuoteResultText(line.Argument(0)) + " timed out";
        return false;
    }
    std::string text;
    CWindowFinder::ReadText(GetDlgItem(box, kMessageBoxTextId), text);
    current = box;
    detail = QuoteResultText(CWindowFinder::Title(box)) + " " + QuoteResultText(text);
    return true;
}

bool CUiDriver::Answer(const CScriptLine& line, std::string& detail) {
    int buttonId = 0;
    DWORD timeout = 0;
    if (!ButtonId(line.Argument(1), buttonId)) {
        detail = "unknown button " + line.Argument(1);
        return false;
    }
    if (!TimeoutArgument(line, 2, timeout, detail)) return false;
    HWND box = CWindowFinder::WaitFor([&] { return CWindowFinder::MessageBox(line.Argument(0)); }, timeout);
    if (box == nullptr) {
        detail = QuoteResultText(line.Argument(0)) + " timed out";
        return false;
    }
    std::string text;
    CWindowFinder::ReadText(GetDlgItem(box, kMessageBoxTextId), text);
    detail = QuoteResultText(CWindowFinder::Title(box)) + " " + QuoteResultText(text) + " " + Lower(line.Argument(1));
    HWND button = GetDlgItem(box, buttonId);
    if (button == nullptr) {
        detail += " no such button";
        return false;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!CWindowFinder::WaitUntil([&] { return IsGone(box); }, kCloseTimeoutMs)) {
        detail += " box stayed";
        return false;
    }
    if (current == box) current = nullptr;
    return true;
}

bool CUiDriver::ReadControlText(const CScriptLine& line, std::string& text, std::string& detail) const {
    HWND control = ControlArgument(line, detail);
    if (control == nullptr) return false;
    if (!CWindowFinder::ReadText(control, text)) {
        detail = line.Argument(0) + " no answer";
        return false;
    }
    detail = line.Argument(0) + " " + QuoteResultText(text);
    return true;
}

bool CUiDriver::WaitForText(const CScriptLine& line, std::string& detail, bool exact) {
    std::string expected = line.RestFrom(1);
    std::string actual;
    bool matched = CWindowFinder::WaitUntil(
        [&] {
            if (!ReadControlText(line, actual, detail)) return false;
            return exact ? actual == expected : actual.find(expected) != std::string::npos;
        },
        defaultTimeout);
    if (!matched) detail += " timed out waiting for " + QuoteResultText(expected);
    return matched;
}

bool CUiDriver::WaitText(const CScriptLine& line, std::string& detail) {
    return WaitForText(line, detail, true);
}

bool CUiDriver::WaitContains(const CScriptLine& line, std::string& detail) {
    return WaitForText(line, detail, false);
}

bool CUiDriver::SetTimeout(const CScriptLine& line, std::string& detail) {
    long milliseconds = 0;
    if (!NumberArgument(line, 0, milliseconds, detail) || milliseconds < 0) return false;
    defaultTimeout = static_cast<DWORD>(milliseconds);
    detail = line.Argument(0);
    return true;
}

bool CUiDriver::Text(const CScriptLine& line, std::string& detail) {
    std::string text;
    return ReadControlText(line, text, detail);
}

bool CUiDriver::ExpectText(const CScriptLine& line, std::string& detail) {
    std::string expected = line.RestFrom(1);
    std::string actual;
    if (!ReadControlText(line, actual, detail)) return false;
    if (actual == expected) return true;
    detail += " expected " + QuoteResultText(expected);
    return false;
}

bool CUiDriver::ExpectContains(const CScriptLine& line, std::string& detail) {
    std::string expected = line.RestFrom(1);
    std::string actual;
    if (!ReadControlText(line, actual, detail)) return false;
    if (actual.find(expected) != std::string::npos) return true;
    detail += " lacks " + QuoteResultText(expected);
    return false;
}

bool CUiDriver::ReadItems(HWND control, std::vector<std::string>& items, std::string& detail) const {
    ListKind kind = KindOf(control);
    if (kind == ListKind::None || !HoldsStrings(control, kind)) {
        detail = "not a list of texts";
        return false;
    }
    bool list = kind == ListKind::ListBox;
    DWORD_PTR count = 0;
    if (!Send(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0, count) || static_cast<LONG_PTR>(count) < 0) {
        detail = "no answer";
        return false;
    }
    for (DWORD_PTR index = 0; index < count; ++index) {
        DWORD_PTR length = 0;
        if (!SendW(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0, length) ||
            static_cast<LONG_PTR>(length) < 0) {
            detail = "no answer for item " + std::to_string(index);
            return false;
        }
        std::vector<wchar_t> buffer(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendW(control, list ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()), copied);
        items.push_back(ToAnsi(buffer.data()));
    }
    return true;
}

bool CUiDriver::Items(const CScriptLine& line, std::string& detail) {
    HWND control = ControlArgument(line, detail);
    std::vector<std::string> items;
    if (control == nullptr) return false;
    if (!ReadItems(control, items, detail)) {
        detail = line.Argument(0) + " " + detail;
        return false;
    }
    detail = line.Argument(0) + " " + std::to_string(items.size());
    for (const std::string& item : items) detail += " " + QuoteResultText(item);
    return true;
}

bool CUiDriver::Select(const CScriptLine& line, std::string& detail) {
    std::string wanted = line.RestFrom(1);
    HWND control = ControlArgument(line, detail);
    std::vector<std::string> items;
    if (control == nullptr) return false;
    if (!ReadItems(control, items, detail)) {
        detail = line.Argument(0) + " " + detail;
        return false;
    }
    for (size_t index = 0; index < items.size(); ++index) {
        if (items[index] != wanted) continue;
        CScriptLine byIndex("select-index " + line.Argument(0) + " " + std::to_string(index));
        return SelectIndex(byIndex, detail);
    }
    detail = line.Argument(0) + " no item " + QuoteResultText(wanted);
    return false;
}

// Selects like a user's click would: sets the selection, then tells the parent with the
// notification the control sends on a user's change.
bool CUiDriver::SelectIndex(const CScriptLine& line, std::string& detail) {
    long index = 0;
    HWND control = ControlArgument(line, detail);
    if (control == nullptr || !NumberArgument(line, 1, index, detail)) return false;
    ListKind kind = KindOf(control);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    DWORD_PTR result = 0;
    bool selected = false;
    WORD notification = 0;
    if (kind == ListKind::ListBox && (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) {
        selected = Send(control, LB_SETSEL, TRUE, index, result) && static_cast<LONG_PTR>(result) != LB_ERR;
        notification = (style & LBS_NOTIFY) ? LBN_SELCHANGE : 0;
    } else if (kind == ListKind::ListBox) {
        selected = Send(control, LB_SETCURSEL, index, 0, result) && static_cast<LONG_PTR>(result) == index;
        notification = (style & LBS_NOTIFY) ? LBN_SELCHANGE : 0;
    } else if (kind == ListKind::ComboBox) {
        selected = Send(control, CB_SETCURSEL, index, 0, result) && static_cast<LONG_PTR>(result) == index;
        notification = CBN_SELCHANGE;
    }
    detail = line.Argument(0) + " " + line.Argument(1);
    if (!selected) {
        detail += kind == ListKind::None ? " not a list" : " no such item";
        return false;
    }
    if (notification != 0) {
        PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), notification),
                     reinterpret_cast<LPARAM>(control));
    }
    return true;
}

bool CUiDriver::ReportFlag(const CScriptLine& line, std::string& detail, bool (*query)(HWND), bool expect) {
    long expected = 0;
    HWND control = ControlArgument(line, detail);
    if (control == nullptr) return false;
    if (expect && (!NumberArgument(line, 1, expected, detail) || (expected != 0 && expected != 1))) {
        detail = "expected value must be 0 or 1";
        return false;
    }
    bool value = query(control);
    detail = line.Argument(0) + (value ? " 1" : " 0");
    if (!expect || value == (expected == 1)) return true;
    detail += " expected " + line.Argument(1);
    return false;
}

bool CUiDriver::Enabled(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsEnabledControl, false);
}
bool CUiDriver::Visible(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsVisibleControl, false);
}
bool CUiDriver::Checked(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsCheckedControl, false);
}
bool CUiDriver::ExpectEnabled(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsEnabledControl, true);
}
bool CUiDriver::ExpectVisible(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsVisibleControl, true);
}
bool CUiDriver::ExpectChecked(const CScriptLine& line, std::string& detail) {
    return ReportFlag(line, detail, IsCheckedControl, true);
}

bool CUiDriver::Set(const CScriptLine& line, std::string& detail) {
    std::string text = line.RestFrom(1);
    HWND control = ControlArgument(line, detail);
    DWORD_PTR result = 0;
    if (control == nullptr) return false;
    detail = line.Argument(0) + " " + QuoteResultText(text);
    if (!Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), result) || !result) {
        detail += " refused";
        return false;
    }
    return true;
}

// Posted, never sent: a click whose handler opens a modal box would block a sent message.
bool CUiDriver::Click(const CScriptLine& line, std::string& detail) {
    HWND control = ControlArgument(line, detail);
    if (control == nullptr) return false;
    detail = line.Argument(0);
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
        detail += IsWindowVisible(control) ? " disabled" : " hidden";
        return false;
    }
    PostMessageA(control, BM_CLICK, 0, 0);
    return true;
}

CUiDriver::~CUiDriver() {
    for (HANDLE file : heldFiles) CloseHandle(file);
}

// Opens a file for writing without sharing and keeps it open until the driver ends, as a
// program that has the file in use does.
bool CUiDriver::Hold(const CScriptLine& line, std::string& detail) {
    const std::string& path = line.Argument(0);
    detail = QuoteResultText(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        detail += " error " + std::to_string(GetLastError());
        return false;
    }
    heldFiles.push_back(file);
    return true;
}

// A left double-click on a list box item, near the item's right end, as a user toggles an entry
// of an owner-drawn check list.
bool CUiDriver::DoubleClickItem(const CScriptLine& line, std::string& detail) {
    HWND control = ControlArgument(line, detail);
    if (control == nullptr) return false;
    long index = 0;
    if (!ParseNumber(line.Argument(1), index) || index < 0) {
        detail = "bad item index";
        return false;
    }
    DWORD_PTR height = 0, top = 0;
    if (!SendMessageTimeoutA(control, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &height) ||
        !SendMessageTimeoutA(control, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 3000, &top)) {
        detail = line.Argument(0) + " does not answer";
        return false;
    }
    RECT client;
    GetClientRect(control, &client);
    int x = client.right > 8 ? client.right - 4 : 1;
    int y = static_cast<int>((index - static_cast<long>(top)) * static_cast<long>(height) + static_cast<long>(height) / 2);
    detail = line.Argument(0) + " " + line.Argument(1);
    LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(control, WM_LBUTTONUP, 0, point);
    PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(control, WM_LBUTTONUP, 0, point);
    return true;
}

bool CUiDriver::Close(const CScriptLine& line, std::string& detail) {
    if (current == nullptr || !IsWindow(current)) {
        detail = "no current window";
        return false;
    }
    detail = Describe(current);
    PostMessageA(current, WM_CLOSE, 0, 0);
    return true;
}

bool CUiDriver::Current(const CScriptLine& line, std::string& detail) {
    if (current == nullptr || !IsWindow(current)) {
        detail = "no current window";
        return false;
    }
    detail = Describe(current);
    return true;
}

// The list goes on the lines after the result line, each indented by two blanks.
bool CUiDriver::Windows(const CScriptLine& line, std::string& detail) {
    std::vector<HWND> tops = CWindowFinder::VisibleTopLevelWindows();
    detail = std::to_string(tops.size());
    for (HWND top : tops) {
        detail += "\n  " + Describe(top);
        for (HWND child : CWindowFinder::Descendants(top)) {
            if (IsWindowVisible(child)) detail += "\n    " + Describe(child);
        }
    }
    return true;
}

bool CUiDriver::Screenshot(const CScriptLine& line, std::string& detail) {
    std::string path = line.RestFrom(0);
    std::string error;
    bool saved = CScreenCapture::SaveDisplay(path, error);
    detail = QuoteResultText(path) + (saved ? "" : " " + error);
    return saved;
}

bool CUiDriver::SleepFor(const CScriptLine& line, std::string& detail) {
    long milliseconds = 0;
    if (!NumberArgument(line, 0, milliseconds, detail) || milliseconds < 0) return false;
    Sleep(static_cast<DWORD>(milliseconds));
    detail = line.Argument(0);
    return true;
}

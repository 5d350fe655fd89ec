#include "tests/uidriver/CWindowFinder.h"

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool Matches(const std::string& pattern, const std::string& value) {
    return pattern == "*" || pattern == value;
}

bool IsDialog(HWND window) { return CWindowFinder::ClassName(window) == "#32770"; }

// A message box holds its text static (0xFFFF), an icon static and buttons with the standard ids
// (IDOK .. IDCONTINUE) and nothing else; a dialog of the program with other controls is not one.
bool LooksLikeMessageBox(HWND dialog) {
    if (GetDlgItem(dialog, kMessageBoxTextId) == nullptr) return false;
    for (HWND child : CWindowFinder::Descendants(dialog)) {
        std::string name = CWindowFinder::ClassName(child);
        int id = GetDlgCtrlID(child);
        bool standardButton = name == "Button" && id >= IDOK && id <= IDCONTINUE;
        if (!standardButton && name != "Static") return false;
    }
    return true;
}

}  // namespace

std::vector<HWND> CWindowFinder::VisibleTopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    for (HWND window : all) {
        if (IsWindowVisible(window) && !IsOwnWindow(window)) visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> CWindowFinder::Descendants(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND CWindowFinder::TopLevel(const std::string& title, const std::string& className) {
    for (HWND window : VisibleTopLevelWindows()) {
        if (Matches(title, Title(window)) && Matches(className, ClassName(window))) return window;
    }
    return nullptr;
}

// While pages change, the new page is visible before the old one is destroyed, and both may have
// the same id (a page shown again). A page counts only once it is the one page left, so that a
// script never acts on a page that is about to go.
HWND CWindowFinder::Page(int pageId) {
    for (HWND top : VisibleTopLevelWindows()) {
        if (IsDialog(top) && GetDlgCtrlID(top) == pageId) return top;
        std::vector<HWND> pages;
        for (HWND child : Descendants(top)) {
            if (GetParent(child) == top && IsDialog(child) && IsWindowVisible(child) && GetDlgCtrlID(child) != 0)
                pages.push_back(child);
        }
        if (pages.size() == 1 && GetDlgCtrlID(pages[0]) == pageId) return pages[0];
        if (pages.size() > 1) continue;  // a change of pages is under way
        for (HWND child : Descendants(top)) {
            if (GetParent(child) != top && GetDlgCtrlID(child) == pageId && IsWindowVisible(child) && IsDialog(child))
                return child;
        }
    }
    return nullptr;
}

HWND CWindowFinder::WindowWithControl(int controlId) {
    for (HWND top : VisibleTopLevelWindows()) {
        HWND control = Control(top, controlId);
        if (control != nullptr && IsWindowVisible(control)) return top;
    }
    return nullptr;
}

HWND CWindowFinder::MessageBox(const std::string& title) {
    for (HWND top : VisibleTopLevelWindows()) {
        if (IsDialog(top) && Matches(title, Title(top)) && LooksLikeMessageBox(top)) {
            return top;
        }
    }
    return nullptr;
}

HWND CWindowFinder::Control(HWND parent, int controlId) {
    HWND hidden = nullptr;
    for (HWND child : Descendants(parent)) {
        if (GetDlgCtrlID(child) != controlId) continue;
        if (IsWindowVisible(child)) return child;
        if (hidden == nullptr) hidden = child;
    }
    return hidden;
}

std::string CWindowFinder::ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string CWindowFinder::Title(HWND window) {
    char title[512] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool CWindowFinder::ReadText(HWND window, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        return false;
    }
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
        return false;
    }
    text.assign(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
    return true;
}

HWND CWindowFinder::WaitFor(const std::function<HWND()>& probe, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = probe()) != nullptr; }, timeoutMs);
    return found;
}

bool CWindowFinder::WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(25);
    }
}

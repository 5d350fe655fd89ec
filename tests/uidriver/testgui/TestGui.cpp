// A small stand-in for the installer, used to test the UI driver: a maximised frame window with a
// gradient, wizard pages as modeless child dialogs whose control id is their template number, a
// page change that shows the new page before destroying the old one, and a Yes/No question.
// Exit code: 0 after the last page, 3 after a confirmed Cancel.
#include <windows.h>

#include <string>

#include "TestGuiIds.h"

namespace {

constexpr UINT kPageActivated = WM_USER + 201;
constexpr int kExitCancelled = 3;
const char kFrameClass[] = "KmDriverTestFrame";
const char kFrameTitle[] = "Driver Test Frame";
const char kQuestionTitle[] = "Driver Test";
const char kQuestion[] = "Do you really want to stop?";

HWND frame = nullptr;
HWND currentPage = nullptr;
HWND previousPage = nullptr;
int exitCode = 0;
std::string chosenPath, chosenItem, chosenSize;
bool agreed = false;

const char* const kChoices[] = {"Program files", "Help files", "Samples"};
const char* const kSizes[] = {"Small", "Medium", "Large"};

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the page with this id; the old page stays until the new one is activated.
void GoToPage(int pageId) {
    if (pageId < 0) {
        DestroyWindow(frame);
        return;
    }
    previousPage = currentPage;
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pageId), frame, PageProc, pageId);
    currentPage = page;
}

std::string ItemText(HWND page, int id, UINT textMessage, UINT selectionMessage) {
    LRESULT index = SendDlgItemMessageA(page, id, selectionMessage, 0, 0);
    char text[128] = "";
    if (index >= 0) SendDlgItemMessageA(page, id, textMessage, index, reinterpret_cast<LPARAM>(text));
    return text;
}

void InitFormPage(HWND page) {
    SetDlgItemTextA(page, IDC_PATH, chosenPath.empty() ? "C:\\Test" : chosenPath.c_str());
    for (const char* choice : kChoices) SendDlgItemMessageA(page, IDC_CHOICES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    for (const char* size : kSizes) SendDlgItemMessageA(page, IDC_SIZES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    SendDlgItemMessageA(page, IDC_SIZES, CB_SETCURSEL, 1, 0);
    // The Windows version Wine reports, so that a test sees that the prefix's setting took effect.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    char platform[64];
    wsprintfA(platform, "Platform %lu %lu.%lu", version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    SetDlgItemTextA(page, IDC_NOTE, platform);
}

void LeaveFormPage(HWND page) {
    char path[260] = "";
    GetDlgItemTextA(page, IDC_PATH, path, sizeof path);
    chosenPath = path;
    chosenItem = ItemText(page, IDC_CHOICES, LB_GETTEXT, LB_GETCURSEL);
    chosenSize = ItemText(page, IDC_SIZES, CB_GETLBTEXT, CB_GETCURSEL);
    agreed = IsDlgButtonChecked(page, IDC_AGREE) == BST_CHECKED;
}

void InitSummaryPage(HWND page) {
    std::string summary = "Folder: " + chosenPath + "\nItem: " + chosenItem + "\nSize: " + chosenSize +
                          "\nAgreed: " + (agreed ? "yes" : "no");
    SetDlgItemTextA(page, IDC_SUMMARY, summary.c_str());
}

void OnPageCommand(HWND page, int pageId, WORD id, WORD code) {
    if (id == IDC_CHOICES && code == LBN_SELCHANGE) {
        SetDlgItemTextA(page, IDC_SELECTION,
                        ("Selection: " + ItemText(page, IDC_CHOICES, LB_GETTEXT, LB_GETCURSEL)).c_str());
    } else if (id == IDOK && code == BN_CLICKED) {
        if (pageId == PAGE_FORM) LeaveFormPage(page);
        GoToPage(pageId == PAGE_FORM ? PAGE_SUMMARY : pageId == PAGE_SUMMARY ? PAGE_DONE : -1);
    } else if (id == IDC_BACK && code == BN_CLICKED) {
        GoToPage(PAGE_FORM);
    } else if (id == IDCANCEL && code == BN_CLICKED && pageId != PAGE_DONE && pageId != PAGE_CANCELLED) {
        if (MessageBoxA(page, kQuestion, kQuestionTitle, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            exitCode = kExitCancelled;
            GoToPage(PAGE_CANCELLED);
        }
    }
}

void CentrePage(HWND page) {
    RECT frameRect, pageRect;
    GetClientRect(frame, &frameRect);
    GetWindowRect(page, &pageRect);
    int width = pageRect.right - pageRect.left, height = pageRect.bottom - pageRect.top;
    SetWindowPos(page, nullptr, (frameRect.right - width) / 2, (frameRect.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    int pageId = GetDlgCtrlID(page);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(page, GWLP_ID, static_cast<LONG_PTR>(lParam));
        if (lParam == PAGE_FORM) InitFormPage(page);
        if (lParam == PAGE_SUMMARY) InitSummaryPage(page);
        CentrePage(page);
        ShowWindow(page, SW_SHOWNOACTIVATE);
        PostMessageA(page, kPageActivated, 0, 0);
        return TRUE;
    case kPageActivated:
        if (previousPage != nullptr) DestroyWindow(previousPage);
        previousPage = nullptr;
        return TRUE;
    case WM_COMMAND:
        OnPageCommand(page, pageId, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void PaintGradient(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    int height = client.bottom > 0 ? client.bottom : 1;
    for (int y = 0; y < client.bottom; ++y) {
        RECT band = {0, y, client.right, y + 1};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255 - 255 * y / height));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 20, 20, kFrameTitle, lstrlenA(kFrameTitle));
    EndPaint(window, &paint);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintGradient(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA frameClass = {};
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.lpszClassName = kFrameClass;
    if (!RegisterClassA(&frameClass)) return 1;
    frame = CreateWindowA(kFrameClass, kFrameTitle, WS_MAXIMIZE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) return 1;
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    UpdateWindow(frame);
    GoToPage(PAGE_FORM);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (currentPage != nullptr && IsDialogMessageA(currentPage, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

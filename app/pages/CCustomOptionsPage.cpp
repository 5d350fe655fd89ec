#include "app/pages/CCustomOptionsPage.h"

#include "app/CSetupApp.h"
#include "app/DirectoryChecks.h"
#include "app/pages/CDestinationPage.h"
#include "framework/Win32Helpers.h"

namespace {
constexpr std::uint64_t kProgramExtra = 1048576;  // room the program needs beyond its files
constexpr char kProgramGroup[] = "program";
}

bool CCustomOptionsPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    HWND list = Item(IDC_OPTION_LIST);
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE letter = {};
    GetTextExtentPoint32A(dc, "M", 1, &letter);
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    itemHeight_ = letter.cy > 0 ? letter.cy : 16;
    SendMessageA(list, LB_SETITEMHEIGHT, 0, itemHeight_);

    for (auto& [name, group] : App().groups.All()) {
        if (!group.custom)
            continue;
        group.checked = true;
        LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.caption.c_str()));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&group));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SetPropA(list, "KalmoraCheckList", reinterpret_cast<HANDLE>(this));
    originalListProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));

    SetItemText(IDC_DIRECTORY, CDestinationPage::InitialDirectory());
    ShowDescription();
    std::uint64_t customTotal = static_cast<std::uint64_t>(App().spaceTable[6]);
    SetItemText(IDC_SPACE_REQUIRED,
                LoadResString(IDS_SPACE_REQUIRED) + "\t " + std::to_string(Megabytes(customTotal)) + "MB");
    ShowAvailable();
    return result;
}

CGroup* CCustomOptionsPage::GroupAt(int index) const
{
    LRESULT data = SendDlgItemMessageA(Handle(), IDC_OPTION_LIST, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<CGroup*>(data);
}

int CCustomOptionsPage::ItemAt(int y) const
{
    HWND list = Item(IDC_OPTION_LIST);
    int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    int index = y / (itemHeight_ > 0 ? itemHeight_ : 1) + top;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    return index >= 0 && index < count ? index : -1;
}

void CCustomOptionsPage::Toggle(int index)
{
    CGroup* group = GroupAt(index);
    if (!group)
        return;
    group->checked = !group->checked;
    HWND list = Item(IDC_OPTION_LIST);
    RECT r;
    if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(list, &r, FALSE);
    PostMessageA(Handle(), WM_CHECKLIST_CHANGED, 0, 0);
}

LRESULT CALLBACK CCustomOptionsPage::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CCustomOptionsPage*>(GetPropA(list, "KalmoraCheckList"));
    if (!self)
        return DefWindowProcA(list, message, wParam, lParam);
    try {
        return self->HandleListMessage(list, message, wParam, lParam);
    } catch (...) {
        ReportEscapedException();
        return 0;
    }
}

LRESULT CCustomOptionsPage::HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = originalListProc_;
    if (message == WM_LBUTTONDOWN) {
        int x = static_cast<short>(LOWORD(lParam));
        int y = static_cast<short>(HIWORD(lParam));
        int frame = GetSystemMetrics(SM_CXDLGFRAME);
        int side = itemHeight_ - 2 * frame;
        int index = ItemAt(y);
        if (index >= 0 && x >= frame && x < frame + side)
            Toggle(index);
    } else if (message == WM_LBUTTONDBLCLK) {
        int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        if (index >= 0)
            Toggle(index);
    } else if (message == WM_DESTROY) {
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(list, "KalmoraCheckList");
    }
    return CallWindowProcA(original, list, message, wParam, lParam);
}

void CCustomOptionsPage::DrawItem(const DRAWITEMSTRUCT& item) const
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    int side = (r.bottom - r.top) - 2 * frame;
    RECT box = {r.left + frame, r.top + frame, r.left + frame + side, r.top + frame + side};
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    const CGroup* group = reinterpret_cast<const CGroup*>(item.itemData);
    if (group && group->checked) {
        MoveToEx(dc, box.left, box.top, nullptr);
        LineTo(dc, box.right - 1, box.bottom - 1);
        MoveToEx(dc, box.right - 1, box.top, nullptr);
        LineTo(dc, box.left, box.bottom - 1);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (group) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = {box.right + frame * 2, r.top, r.right, r.bottom};
        DrawTextA(dc, group->caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &r);
}

void CCustomOptionsPage::ShowDescription()
{
    int index = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_OPTION_LIST, LB_GETCURSEL, 0, 0));
    const CGroup* group = index >= 0 ? GroupAt(index) : nullptr;
    SetItemText(IDC_DESCRIPTION, group ? group->description : std::string());
}

bool CCustomOptionsPage::AnyChecked() const
{
    int count = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_OPTION_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (const CGroup* group = GroupAt(i); group && group->checked)
            return true;
    return false;
}

void CCustomOptionsPage::ShowRequired()
{
    CSetupApp& app = App();
    std::uint64_t required = 0;
    int count = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_OPTION_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        CGroup* group = GroupAt(i);
        if (!group || !group->checked)
            continue;
        required += app.groups.ByteTotal(*group, app.copyList, 0);
        if (group->name == kProgramGroup) {
            for (auto& [name, other] : app.groups.All())
                if (other.description == kProgramGroup)
                    required += app.groups.ByteTotal(other, app.copyList, 0);
            required += kProgramExtra;
        }
    }
    std::uint64_t megabytes = Megabytes(required);
    if (megabytes == 0 && AnyChecked())
        megabytes = 1;
    SetItemText(IDC_SPACE_REQUIRED, LoadResString(IDS_SPACE_REQUIRED) + "\t " + std::to_string(megabytes) + "MB");
}

void CCustomOptionsPage::ShowAvailable()
{
    std::uint64_t free = FreeSpaceOf(ItemText(IDC_DIRECTORY));
    SetItemText(IDC_SPACE_AVAILABLE,
                LoadResString(IDS_SPACE_AVAILABLE) + "\t " + std::to_string(Megabytes(free)) + "MB");
}

bool CCustomOptionsPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_OPTION_LIST && code == LBN_SELCHANGE) {
        ShowDescription();
        return true;
    }
    if (id == IDC_DIRECTORY && code == EN_CHANGE) {
        ShowAvailable();
        return true;
    }
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        CDestinationPage::BrowseInto(*this);
        return true;
    }
    if (id == IDC_DRIVE_SPACE && code == BN_CLICKED) {
        CDestinationPage::ChooseDriveInto(*this);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}

INT_PTR CCustomOptionsPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == WM_CHECKLIST_CHANGED) {
        ShowRequired();
        handled = true;
        return 0;
    }
    if (message == WM_DRAWITEM && wParam == IDC_OPTION_LIST) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        handled = true;
        return TRUE;
    }
    return CWizardPage::OnMessage(message, wParam, lParam, handled);
}

void CCustomOptionsPage::SelectGroupsForInstall()
{
    CGroupStore& groups = App().groups;
    for (auto& [name, group] : groups.All())
        if (group.custom)
            group.install = group.checked;
    const CGroup* program = groups.Find(kProgramGroup);
    if (!program || !program->install) {
        SetNextId(IDD_START_COPYING);
        return;
    }
    for (auto& [name, group] : groups.All())
        if (group.description == kProgramGroup)
            group.install = true;
    App().profileContents->SelectEntries("2", "1");
    SetNextId(IDD_PROGRAM_FOLDER);
}

void CCustomOptionsPage::OnOK()
{
    std::string directory = ItemText(IDC_DIRECTORY);
    if (RefuseDiskette(directory))
        return;
    if (!AnyChecked()) {
        ShowMessageBox(LoadResString(IDS_NOTHING_SELECTED), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!ValidatePathWithMessage(directory) || RefuseFullDrive(directory))
        return;
    CSetupApp& app = App();
    app.destinations->SetMainDirectory(directory);
    SelectGroupsForInstall();

    SpaceNeed custom;
    for (const auto& [name, group] : app.groups.All()) {
        if (!group.install)
            continue;
        SpaceNeed part = CustomGroupSpace(name);
        custom.total += part.total;
        custom.mainPart += part.mainPart;
        custom.systemPart += part.systemPart;
    }
    app.spaceTable[6] = static_cast<std::int32_t>(custom.total);
    app.spaceTable[7] = static_cast<std::int32_t>(custom.mainPart);
    app.spaceTable[8] = static_cast<std::int32_t>(custom.systemPart);
    if (!TargetDrivesHaveRoom(custom))
        SetNextId(IDD_NOT_ENOUGH_SPACE);
    CWizardPage::OnOK();
}

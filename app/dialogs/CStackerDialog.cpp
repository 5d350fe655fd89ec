#include "app/dialogs/CStackerDialog.h"

#include <cstdlib>
#include <string>

#include "framework/CApplication.h"

int CStackerDialog::ClampDelay(long typed)
{
    if (typed < kMinimumDelay)
        return kMinimumDelay;
    if (typed > kMaximumDelay)
        return kMaximumDelay;
    return static_cast<int>(typed);
}

bool CStackerDialog::OnInitDialog()
{
    SetItemText(IDC_COPY_DELAY, std::to_string(delay_));
    SendMessageA(Handle(), DM_SETDEFID, IDNO, 0);
    CenterOver(CApplication::Current()->MainWindow());
    if (HWND no = Item(IDNO))
        SetFocus(no);
    return false;
}

bool CStackerDialog::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED && id == IDYES) {
        delay_ = ClampDelay(std::strtol(ItemText(IDC_COPY_DELAY).c_str(), nullptr, 10));
        EndModal(IDYES);
        return true;
    }
    if (code == BN_CLICKED && id == IDNO) {
        delay_ = 0;
        EndModal(IDNO);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CStackerDialog::OnCancel()
{
    delay_ = 0;
    EndModal(IDNO);
}

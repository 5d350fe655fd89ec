#pragma once
#include "framework/CDialog.h"
#include "resources/resource.h"

// "Stacker Settings": whether to slow copying down for a compressed drive, and by how much.
class CStackerDialog : public CDialog {
public:
    static constexpr int kMinimumDelay = 5;
    static constexpr int kMaximumDelay = 50;

    explicit CStackerDialog(int delay) : CDialog(IDD_STACKER_SETTINGS), delay_(delay) {}
    int Delay() const { return delay_; }
    // The typed delay limited to the range the copy accepts.
    static int ClampDelay(long typed);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCancel() override;

private:
    int delay_;
};

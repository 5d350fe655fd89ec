#pragma once
#include <memory>

#include "app/CWizardPage.h"
#include "resources/resource.h"
#include "uninstall/CRemovalActions.h"

class CGauge;

// The removal with its progress: runs once when the page becomes current, showing each step and
// file, and lets the user stop it between two of them.
class CUnsetupProgressPage : public CWizardPage, public IRemovalProgress {
public:
    CUnsetupProgressPage();
    ~CUnsetupProgressPage() override;
    int OnPageActivated() override;
    // Only notes the wish; the question comes with the next status line.
    void OnCancel() override { cancelRequested_ = true; }

    bool SetStatus(int labelId, int textId) override;
    bool SetFileStatus(int labelId, const std::string& path) override;
    void SetGauge(int position) override;

protected:
    bool OnInitDialog() override;

private:
    static constexpr DWORD kFileRefreshMs = 10;

    void ShowLabel(int labelId);
    // After a Cancel, the stop question; true when the user confirmed the stop.
    bool StopConfirmed();
    // The stop question; true when the user confirmed the stop.
    bool QueryStop();

    bool cancelRequested_ = false;
    std::unique_ptr<CGauge> gauge_;
    int shownLabel_ = 0;
    DWORD lastFileShown_ = 0;
};

#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/CWizardPage.h"
#include "resources/resource.h"
#include "transfer/install/InstallContext.h"

class CGauge;
class CSourceArchive;

// The copying page: runs the install driver when it becomes current, with the gauge, the file
// display and the billboards.
class CCopyingPage : public CWizardPage, public ICopyProgress {
public:
    CCopyingPage();
    ~CCopyingPage() override;
    void PositionPage() override;
    int OnPageActivated() override;
    // Only notes the wish; the question comes at the next progress report, so that no file is
    // left half-written by the dialog itself.
    void OnCancel() override { cancelRequested_ = true; }

    void ReportProgress(unsigned long long bytesOfFile) override;
    void BeginFile(const CInstallFile& file) override;
    void EndFile(const CInstallFile& file) override;

protected:
    bool OnInitDialog() override;

private:
    int RunInstall();
    void CopySources(InstallContext& context);
    // Whether a file lies in the directory of one of this run's destinations.
    bool IsInADestination(const std::string& path) const;
    void AddRunningProgram();
    std::uint64_t SelectedTotal() const;
    void AskCopyDelay();
    void ShowGauge(std::uint64_t done);
    void ShowFileProgress(const CInstallFile& file, unsigned long long bytesOfFile);

    bool cancelRequested_ = false;
    std::unique_ptr<CGauge> gauge_;
    std::uint64_t total_ = 0;
    std::uint64_t doneBeforeFile_ = 0;
    const CInstallFile* currentFile_ = nullptr;
    CSourceArchive* currentSource_ = nullptr;
    int scale_ = 0;
    unsigned shownPercent_ = 0;
    std::string shownFileText_;  // the gauge counts bytes >> scale_, so that totals beyond 4 GB fit
    DWORD lastRefreshTick_ = 0;
};

#include "transfer/media/CInsertDisketteDialog.h"

#include "framework/FormatText.h"
#include "resources/resource.h"
#include "transfer/paths/CFilePath.h"

CInsertDisketteDialog::CInsertDisketteDialog(std::string wantedPath, std::string sourceDirectory,
                                             std::string label, int diskNumber)
    : CDialog(kTemplate),
      wantedPath_(std::move(wantedPath)),
      sourceDirectory_(std::move(sourceDirectory)),
      label_(std::move(label)),
      diskNumber_(diskNumber)
{
}

std::string CInsertDisketteDialog::PromptText(const std::string& label, int diskNumber, const std::string& drive)
{
    if (label.empty())
        return FormatText("Please insert diskette %d in drive %s:", diskNumber, drive.c_str());
    return FormatText("Please insert the diskette labelled '%s' in drive %s:", label.c_str(), drive.c_str());
}

std::string CInsertDisketteDialog::TagFileName(int diskNumber)
{
    return FormatText("diskette.%03d", diskNumber);
}

bool CInsertDisketteDialog::OnInitDialog()
{
    CFilePath source(sourceDirectory_);
    SetItemText(IDC_DISKETTE_TEXT, PromptText(label_, diskNumber_, source.GetDrive()));
    CenterOver(GetParent(Handle()));
    return true;
}

void CInsertDisketteDialog::OnOK()
{
    CFilePath tag(sourceDirectory_);
    tag.SetFileName(TagFileName(diskNumber_));
    if (tag.Exists() || CFilePath(wantedPath_).Exists()) {
        EndModal(IDOK);
        return;
    }
    MessageBeep(MB_ICONASTERISK);
}

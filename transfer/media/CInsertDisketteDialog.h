#pragma once
// "Insert Diskette": asks for the diskette that holds a file; OK is taken only once the diskette
// (its tag file) or the file itself is there.
#include <string>

#include "framework/CDialog.h"

class CInsertDisketteDialog : public CDialog {
public:
    static constexpr int kTemplate = 113;

    CInsertDisketteDialog(std::string wantedPath, std::string sourceDirectory, std::string label,
                          int diskNumber);

    // The prompt's text for a label (empty: by number) and the drive of the source directory.
    static std::string PromptText(const std::string& label, int diskNumber, const std::string& drive);
    // The tag file that marks diskette n in a directory: "diskette.001" for diskette 1.
    static std::string TagFileName(int diskNumber);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string wantedPath_;
    std::string sourceDirectory_;
    std::string label_;
    int diskNumber_;
};

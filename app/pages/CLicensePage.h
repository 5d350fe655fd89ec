#pragma once
#include <string>

#include "app/CWizardPage.h"
#include "resources/resource.h"

// The licence agreement from "agree.txt" in the source directory; Next accepts it.
class CLicensePage : public CWizardPage {
public:
    explicit CLicensePage(int nextId) : CWizardPage(IDD_LICENSE, nextId, IDD_WELCOME) {}

    // The whole file as stored; throws CFileException when it cannot be read.
    static std::string ReadAgreement(const std::string& path);

protected:
    bool OnInitDialog() override;
};

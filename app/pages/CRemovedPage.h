#pragma once
#include "app/pages/CFinalPage.h"
#include "resources/resource.h"

// The product has been removed; when files in use wait for the next start of Windows, the page
// says that the restart completes the removal.
class CRemovedPage : public CFinalPage {
public:
    CRemovedPage() : CFinalPage(IDD_REMOVED) {}

protected:
    bool OnInitDialog() override;
};

#include "app/PageEngine.h"

#include "app/CSetupApp.h"
#include "app/CWizardPage.h"
#include "app/pages/CCopyingPage.h"
#include "app/pages/CCustomOptionsPage.h"
#include "app/pages/CDestinationPage.h"
#include "app/pages/CFinalPage.h"
#include "app/pages/CRemovedPage.h"
#include "app/pages/CLicensePage.h"
#include "app/pages/CNotEnoughSpacePage.h"
#include "app/pages/CProgramFolderPage.h"
#include "app/pages/CReadingInfoPage.h"
#include "app/pages/CRestartPage.h"
#include "app/pages/CSetupTypePage.h"
#include "app/pages/CStartCopyingPage.h"
#include "app/pages/CTitlePage.h"
#include "app/pages/CUnsetupProgressPage.h"
#include "app/pages/CUnsetupStartPage.h"
#include "framework/CFrameworkException.h"
#include "resources/resource.h"

#include <algorithm>
#include <vector>

namespace {
CWizardPage* currentPage = nullptr;
// Pages left and still on screen until the page after them is up; usually one, more when
// another program's clicks leave pages faster than they are activated.
std::vector<CWizardPage*> leftPages;
}

CWizardPage* CurrentPage()
{
    return currentPage;
}

void DestroyLeftPages()
{
    std::vector<CWizardPage*> pages;
    pages.swap(leftPages);
    for (CWizardPage* page : pages)
        if (page != currentPage && page->Handle())
            DestroyWindow(page->Handle());  // the page deletes itself
}

CWizardPage* CreatePage(int id)
{
    const CSetupApp& app = App();
    switch (id) {
    case IDD_TITLE: return new CTitlePage();
    case IDD_WELCOME: return new CWizardPage(id, app.inPlace ? IDD_PROGRAM_FOLDER : IDD_LICENSE);
    case IDD_LICENSE: return new CLicensePage(app.unsetupMode ? IDD_UNSETUP_PROGRESS : IDD_DESTINATION);
    case IDD_DESTINATION: return new CDestinationPage();
    case IDD_SETUP_TYPE: return new CSetupTypePage();
    case IDD_CUSTOM_OPTIONS: return new CCustomOptionsPage();
    case IDD_NOT_ENOUGH_SPACE: return new CNotEnoughSpacePage();
    case IDD_PROGRAM_FOLDER: return new CProgramFolderPage();
    case IDD_START_COPYING: return new CStartCopyingPage();
    case IDD_COPYING: return new CCopyingPage();
    case IDD_COMPLETE: return new CFinalPage(id);
    case IDD_RESTART: return new CRestartPage();
    case IDD_NOT_INSTALLED: return new CFinalPage(id);
    case IDD_UNSETUP_START: return new CUnsetupStartPage();
    case IDD_READING_INFO: return new CReadingInfoPage();
    case IDD_UNSETUP_PROGRESS: return new CUnsetupProgressPage();
    case IDD_REMOVED: return new CRemovedPage();
    case IDD_NOT_UNINSTALLED: return new CFinalPage(id);
    default: return nullptr;
    }
}

void GoToPage(int id)
{
    // The page being left stays on screen until the new one is up, also when pages are skipped.
    CWizardPage* leaving = currentPage;
    int rememberedId = leaving ? leaving->OwnId() : 0;
    if (leaving && std::find(leftPages.begin(), leftPages.end(), leaving) == leftPages.end())
        leftPages.push_back(leaving);
    for (;;) {
        // The pages that say the work is done: what comes after them cannot undo it.
        if (id == IDD_COMPLETE || id == IDD_RESTART || id == IDD_REMOVED)
            App().run.reachedEnd = true;
        if (id == kEndProgram) {
            currentPage = nullptr;
            leftPages.clear();  // they go with the main window
            App().SetActiveModeless(nullptr);
            DestroyWindow(App().MainWindow());
            return;
        }
        CWizardPage* page = CreatePage(id);
        if (!page) {
            // No page has that id: nothing can be shown, which is a fault of the resources.
            throw CResourceException();
        }
        page->SetPreviousId(rememberedId);
        if (page->ShouldShow()) {
            if (!page->CreateModeless(App().MainWindow())) {
                delete page;
                throw CResourceException();
            }
            UpdateWindow(page->Handle());
            currentPage = page;
            App().SetActiveModeless(page->Handle());
            return;
        }
        id = page->NextId();
        delete page;
        currentPage = nullptr;
    }
}

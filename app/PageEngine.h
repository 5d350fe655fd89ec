#pragma once
// The page engine: one page is current; GoToPage replaces it by the page with the given id.
class CWizardPage;

// Makes the page with that id current; kEndProgram destroys the main window, ending the program.
void GoToPage(int id);
// The factory: a new page object for the id with its default next id, or nullptr.
CWizardPage* CreatePage(int id);

CWizardPage* CurrentPage();
// Destroys the pages that were left for the current one (called once the current one is up).
void DestroyLeftPages();

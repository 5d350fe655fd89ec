#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

struct CGroup;

// Posted by the check list to its parent after every change of a check mark.
constexpr UINT WM_CHECKLIST_CHANGED = WM_USER + 399;

// The groups to install, ticked in a check list, with the space they need and the space free.
class CCustomOptionsPage : public CWizardPage {
public:
    CCustomOptionsPage() : CWizardPage(IDD_CUSTOM_OPTIONS, IDD_PROGRAM_FOLDER, IDD_SETUP_TYPE) {}
    void OnOK() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    void Toggle(int index);
    CGroup* GroupAt(int index) const;
    int ItemAt(int y) const;
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    void ShowDescription();
    void ShowRequired();
    void ShowAvailable();
    bool AnyChecked() const;
    void SelectGroupsForInstall();

    WNDPROC originalListProc_ = nullptr;
    int itemHeight_ = 16;
};

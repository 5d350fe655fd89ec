#pragma once
// Base of every wizard page: a modeless child dialog of the main window, built from the template
// whose number is also the page's identity in the sequence.
#include "framework/CDialog.h"

// Posted by a page to itself at the end of its initialisation.
constexpr UINT WM_PAGE_ACTIVATED = WM_USER + 201;
// Page id that ends the program.
constexpr int kEndProgram = -1;

class CWizardPage : public CDialog {
public:
    // backId: the fixed page that Back leads to, or 0 for the page that was current before.
    CWizardPage(int ownId, int nextId, int backId = 0)
        : CDialog(ownId), ownId_(ownId), nextId_(nextId), backId_(backId) {}

    int OwnId() const { return ownId_; }
    int NextId() const { return nextId_; }
    void SetNextId(int id) { nextId_ = id; }
    int PreviousId() const { return previousId_; }
    void SetPreviousId(int id) { previousId_ = id; }

    // Where the page sits over the main window; default: centred.
    virtual void PositionPage();
    // Runs when the page has become current. Returns 0 to stay (in unattended mode the page then
    // proceeds as if Next were pressed), or the id of the page to go to (kEndProgram ends).
    virtual int OnPageActivated() { return 0; }
    // The question before a cancel; true when the user really wants to stop.
    virtual bool ConfirmCancel();
    // false to skip the page; the engine then goes on with its next id.
    virtual bool ShouldShow() { return true; }

    // Next: go to the next page. Pages override it to validate and choose the next id first.
    void OnOK() override;
    void OnCancel() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void PostNcDestroy() override { delete this; }
    // Back: by default to the page that was current when this one was created.
    virtual void OnBack();
    // Back to a fixed page, without validation.
    void GoBackTo(int id);

private:
    void OnActivated();

    int ownId_;
    int nextId_;
    int backId_;
    int previousId_ = 0;
};

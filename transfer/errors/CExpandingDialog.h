#pragma once
// A modal dialog that opens collapsed to the area above and left of its marker control; its
// "&More>>" button shows the rest and turns into "&<<".
#include "framework/CDialog.h"

class CExpandingDialog : public CDialog {
public:
    CExpandingDialog(int templateId, int markerId, int moreButtonId)
        : CDialog(templateId), markerId_(markerId), moreButtonId_(moreButtonId) {}

    bool IsExpanded() const { return expanded_; }
    void Toggle();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Collapse();
    void Expand();
    void SetOutsideControlsEnabled(const RECT& area, bool enable) const;
    void ReplaceInMoreCaption(const char* from, const char* to) const;

    int markerId_;
    int moreButtonId_;
    bool expanded_ = false;
    RECT fullRect_ = {};
    RECT collapsedClient_ = {};
};

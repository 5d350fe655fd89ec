#pragma once
// The error dialog: a heading naming the failed operation, the error's title, and on More>> its
// explanation and the information line. In continue mode its buttons are "Continue Operation"
// and "Cancel Operation".
#include <string>

#include "transfer/errors/CExpandingDialog.h"

class CErrorDialog : public CExpandingDialog {
public:
    static constexpr int kTemplate = 1544;

    CErrorDialog(std::string heading, std::string title, std::string text, std::string information,
                 bool continueMode);
    ~CErrorDialog() override;

protected:
    bool OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    std::string heading_;
    std::string title_;
    std::string text_;
    std::string information_;
    bool continueMode_;
    HBRUSH buttonFace_ = nullptr;
    HFONT font_ = nullptr;
};

// Shows the exception in the error dialog under the heading of string messageId, whose "%s" (if
// any) takes the argument. ReportError offers Continue/Cancel and returns true for Continue; ReportFatalError
// offers OK/Cancel and returns true for OK. Neither throws.
bool ReportError(unsigned messageId, const std::exception& error, const std::string& argument = {});
bool ReportFatalError(unsigned messageId, const std::exception& error,
                      const std::string& argument = {});
// The same report as one line for the record of the run, with the Windows error code and its text
// where the error has one; whether or not the dialog is shown.
std::string ErrorRecordText(unsigned messageId, const std::exception& error, const std::string& argument = {});

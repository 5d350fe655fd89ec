#include "transfer/errors/CErrorDialog.h"

#include "framework/CApplication.h"
#include "framework/CFrameworkException.h"
#include "framework/FormatText.h"
#include "framework/Win32Helpers.h"
#include "resources/resource.h"
#include "transfer/errors/CXException.h"

CErrorDialog::CErrorDialog(std::string heading, std::string title, std::string text,
                           std::string information, bool continueMode)
    : CExpandingDialog(kTemplate, IDC_MARKER, IDC_MORE),
      heading_(std::move(heading)),
      title_(std::move(title)),
      text_(std::move(text)),
      information_(std::move(information)),
      continueMode_(continueMode)
{
}

CErrorDialog::~CErrorDialog()
{
    if (buttonFace_)
        DeleteObject(buttonFace_);
    if (font_)
        DeleteObject(font_);
}

bool CErrorDialog::OnInitDialog()
{
    buttonFace_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    font_ = CreatePointFont("Arial", 8, false, false);
    CExpandingDialog::OnInitDialog();
    SendDlgItemMessageA(Handle(), IDC_ERROR_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_EXCLAMATION)), 0);
    SetItemText(IDC_ERROR_HEADING, heading_);
    SetItemText(IDC_ERROR_TITLE, title_);
    SetItemText(IDC_ERROR_TEXT, text_);
    SetItemText(IDC_ERROR_INFO, information_);
    if (font_)
        SendDlgItemMessageA(Handle(), IDC_ERROR_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (continueMode_) {
        SetItemText(IDOK, LoadResString(IDS_CONTINUE_OPERATION));
        SetItemText(IDCANCEL, LoadResString(IDS_CANCEL_OPERATION));
    }
    if (HWND help = Item(IDC_HELP_BUTTON))
        ShowWindow(help, SW_HIDE);
    CenterOver(GetParent(Handle()));
    return true;
}

INT_PTR CErrorDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) &&
        reinterpret_cast<HWND>(lParam) == Item(IDC_ERROR_TEXT)) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        handled = true;
        return reinterpret_cast<INT_PTR>(buttonFace_);
    }
    return CExpandingDialog::OnMessage(message, wParam, lParam, handled);
}

namespace {
// What the dialog shows for an exception: the heading, the error's title and explanation, and the
// information line.
struct ErrorDescription {
    std::string heading;
    std::string title;
    std::string text;
    std::string information;
};

ErrorDescription Describe(unsigned messageId, const std::exception& error, const std::string& argument)
{
    std::string format = LoadResString(messageId);
    ErrorDescription description;
    description.heading = FormatText(format.c_str(), argument.c_str());
    std::unique_ptr<CXException> converted;
    const CXException* family = dynamic_cast<const CXException*>(&error);
    if (!family) {
        converted = FromFrameworkException(error);
        family = converted.get();
    }
    family->PrepareMessages();
    const XMessageSlots& slots = CXException::Slots();
    description.title = slots.title;
    description.text = slots.text;
    description.information = FormatText("%u.%d (%s)", messageId, family->cause, family->ClassName());
    return description;
}

bool ShowException(unsigned messageId, const std::exception& error, bool continueMode,
                   const std::string& argument)
{
    try {
        ErrorDescription description = Describe(messageId, error, argument);
        CErrorDialog dialog(description.heading, description.title, description.text, description.information,
                            continueMode);
        HWND owner = CApplication::Current() ? CApplication::Current()->MainWindow() : nullptr;
        return dialog.DoModal(owner) == IDOK;
    } catch (...) {
        return false;
    }
}
}

std::string ErrorRecordText(unsigned messageId, const std::exception& error, const std::string& argument)
{
    try {
        ErrorDescription description = Describe(messageId, error, argument);
        std::string text = description.heading + " " + description.title + " [" + description.information + "]";
        if (const auto* file = dynamic_cast<const CFileException*>(&error)) {
            if (!file->fileName.empty())
                text += " " + file->fileName;
            if (file->osError >= 0)
                text += "; " + SystemErrorText(static_cast<DWORD>(file->osError));
        }
        return text;
    } catch (...) {
        return error.what();
    }
}

bool ReportError(unsigned messageId, const std::exception& error, const std::string& argument)
{
    return ShowException(messageId, error, true, argument);
}

bool ReportFatalError(unsigned messageId, const std::exception& error, const std::string& argument)
{
    return ShowException(messageId, error, false, argument);
}

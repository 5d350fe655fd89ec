// Every dialog template can be created and carries the controls, texts and states that the
// program relies on.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

enum ControlFlag : unsigned {
    kEnabled = 0,
    kDisabled = 1,
    kHidden = 2,
    kDefault = 4,     // the default push button
    kOwnerDraw = 8,   // owner-drawn button (picture buttons)
    kReadOnly = 16,   // read-only edit
    kMultiLine = 32,  // multi-line edit
};

struct ControlSpec {
    int id;
    const char* text;  // nullptr: the text is set by the program
    unsigned flags;
};

enum class Kind { Page, Popup, Billboard };

struct TemplateSpec {
    int id;
    Kind kind;
    const char* caption;
    std::vector<ControlSpec> controls;
};

const ControlSpec kPicture = {IDC_PICTURE, "WIZBIT", kOwnerDraw | kDisabled};
const ControlSpec kBack = {IDC_BACK, "< &Back", kEnabled};
const ControlSpec kBackDisabled = {IDC_BACK, "< &Back", kDisabled};
const ControlSpec kNext = {IDC_NEXT, "&Next >", kDefault};
const ControlSpec kCancel = {IDC_CANCEL, "Cancel", kEnabled};
const ControlSpec kOkOnly = {IDC_NEXT, "OK", kDefault};

std::vector<ControlSpec> Page(std::vector<ControlSpec> own, std::vector<ControlSpec> buttons)
{
    own.insert(own.begin(), kPicture);
    own.insert(own.end(), buttons.begin(), buttons.end());
    return own;
}

const std::vector<TemplateSpec>& Templates()
{
    static const std::vector<TemplateSpec> templates = {
        {IDD_TITLE, Kind::Page, "Kalmora 4.0 Setup", {{IDC_TITLE_PICTURE, nullptr, kEnabled}}},
        {IDD_WELCOME, Kind::Page, "Welcome", Page({}, {kBackDisabled, kNext, kCancel})},
        {IDD_LICENSE, Kind::Page, "Kalmora 4.0 Setup",
         Page({{-1, "You must accept the following agreement to install this product. Click Next to "
                    "accept or Cancel to decline.", kEnabled},
               {IDC_LICENSE_TEXT, nullptr, kReadOnly | kMultiLine}},
              {kBack, kNext, kCancel})},
        {IDD_DESTINATION, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_DIRECTORY, nullptr, kEnabled}, {IDC_BROWSE, nullptr, kEnabled},
               {IDC_DRIVE_SPACE, nullptr, kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_SETUP_TYPE, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_MINIMAL, "MINIMUM", kOwnerDraw}, {IDC_TYPICAL, "TYPICAL", kOwnerDraw},
               {IDC_CUSTOM, "CUSTOM", kOwnerDraw}, {IDC_MINIMAL_SPACE, nullptr, kEnabled},
               {IDC_TYPICAL_SPACE, nullptr, kEnabled}, {IDC_CUSTOM_SPACE, nullptr, kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_CUSTOM_OPTIONS, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_OPTION_LIST, nullptr, kEnabled}, {IDC_DESCRIPTION, nullptr, kEnabled},
               {IDC_DIRECTORY, nullptr, kEnabled}, {IDC_BROWSE, nullptr, kEnabled},
               {IDC_DRIVE_SPACE, nullptr, kEnabled}, {IDC_SPACE_REQUIRED, nullptr, kEnabled},
               {IDC_SPACE_AVAILABLE, nullptr, kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_NOT_ENOUGH_SPACE, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_CHANGE_PATH, nullptr, kDefault}, {IDC_CHANGE_OPTION, nullptr, kEnabled},
               {IDC_NEXT, nullptr, kEnabled}, {IDC_CANCEL, "Cancel", kEnabled},
               {-1, "Change your Installation Path.", kEnabled},
               {-1, "Change your Install Option (Typical, Minimal, Custom).", kEnabled},
               {-1, "Continue anyway.", kEnabled}, {-1, "Cancel the Installation.", kEnabled}},
              {})},
        {IDD_PROGRAM_FOLDER, Kind::Page, "Program Folder",
         Page({{IDC_FOLDER_NAME, nullptr, kEnabled}, {IDC_FOLDER_LIST, nullptr, kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_START_COPYING, Kind::Page, "Start Copying Files",
         Page({{IDC_SUMMARY, nullptr, kReadOnly | kMultiLine}}, {kBack, kNext, kCancel})},
        {IDD_COPYING, Kind::Page, "Kalmora 4.0 Setup",
         {{-1, "Source File:", kEnabled}, {IDC_SOURCE_FILE, nullptr, kEnabled},
          {-1, "Destination File:", kEnabled}, {IDC_DESTINATION_FILE, nullptr, kEnabled},
          {IDC_GAUGE, nullptr, kEnabled}, kCancel}},
        {IDD_COMPLETE, Kind::Page, "Kalmora 4.0 Setup",
         Page({{-1, "Kalmora 4.0 Installation is complete.\n\nClick Finish to exit Setup.", kEnabled}},
              {kBackDisabled, {IDC_NEXT, "&Finish", kDefault}, {IDC_CANCEL, "Cancel", kDisabled}})},
        {IDD_RESTART, Kind::Page, "Kalmora 4.0 Setup",
         Page({{-1, "In order to complete Kalmora 4.0 Installation, Windows must now be restarted.\n\n"
                    "Kalmora 4.0 may not run properly until Windows is restarted.", kEnabled},
               {-1, "To Restart Windows now, click Finish.\n\nIf you do not wish to restart Windows "
                    "now, click Cancel. ", kEnabled}},
              {{IDC_BACK, "<- &Back", kDisabled}, {IDC_NEXT, "&Finish", kDefault},
               {IDC_CANCEL, "&Cancel", kEnabled}})},
        {IDD_NOT_INSTALLED, Kind::Page, "Kalmora 4.0 Setup",
         Page({{-1, "Kalmora 4.0 has NOT been properly installed. You should run this setup procedure "
                    "again in its entirety.", kEnabled}},
              {kOkOnly})},
        {IDD_UNSETUP_START, Kind::Page, "Removing Kalmora 4.0",
         Page({{-1, "You have chosen to remove Kalmora 4.0.", kEnabled}},
              {{IDC_NEXT, "&Continue", kDefault}, kCancel})},
        {IDD_READING_INFO, Kind::Page, "Kalmora 4.0 Unsetup",
         Page({{-1, "Reading Unsetup information. Please wait.", kEnabled}}, {})},
        {IDD_UNSETUP_PROGRESS, Kind::Page, "Kalmora 4.0 Unsetup",
         {{IDC_SOURCE_FILE, nullptr, kEnabled}, {IDC_STATUS_TEXT, nullptr, kEnabled},
          {IDC_GAUGE, nullptr, kEnabled}, kCancel}},
        {IDD_REMOVED, Kind::Page, "Kalmora 4.0 Unsetup",
         Page({{-1, "Kalmora 4.0 has been removed from your computer.", kEnabled}}, {kOkOnly})},
        {IDD_NOT_UNINSTALLED, Kind::Page, "Kalmora 4.0 Unsetup",
         Page({{-1, "Kalmora 4.0 has NOT been properly uninstalled.", kEnabled}}, {kOkOnly})},
        {IDD_FILE_TYPES, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_FILE_TYPE_LIST, nullptr, kEnabled}, {IDC_DESELECT_ALL, "&Deselect All", kEnabled},
               {IDC_HELP_BUTTON, "&Help", kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_USER_INFO, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_USER_NAME, nullptr, kEnabled}, {IDC_COMPANY_NAME, nullptr, kEnabled}},
              {kBack, kNext, kCancel})},
        {IDD_SUBSYSTEMS, Kind::Page, "Kalmora 4.0 Setup", Page({}, {kBack, kNext, kCancel})},
        {IDD_FILE_SHARING, Kind::Page, "Kalmora 4.0 Setup", Page({}, {kBack, kNext, kCancel})},
        {IDD_OLD_WIN32S, Kind::Page, "Kalmora 4.0 Setup", Page({}, {kBack, kNext, kCancel})},
        {IDD_COMPUSERVE, Kind::Page, "Kalmora 4.0 Setup",
         Page({{IDC_INSTALL_COMPUSERVE, nullptr, kEnabled}}, {kBackDisabled, kNext, kCancel})},
        {IDD_BILLBOARD, Kind::Billboard, "",
         {{IDC_BILLBOARD_PICTURE, nullptr, kEnabled}, {IDC_BILLBOARD_TEXT, nullptr, kEnabled}}},
        {IDD_ERROR, Kind::Popup, "Warning",
         {{IDC_ERROR_HEADING, "Cannot Perform Operation:", kEnabled}, {IDC_ERROR_ICON, nullptr, kEnabled},
          {IDC_ERROR_TITLE, "An unspecified error has occurred.", kEnabled},
          {IDC_ERROR_TEXT, nullptr, kReadOnly | kMultiLine}, {-1, "Further Information:", kEnabled},
          {IDC_ERROR_INFO, nullptr, kEnabled}, {-1, "Error Information:", kEnabled},
          {IDOK, "OK", kDefault}, {IDCANCEL, "Cancel", kEnabled}, {IDC_HELP_BUTTON, nullptr, kHidden},
          {IDC_MORE, "&More>>", kEnabled}, {IDC_MARKER, nullptr, kHidden}}},
        {IDD_ERROR_LARGE, Kind::Popup, "Warning",
         {{IDC_ERROR_HEADING, "Cannot Perform Operation:", kEnabled}, {IDC_ERROR_ICON, nullptr, kEnabled},
          {IDC_ERROR_TITLE, "An unspecified error has occurred.", kEnabled},
          {IDC_ERROR_TEXT, nullptr, kReadOnly | kMultiLine}, {IDC_ERROR_INFO, nullptr, kEnabled},
          {IDOK, "OK", kDefault}, {IDCANCEL, "Cancel", kEnabled}, {IDC_HELP_BUTTON, nullptr, kHidden},
          {IDC_MORE, "&More>>", kEnabled}, {IDC_SYSTEM_INFO, "&System Info...", kEnabled},
          {IDC_MARKER, nullptr, kHidden}}},
        {IDD_BROWSE, Kind::Popup, "Open",
         {{-1, "Program Location:", kEnabled}, {IDC_DIRECTORY, nullptr, kReadOnly},
          {IDC_NEW_SUBDIRECTORY, nullptr, kEnabled}, kPicture, {stc1, nullptr, kEnabled},
          {lst2, nullptr, kEnabled}, {stc4, nullptr, kEnabled}, {cmb2, nullptr, kEnabled},
          {IDOK, "OK", kDefault}, {IDCANCEL, "Cancel", kEnabled}, {pshHelp, nullptr, kEnabled},
          {edt1, nullptr, kHidden}, {lst1, nullptr, kHidden}, {cmb1, nullptr, kHidden},
          {stc2, nullptr, kHidden}, {stc3, nullptr, kHidden}, {chx1, nullptr, kHidden}}},
        {IDD_DRIVE_SPACE, Kind::Popup, "Available Drive Space",
         {{IDC_DRIVE_COMBO, nullptr, kEnabled}, {IDC_SPACE_REQUIRED, nullptr, kEnabled},
          {IDC_SPACE_AVAILABLE, nullptr, kEnabled}, {IDOK, "OK", kDefault},
          {IDCANCEL, "Cancel", kEnabled}}},
        {IDD_INSERT_DISKETTE, Kind::Popup, "Insert Diskette",
         {{IDC_DISKETTE_TEXT, nullptr, kEnabled}, {IDOK, "OK", kDefault},
          {IDCANCEL, "Cancel", kEnabled}}},
        {IDD_STACKER_SETTINGS, Kind::Popup, "Stacker Settings",
         {{IDC_COPY_DELAY, nullptr, kEnabled}, {IDYES, "&Yes", kEnabled}, {IDNO, "&No", kDefault}}},
    };
    return templates;
}

INT_PTR CALLBACK TrivialProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string TextOf(HWND window)
{
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

LONG StyleOf(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE);
}

// Finds the child with that id and, for shared ids such as -1, that text.
HWND FindControl(HWND dialog, const ControlSpec& expected)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // Template ids are 16 bits wide: the shared id -1 reads back as 0xFFFF.
        if ((GetDlgCtrlID(child) & 0xFFFF) != (expected.id & 0xFFFF))
            continue;
        if (expected.id != -1)
            return child;
        if (expected.text && TextOf(child) == expected.text)
            return child;
    }
    return nullptr;
}

class DialogTemplateTest : public ::testing::TestWithParam<TemplateSpec> {
protected:
    void SetUp() override
    {
        parent_ = CreateWindowA("STATIC", "parent", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(parent_);
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id),
                                     parent_, TrivialProc, 0);
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        DestroyWindow(parent_);
    }
    HWND parent_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_P(DialogTemplateTest, CreatesWithItsStyleAndCaption)
{
    const TemplateSpec& expected = GetParam();
    ASSERT_TRUE(dialog_) << "template " << expected.id << " error " << GetLastError();
    LONG style = StyleOf(dialog_);
    EXPECT_FALSE(style & WS_VISIBLE) << "template " << expected.id << ": the program shows it";
    switch (expected.kind) {
    case Kind::Page:
        EXPECT_TRUE(style & WS_CHILD) << expected.id;
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION) << expected.id;
        break;
    case Kind::Popup:
        EXPECT_TRUE(style & WS_POPUP) << expected.id;
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION) << expected.id;
        break;
    case Kind::Billboard:
        EXPECT_TRUE(style & WS_CHILD) << expected.id;
        EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME)) << expected.id;
        break;
    }
    EXPECT_EQ(TextOf(dialog_), expected.caption) << "template " << expected.id;
}

TEST_P(DialogTemplateTest, HasItsControls)
{
    const TemplateSpec& expected = GetParam();
    ASSERT_TRUE(dialog_);
    for (const ControlSpec& control : expected.controls) {
        HWND item = FindControl(dialog_, control);
        ASSERT_TRUE(item) << "template " << expected.id << " control " << control.id << " "
                          << (control.text ? control.text : "");
        std::string where = "template " + std::to_string(expected.id) + " control " + std::to_string(control.id);
        if (control.text) {
            EXPECT_EQ(TextOf(item), control.text) << where;
        }
        LONG style = StyleOf(item);
        EXPECT_EQ(!IsWindowEnabled(item), (control.flags & kDisabled) != 0) << where;
        EXPECT_EQ(!(style & WS_VISIBLE), (control.flags & kHidden) != 0) << where;
        if (control.flags & kDefault) {
            EXPECT_EQ(style & 0x0F, BS_DEFPUSHBUTTON) << where;
        } else if (control.flags & kOwnerDraw) {
            EXPECT_EQ(style & 0x0F, BS_OWNERDRAW) << where;
        }
        if (control.flags & kReadOnly) {
            EXPECT_TRUE(style & ES_READONLY) << where;
        }
        if (control.flags & kMultiLine) {
            EXPECT_TRUE(style & ES_MULTILINE) << where;
        }
    }
}

// At most one default button, and no other button claims to be it.
TEST_P(DialogTemplateTest, HasOneDefaultButton)
{
    ASSERT_TRUE(dialog_);
    int defaults = 0;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0 && (StyleOf(child) & 0x0F) == BS_DEFPUSHBUTTON)
            ++defaults;
    }
    EXPECT_LE(defaults, 1) << "template " << GetParam().id;
}

// Every control lies inside the dialog, so nothing is cut off on any platform.
TEST_P(DialogTemplateTest, ControlsFitInside)
{
    ASSERT_TRUE(dialog_);
    RECT client = {};
    GetClientRect(dialog_, &client);
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = {};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
        std::string where = "template " + std::to_string(GetParam().id) + " control " +
                            std::to_string(GetDlgCtrlID(child)) + " \"" + TextOf(child) + "\"";
        EXPECT_GE(r.left, 0) << where;
        EXPECT_GE(r.top, 0) << where;
        EXPECT_LE(r.right, client.right) << where;
        EXPECT_LE(r.bottom, client.bottom) << where;
    }
}

std::string TemplateName(const ::testing::TestParamInfo<TemplateSpec>& info)
{
    return "Template" + std::to_string(info.param.id);
}

INSTANTIATE_TEST_SUITE_P(All, DialogTemplateTest, ::testing::ValuesIn(Templates()), TemplateName);

// Every page of the sequence and every template of the resources is in the table above.
TEST(DialogTemplates, TableCoversEveryTemplate)
{
    const int ids[] = {IDD_TITLE, IDD_WELCOME, IDD_LICENSE, IDD_DESTINATION, IDD_SETUP_TYPE,
                       IDD_CUSTOM_OPTIONS, IDD_NOT_ENOUGH_SPACE, IDD_PROGRAM_FOLDER, IDD_START_COPYING,
                       IDD_COPYING, IDD_COMPLETE, IDD_RESTART, IDD_NOT_INSTALLED, IDD_UNSETUP_START,
                       IDD_READING_INFO, IDD_UNSETUP_PROGRESS, IDD_REMOVED, IDD_NOT_UNINSTALLED,
                       IDD_ERROR, IDD_ERROR_LARGE, IDD_BROWSE, IDD_DRIVE_SPACE, IDD_INSERT_DISKETTE,
                       IDD_STACKER_SETTINGS, IDD_BILLBOARD, IDD_FILE_TYPES, IDD_USER_INFO,
                       IDD_SUBSYSTEMS, IDD_FILE_SHARING, IDD_OLD_WIN32S, IDD_COMPUSERVE};
    for (int id : ids) {
        bool listed = false;
        for (const TemplateSpec& expected : Templates())
            listed = listed || expected.id == id;
        EXPECT_TRUE(listed) << "template " << id;
        EXPECT_TRUE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_DIALOG)) << id;
    }
}

// The title page shows its picture without any code.
TEST(DialogTemplates, TitlePageShowsThePicture)
{
    HWND parent = CreateWindowA("STATIC", "parent", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TITLE), parent,
                                   TrivialProc, 0);
    ASSERT_TRUE(page);
    HWND picture = GetDlgItem(page, IDC_TITLE_PICTURE);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    DestroyWindow(page);
    DestroyWindow(parent);
}

// The error report collapses to the area above and left of its marker: everything the user sees
// first lies there, the details lie outside.
TEST(DialogTemplates, ErrorReportCollapsesAroundTheMarker)
{
    for (int id : {IDD_ERROR, IDD_ERROR_LARGE}) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                         TrivialProc, 0);
        ASSERT_TRUE(dialog) << id;
        auto rectOf = [&](int control) {
            RECT r = {};
            GetWindowRect(GetDlgItem(dialog, control), &r);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        RECT marker = rectOf(IDC_MARKER);
        for (int above : {IDC_ERROR_HEADING, IDC_ERROR_ICON, IDC_ERROR_TITLE, IDOK, IDCANCEL, IDC_MORE}) {
            RECT r = rectOf(above);
            EXPECT_LE(r.right, marker.right) << id << " control " << above;
            EXPECT_LE(r.bottom, marker.bottom) << id << " control " << above;
        }
        for (int below : {IDC_ERROR_TEXT, IDC_ERROR_INFO}) {
            RECT r = rectOf(below);
            EXPECT_TRUE(r.bottom > marker.bottom || r.right > marker.right) << id << " control " << below;
        }
        DestroyWindow(dialog);
    }
}

UINT_PTR CALLBACK CancelAtOnce(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return message == WM_INITDIALOG;
}

// The common dialog accepts the browse template: it finds every standard control it needs.
TEST(DialogTemplates, BrowseTemplateRunsAsOldStyleFileDialog)
{
    char file[MAX_PATH] = "jet31415.926";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE);
    ofn.lpfnHook = CancelAtOnce;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace

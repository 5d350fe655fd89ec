#pragma once
// Identifiers of the installer's resources: dialog templates, controls, strings, bitmaps, icons.
// Plain #defines, because the resource compiler reads this file too.

// ---- Icon
#define IDI_SETUP 4

// ---- Wizard pages (a page's identity in the sequence is its template number)
#define IDD_TITLE 132
#define IDD_WELCOME 102
#define IDD_LICENSE 128
#define IDD_DESTINATION 104
#define IDD_SETUP_TYPE 125
#define IDD_CUSTOM_OPTIONS 127
#define IDD_NOT_ENOUGH_SPACE 150
#define IDD_PROGRAM_FOLDER 106
#define IDD_START_COPYING 152
#define IDD_COPYING 108
#define IDD_COMPLETE 115
#define IDD_RESTART 138
#define IDD_NOT_INSTALLED 116
#define IDD_UNSETUP_START 1545
#define IDD_READING_INFO 114
#define IDD_UNSETUP_PROGRESS 1546
#define IDD_REMOVED 1547
#define IDD_NOT_UNINSTALLED 179

// ---- Other dialogs
#define IDD_ERROR 1544
#define IDD_ERROR_LARGE 124
#define IDD_BROWSE 1536
#define IDD_DRIVE_SPACE 151
#define IDD_INSERT_DISKETTE 113
#define IDD_STACKER_SETTINGS 143
#define IDD_BILLBOARD 174
#define IDD_FILE_TYPES 117
// Templates that are part of the resources but that no page of the sequence shows.
#define IDD_USER_INFO 126
#define IDD_SUBSYSTEMS 129
#define IDD_FILE_SHARING 136
#define IDD_OLD_WIN32S 137
#define IDD_COMPUSERVE 172

// ---- Controls (the numbers are fixed: tests and other programs find controls by them)
#define IDC_NEXT 1                    // IDOK: Next, Finish, Continue, OK
#define IDC_CANCEL 2                  // IDCANCEL
#define IDC_BROWSE 4
#define IDC_MARKER 123                // error dialog: bounds the collapsed size
#define IDC_MORE 119                  // error dialog: "&More>>"
#define IDC_ERROR_TITLE 140
#define IDC_ERROR_HEADING 141
#define IDC_ERROR_ICON 142
#define IDC_ERROR_INFO 144
#define IDC_SYSTEM_INFO 150           // larger error dialog only
#define IDC_ERROR_TEXT 152
#define IDC_HELP_BUTTON 998
#define IDC_DIRECTORY 1001            // destination directory edit (pages 104, 127; browse result)
#define IDC_NEW_SUBDIRECTORY 1003     // browse dialog
#define IDC_FOLDER_NAME 1006          // program folder edit
#define IDC_FOLDER_LIST 1007          // existing program folders
#define IDC_SOURCE_FILE 1008          // copying: current source; unsetup: status label
#define IDC_DESTINATION_FILE 1009     // copying: target and percentage
#define IDC_GAUGE 1010                // frame replaced by the progress gauge
#define IDC_LICENSE_TEXT 1016
#define IDC_DRIVE_COMBO 1017
#define IDC_OPTION_LIST 1018          // custom options check list
#define IDC_MINIMAL 1019
#define IDC_TYPICAL 1020
#define IDC_CUSTOM 1021
#define IDC_DISKETTE_TEXT 1026
#define IDC_BACK 1027
#define IDC_STATUS_TEXT 1031          // unsetup: status text
#define IDC_DESCRIPTION 1032          // custom options: description; setup type: Typical space
#define IDC_TYPICAL_SPACE 1032
#define IDC_CUSTOM_SPACE 1033
#define IDC_MINIMAL_SPACE 1034
#define IDC_PICTURE 1035              // picture button, caption "WIZBIT"
#define IDC_COPY_DELAY 1036
#define IDC_CHANGE_PATH 1037
#define IDC_CHANGE_OPTION 1038
#define IDC_DRIVE_SPACE 1041
#define IDC_SPACE_REQUIRED 1043
#define IDC_SPACE_AVAILABLE 1044
#define IDC_SUMMARY 1045
#define IDC_BILLBOARD_TEXT 1047
#define IDC_TITLE_PICTURE 1049
#define IDC_BILLBOARD_PICTURE 1050
#define IDC_REMOVED_AT_RESTART 1051  // removed page: what the next start of Windows completes
// Controls of the templates that no page of the sequence shows.
#define IDC_USER_NAME 1011
#define IDC_COMPANY_NAME 1012
#define IDC_INSTALL_COMPUSERVE 1022
#define IDC_FILE_TYPE_LIST 1023
#define IDC_DESELECT_ALL 1024

// ---- Bitmaps with numbers (named bitmaps: "WIZBITU", "MINIMUMU"/"MINIMUMD", "TYPICALU"/"TYPICALD",
//      "CUSTOMU"/"CUSTOMD")
#define IDB_TITLE 173
#define IDB_BILLBOARD_0 145
#define IDB_BILLBOARD_1 146
#define IDB_BILLBOARD_2 147
#define IDB_BILLBOARD_3 153
#define IDB_BILLBOARD_4 163
#define IDB_BILLBOARD_5 176

// ---- Strings
#define IDS_DISKETTE_PROMPT_UNUSED 3  // "Please insert the diskette labelled '%s' in drive %s."
#define IDS_TITLE 4                   // "Kalmora 4.0 Setup"
#define IDS_REALLY_CANCEL 5
#define IDS_DEFAULT_FOLDER 6          // "Orvane"
#define IDS_WRITE_PROTECTED 7
#define IDS_SETUP_CANNOT_CONTINUE 9
#define IDS_PROFILE_TITLE 10          // "Incomplete or missing profile."
#define IDS_DISKETTE_LABEL 11         // "Diskette %d"
#define IDS_PROFILE_TEXT 13
#define IDS_CONTINUE_OPERATION 14
#define IDS_CANCEL_OPERATION 15
#define IDS_CANNOT_INSTALL_FROM 17    // "Cannot install files from '%s':"
#define IDS_SPACE_REQUIRED 25         // "Space Required:"
#define IDS_FLOPPY_REFUSED 26
#define IDS_SPACE_AVAILABLE 27        // "Space Available:"
#define IDS_SCHEDULER_NAME 28         // "Kalmora Scheduler"
#define IDS_STARTUP_GROUP 29          // "Startup"
#define IDS_BILLBOARD_0 31
#define IDS_BILLBOARD_1 32
#define IDS_BILLBOARD_2 33
#define IDS_BILLBOARD_3 34
#define IDS_BILLBOARD_4 35
#define IDS_BILLBOARD_5 36
#define IDS_UNINSTALL_ITEM 37         // "Uninstall Kalmora 4.0"
#define IDS_MINIMAL 38
#define IDS_TYPICAL 39
#define IDS_CUSTOM 40
#define IDS_DELETE_SHARED_DLL 41
#define IDS_REBOOT_PRIVILEGE 42
#define IDS_INVALID_CHARACTER 44
#define IDS_NOTHING_SELECTED 45
#define IDS_INVALID_COLON 46
#define IDS_DRIVE_REQUIRED 47
#define IDS_REMOVING_FILE 48          // "Removing File:"
#define IDS_REMOVING 49               // "Removing:"
#define IDS_UNREGISTERING 50          // "Unregistering:"
#define IDS_PROGRAM_ICONS 51
#define IDS_REGISTRY_ENTRIES 52
#define IDS_SELF_REGISTERING_DLLS 53
#define IDS_SHARED_DLLS 54
#define IDS_PROGRAM_DIRECTORIES 55
#define IDS_REALLY_CANCEL_UNSETUP 56
#define IDS_REMOVED_AT_RESTART 57
#define IDS_RUN_REPORT_FAILED 58  // "The record of this run cannot be written to %s ..."

// Error texts of the exception family: 24576..24611 (framework errors), 27648..27657 (archives).
#define IDS_ERROR_GENERIC_TITLE 24576
#define IDS_ERROR_GENERIC_TEXT 24577
#define IDS_ARCHIVE_ERROR_FIRST 27648
#define IDS_ERROR_MEMORY_TITLE 24578
#define IDS_ERROR_MEMORY_TEXT 24579
#define IDS_ERROR_FILE_TITLE 24580
#define IDS_ERROR_FILE_TEXT 24581
#define IDS_ERROR_ARCHIVE_TITLE 24582
#define IDS_ERROR_ARCHIVE_TEXT 24583
#define IDS_ERROR_RESOURCE_TITLE 24584
#define IDS_ERROR_RESOURCE_TEXT 24585
#define IDS_ERROR_USER_TITLE 24586
#define IDS_ERROR_USER_TEXT 24587
#define IDS_ERROR_NOT_SUPPORTED_TITLE 24588
#define IDS_ERROR_NOT_SUPPORTED_TEXT 24589
#define IDS_ERROR_FILE_NOT_FOUND_TITLE 24590
#define IDS_ERROR_FILE_NOT_FOUND_TEXT 24591
#define IDS_ERROR_BAD_PATH_TITLE 24592
#define IDS_ERROR_BAD_PATH_TEXT 24593
#define IDS_ERROR_TOO_MANY_FILES_TITLE 24594
#define IDS_ERROR_TOO_MANY_FILES_TEXT 24595
#define IDS_ERROR_ACCESS_DENIED_TITLE 24596
#define IDS_ERROR_ACCESS_DENIED_TEXT 24597
#define IDS_ERROR_INVALID_FILE_TITLE 24598          // text: IDS_ERROR_FILE_TEXT
#define IDS_ERROR_REMOVE_CURRENT_DIR_TITLE 24599    // text: IDS_ERROR_FILE_TEXT
#define IDS_ERROR_DIRECTORY_FULL_TITLE 24600
#define IDS_ERROR_DIRECTORY_FULL_TEXT 24601
#define IDS_ERROR_BAD_SEEK_TITLE 24602              // text: IDS_ERROR_FILE_TEXT
#define IDS_ERROR_HARDWARE_TITLE 24603
#define IDS_ERROR_HARDWARE_TEXT 24604
#define IDS_ERROR_SHARING_TITLE 24605
#define IDS_ERROR_SHARING_TEXT 24606
#define IDS_ERROR_LOCKING_TITLE 24607
#define IDS_ERROR_LOCKING_TEXT 24608
#define IDS_ERROR_DISK_FULL_TITLE 24609
#define IDS_ERROR_DISK_FULL_TEXT 24610
#define IDS_ERROR_END_OF_FILE_TITLE 24611           // text: IDS_ERROR_FILE_TEXT
#define IDS_ARCHIVE_UNKNOWN_METHOD_TITLE 27648       // archive error code 1
#define IDS_ARCHIVE_UNKNOWN_METHOD_TEXT 27649
#define IDS_ARCHIVE_NOT_ARCHIVE_TITLE 27650          // code 2
#define IDS_ARCHIVE_NOT_ARCHIVE_TEXT 27651
#define IDS_ARCHIVE_NO_ENTRY_HEADER_TITLE 27652      // code 3
#define IDS_ARCHIVE_NO_ENTRY_HEADER_TEXT 27653
#define IDS_ARCHIVE_CORRUPT_TABLE_TITLE 27654        // code 4
#define IDS_ARCHIVE_CORRUPT_TABLE_TEXT 27655
#define IDS_ARCHIVE_CRC_TITLE 27656                  // code 5
#define IDS_ARCHIVE_CRC_TEXT 27657

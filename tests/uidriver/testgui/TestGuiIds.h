#pragma once
// Ids of the test program's pages and controls (shared by its code and its resource script).
#define PAGE_FORM 201
#define PAGE_SUMMARY 202
#define PAGE_DONE 203
#define PAGE_CANCELLED 209

#define IDC_BACK 1027
#define IDC_PATH 1001
#define IDC_CHOICES 1010
#define IDC_SIZES 1011
#define IDC_AGREE 1012
#define IDC_LOCKED 1013
#define IDC_SELECTION 1020
#define IDC_SUMMARY 1021
#define IDC_NOTE 1022

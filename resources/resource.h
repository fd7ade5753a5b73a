// Resource numbers, read by both the program and the resource script.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About box
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101 // the system-menu item that opens it
#define IDM_ABOUTBOX 0x0010 // its command; IDs 16 to 31 all open it

// Main window
#define IDD_MAIN 102
#define IDC_ADD 1000
#define IDC_EDIT 1001
#define IDC_DELETE 1002
#define IDC_ENTRY_LIST 1003
#define IDC_ABOUT 1012
#define IDC_LOCATION_LIST 1013
#define IDC_TABS 1014
#define IDC_NT_ONLY 1015

// Entry dialogs
#define IDD_PROMPT 129
#define IDD_SHORTCUT 130
#define IDD_NAME_EXEC 131
#define IDC_PROMPT 1004
#define IDC_VALUE 1005
#define IDC_EXECUTABLE 1006
#define IDC_NAME 1007
#define IDC_PARAMETERS 1008

// Icon and tab images
#define IDR_MAINFRAME 128
#define IDB_INI_FILES 131
#define IDB_REGISTRY 132
#define IDB_SHORTCUTS 133

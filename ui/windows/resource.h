// The resources' numbers: the form, the About box, the help, the menu and the icon as the
// calculator has always had them, then the windows and commands added since. Read by the
// resource compiler and by the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QUORBIT1_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_MENU1 132
#define IDD_DIALOG2 134
#define IDD_VARIABLES 135
#define IDD_WORKING 136
#define IDR_ACCELERATORS 137

// The form's fields and the angle unit's radio buttons.
#define IDC_EDIT1 1000
#define IDC_EDIT2 1001
#define IDC_EDIT3 1002
#define IDC_RADIO1 1003
#define IDC_RADIO2 1004
#define IDC_ANGLE_GROUP 1005
#define IDC_VERSION 1010
#define IDC_VAR_FIRST 1020  // one field per variable slot, in the slots' order
#define IDC_VAR_MESSAGE 1030
#define IDC_WORKING_TEXT 1040

// The menu bar's commands, and the form's menu of the right mouse button.
#define ID_ABOUT 32771
#define ID_LITTLE_HELP 32772
#define ID_SHOW_WORKING 32773
#define ID_VARIABLES 32774
#define ID_CLEAR_HISTORY 32775
#define ID_SYS_ABOUT 32776

// The system menu's own entries: multiples of 16, below the system's.
#define IDM_ABOUTBOX 0x0010
#define IDM_CLEARHISTORY 0x0020

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

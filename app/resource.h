// Resource and command numbers of Varnel.exe, shared by the resource script and the code. The
// numbers of commands are also the numbers of their prompts in the string table.
#pragma once

// Menus, accelerators, icons, toolbars and dialogs.
#define IDR_MAINFRAME           128
#define IDR_VARNELTYPE          129
#define IDR_MAIN_MENU_BASE      11040 /* + language */
#define IDR_FILE_TOOLBAR        1002
#define IDR_PERIOD_TOOLBAR      1003
#define IDR_CONFIG_ACCELERATORS 907
#define IDD_ABOUTBOX            100
#define IDD_CONFIG_GENERAL      906
#define IDI_DEFAULTS            11110

// Controls.
#define IDC_ABOUT_VERSION        1010
#define IDC_ABOUT_ADDRESS        1011
#define IDC_ABOUT_ICON           1012
#define IDC_CONFIG_DESCRIPTION   1020
#define IDC_CONFIG_REFRESH_LABEL 1021
#define IDC_CONFIG_REFRESH_RATE  1022
#define IDC_CONFIG_MILLISECONDS  1023
#define IDC_CONFIG_DEFAULTS      1024
#define IDC_CONFIG_RECONNECT     1025

// Status bar panes.
#define ID_INDICATOR_1003  1003
#define ID_INDICATOR_CLOCK 1002

#include "strings/command_ids.h"
#include "dialogs/dialog_ids.h"

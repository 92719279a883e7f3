// Resource ids of the editor: menu, dialogs, icon, menu commands and dialog controls.
// The numbers are fixed: the test driver and the dialogs find controls by them.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Menu, dialogs, icon.
#define IDM_MAIN_MENU 101
#define IDD_ADD_ITEM 105
#define IDD_SELECT_ITEM 106
#define IDI_VANTOREL 107

// Menu commands. Popup positions in the main menu: File 0, Edit 1, View 2, Tools 3,
// Mode 4, Help 5.
#define IDM_EXIT 40003
#define IDM_SAVE_IMAGE 40004
#define IDM_ABOUT 40013
#define IDM_VIEW_TOP 40020
#define IDM_VIEW_BOTTOM 40021
#define IDM_ADD_ITEM 40023
#define IDM_SELECT_ITEM 40025
#define IDM_CANCEL_ITEM 40028
#define IDM_DELETE_ITEM 40029
#define IDM_LOAD_SCREEN_SETTINGS 40030
#define IDM_MODE_SMALL_MAP 40034
#define IDM_MODE_LARGE_MAP 40035
#define IDM_MODE_TARGET_BOX 40036
#define IDM_HELP 40037
#define IDM_SAVE_SHP 40038
#define IDM_COPY_TO_CLIPBOARD 40041
#define IDM_SCREENSHOT_SETTINGS 40043
#define IDM_STATUS_BAR 40045

// Dialog controls.
#define IDC_ITEM_LIST 1008
#define IDC_SIDE_COLOUR_BLUE 1010
#define IDC_SIDE_COLOUR_RED 1011
#define IDC_SIDE_COLOUR_PURPURE 1012
#define IDC_SYMBOL_PREVIEW 1015

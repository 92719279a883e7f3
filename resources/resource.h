// Resource ids of the editor: menu, dialogs, icon, menu commands and dialog controls.
// The numbers are fixed: the test driver and the dialogs find controls by them.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Menu, shortcuts, dialogs, icon.
#define IDM_MAIN_MENU 101
#define IDA_SHORTCUTS 101
#define IDD_ABOUT 103
#define IDD_LOAD_SCREEN_SETTINGS 104
#define IDD_ADD_ITEM 105
#define IDD_SELECT_ITEM 106
#define IDI_VANTOREL 107
#define IDD_SHP_SAVE 107
#define IDD_IMAGE_PREVIEW 108
#define IDD_CROP 109
#define IDD_COLOURIZE 112

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
#define IDM_OPEN_SCENE 40050
#define IDM_SAVE_SCENE 40051
#define IDM_SAVE_SCENE_AS 40052
#define IDM_UNDO 40053
#define IDM_REDO 40054
// Switches the interface to the other language; names that language.
#define IDM_LANGUAGE 40060
#define IDM_ALIGN_LARGE_MAP 40061
#define IDM_PASTE_SCREENSHOT 40063
// View zoom and File -> New.
#define IDM_ZOOM_IN 40064
#define IDM_ZOOM_OUT 40065
#define IDM_ACTUAL_SIZE 40066
#define IDM_NEW_SCENE 40067
// The recent scene files in the File popup, newest first; added by the program.
#define IDM_RECENT_FILE_FIRST 40070
#define IDM_RECENT_FILE_LAST 40077
#define IDM_PREVIEW_AS_EXPORTED 40062
// View -> Fit to window: the largest zoom that shows the whole picture.
#define IDM_FIT_TO_WINDOW 40080
// The export preview's 640 x 400 picture, and its pixels on palette entry 0 marked.
#define IDM_MARK_INDEX0 40081
#define IDM_PREVIEW_640 40082

// Dialog controls. The dialogs reuse numbers, so each dialog has its own names.

// Add-item dialog (105) and select-item dialog (106).
#define IDC_ITEM_LIST 1008
#define IDC_SIDE_COLOUR_BLUE 1010
#define IDC_SIDE_COLOUR_RED 1011
#define IDC_SIDE_COLOUR_PURPURE 1012
#define IDC_SYMBOL_PREVIEW 1015

// About dialog (103).
#define IDC_ABOUT_README 1001
#define IDC_ABOUT_TITLE 1002
#define IDC_ABOUT_LINK 1003

// Load screen settings dialog (104).
#define IDC_SCREENSHOT_NAME 1001
#define IDC_CAMEO_1 1004
#define IDC_CAMEO_2 1005
#define IDC_CAMEO_3 1006
#define IDC_SCREENSHOT_BROWSE 1007
#define IDC_CAMEO_COUNT_2 1010
#define IDC_CAMEO_COUNT_3 1011
#define IDC_SIDE_ALLIED 1012
#define IDC_SIDE_SOVIET 1013
#define IDC_SIDE_YURI 1014

// SHP save dialog (107).
#define IDC_PALETTE_NAME 1001
#define IDC_PALETTE_BROWSE 1007
#define IDC_PALETTE_NEW 1010
#define IDC_PALETTE_EXISTING 1011
#define IDC_PALETTE_NONE 1012
#define IDC_EXPORT_PROGRESS 1017
#define IDC_COLOUR_COUNT 1018
// Two controls of our own below the colour count: how a new palette is built, dithering.
#define IDC_QUANTIZER 1040
#define IDC_DITHER 1041
// Keeps pixels off palette entry 0, which the games draw transparent.
#define IDC_KEEP_INDEX0 1042
// Also put the export into a MIX archive: the check box, the archive's name, browse.
#define IDC_MIX_PACK 1043
#define IDC_MIX_NAME 1044
#define IDC_MIX_BROWSE 1045
// Why OK is disabled, in a line under the palette name.
#define IDC_PALETTE_PROBLEM 1046
// With the MIX: the scenario's map file name and the mission file whose keys name the members.
#define IDC_MISSION_MAP_LABEL 1047
#define IDC_MISSION_MAP 1048
#define IDC_MISSION_FILE_LABEL 1049
#define IDC_MISSION_FILE 1050
#define IDC_MISSION_BROWSE 1051

// Image open dialog's preview pane (template 108).
#define IDC_PREVIEW_PLACEHOLDER 1119
#define IDC_PREVIEW_BLANK 1022
#define IDC_PREVIEW_LABEL 1023
#define IDC_PREVIEW_FRAME 1021
#define IDC_PREVIEW_PANE 1003

// Crop dialog (109).
#define IDC_CROP_FILE_NAME 1001
#define IDC_CROP_PREVIEW 1015
#define IDC_CROP_HEIGHT 1023
#define IDC_CROP_WIDTH 1024
#define IDC_CROP_Y 1025
#define IDC_CROP_X_UPDOWN 1026
#define IDC_CROP_Y_UPDOWN 1027
#define IDC_CROP_X 1018
#define IDC_CROP_GROUP 1030
#define IDC_CROP_SCALE 1031
#define IDC_CROP_SCALE_UPDOWN 1032
#define IDC_CROP_SCALE_LABEL 1033
// The labels of the file name, the position fields and the size fields.
#define IDC_CROP_FILE_LABEL 1034
#define IDC_CROP_X_LABEL 1035
#define IDC_CROP_Y_LABEL 1036
#define IDC_CROP_WIDTH_LABEL 1037
#define IDC_CROP_HEIGHT_LABEL 1038

// Colourize dialog (112).
#define IDC_COLOURIZE_PREVIEW 1015
#define IDC_COLOURIZE_RED 1023
#define IDC_COLOURIZE_GREEN 1024
#define IDC_COLOURIZE_BLUE 1025
#define IDC_COLOURIZE_GREY 1026
#define IDC_COLOURIZE_INTENSITY 1027
// The value of each slider beside it.
#define IDC_COLOURIZE_RED_VALUE 1028
#define IDC_COLOURIZE_GREEN_VALUE 1029
#define IDC_COLOURIZE_BLUE_VALUE 1030
#define IDC_COLOURIZE_INTENSITY_VALUE 1031

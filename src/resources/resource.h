// Resource and command ids. The numbers are fixed: menus, templates and the code share them.
#pragma once

// Icons, bitmaps, cursors
#define IDI_TAPPLING                 128
#define IDB_MARKER                   134
#define IDC_MARKER_DRAG              145

// Dialog templates
#define IDD_ABOUT                    100
#define IDD_MAIN                     102
#define IDD_MARKER                   132

// Menus
#define IDM_LIST_CONTEXT             130
#define IDM_MAIN_MENU                131

// Main window controls (template 102)
#define IDC_ACTION_LIST              1001
#define IDC_ADD_AT_END               1002
#define IDC_DELETE                   1003
#define IDC_RUN                      1004
#define IDC_EDIT                     1005
#define IDC_INSERT_BEFORE            1006
#define IDC_RESUME                   1007
#define IDC_LOOP_MAX                 1015
#define IDC_LOOP                     1016
#define IDC_LOOP_COUNT               1023
#define IDC_AUTO_RECORD              1033

// Version dialog controls (template 100)
#define IDC_ABOUT_MAIL               1000
#define IDC_ABOUT_WEB                1001
#define IDC_ABOUT_VERSION_TEXT       1032

// System menu item appended to the main window's system menu
#define IDM_SYS_ABOUT                16

// Menu commands (menus 130 and 131)
#define ID_EDIT_COPY_ACTIONS         32773
#define ID_EDIT_EDIT                 32775
#define ID_EDIT_ADD_AT_END           32776
#define ID_EDIT_DELETE               32777
#define ID_FILE_OPEN                 32779
#define ID_FILE_SAVE_AS              32780
#define ID_FILE_SAVE                 32781
#define ID_FILE_NEW                  32782
#define ID_HELP_HELP                 32783
#define ID_HELP_VERSION              32784
#define ID_EDIT_PASTE_BEFORE         32785
#define ID_EDIT_AUTO_RECORD          32786
#define ID_FILE_EXIT                 32787
#define ID_EDIT_PASTE_AFTER          32788
#define ID_EDIT_RUN                  32789
#define ID_EDIT_PRE_WAIT_PLUS        32790
#define ID_EDIT_POST_WAIT_PLUS       32792
#define ID_EDIT_POST_WAIT_MINUS      32793
#define ID_EDIT_PRE_WAIT_MINUS       32794
#define ID_EDIT_BULK_TEXT            32795
#define ID_FILE_SHORTCUT_NORMAL      32796
#define ID_FILE_SHORTCUT_AUTO        32798
#define ID_EDIT_RUN_RANDOM           32800
#define ID_FILE_SHORTCUT_RANDOM      32802
#define ID_EDIT_INSERT_BEFORE        32804
#define ID_FILE_IMPORT               32805
#define ID_EDIT_RESUME               32806
#define ID_EDIT_RESUME_RANDOM        32807
#define ID_EDIT_SPEED_QUARTER        32850
#define ID_EDIT_SPEED_HALF           32851
#define ID_EDIT_SPEED_NORMAL         32852
#define ID_EDIT_SPEED_DOUBLE         32853
#define ID_EDIT_SPEED_QUADRUPLE      32854
#define ID_EDIT_RUN_FROM_ROW         32855
#define ID_EDIT_STOP_ON_INPUT        32856

// Action editing dialog templates
#define IDD_BULK_TEXT_EDIT           105
#define IDD_ACTION_EDITOR            129
#define IDD_DETAIL_SETTINGS          144

// Action editor controls (template 129)
#define IDC_EDITOR_PRE_WAIT_DOWN     1001
#define IDC_EDITOR_POST_WAIT_UP      1002
#define IDC_EDITOR_POST_WAIT_DOWN    1003
#define IDC_EDITOR_REPEAT_UP         1004
#define IDC_EDITOR_REPEAT_DOWN       1005
#define IDC_EDITOR_Y                 1008
#define IDC_EDITOR_PRE_WAIT          1009
#define IDC_EDITOR_TYPE              1010
#define IDC_EDITOR_X                 1011
#define IDC_EDITOR_ROW_NUMBER        1012
#define IDC_EDITOR_POST_WAIT         1013
#define IDC_EDITOR_REPEAT            1014
#define IDC_EDITOR_FIRST_LOOP_ONLY   1015
#define IDC_EDITOR_Y_MINUS           1018
#define IDC_EDITOR_INPUT_TEXT        1019
#define IDC_EDITOR_COMMENT           1020
#define IDC_EDITOR_NEWLINE           1021
#define IDC_EDITOR_FILE_PATH         1022
#define IDC_EDITOR_MAXIMIZED         1023
#define IDC_EDITOR_INVERT            1024
#define IDC_EDITOR_Y_PLUS            1025
#define IDC_EDITOR_PRE_WAIT_UP       1036
#define IDC_EDITOR_BROWSE            1037
#define IDC_EDITOR_CHOOSE_COLOUR     1040
#define IDC_EDITOR_TAKE_COLOUR       1041
#define IDC_EDITOR_SWATCH            1042
#define IDC_EDITOR_DETAIL            1043
#define IDC_EDITOR_X_MINUS           1044
#define IDC_EDITOR_X_PLUS            1045
#define IDC_EDITOR_COLOUR_LABEL      1046
#define IDC_EDITOR_OFFSET_ENABLED    1058
#define IDC_EDITOR_OFFSET_REF        1060

// Detail settings controls (template 144)
#define IDC_DETAIL_RANGE_X           1023
#define IDC_DETAIL_RANGE_Y           1024
#define IDC_DETAIL_TRUE_JUMP         1025
#define IDC_DETAIL_FALSE_JUMP        1026

// Bulk text edit controls (template 105)
#define IDC_BULK_NUMBERS             1012
#define IDC_BULK_TEXT                1023

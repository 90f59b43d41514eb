// Resource identifiers shared by the C++ sources and TavlornExplorer.rc.
// Plain #define lines only: windres reads this file too.
#ifndef TAVLORN_RESOURCE_H
#define TAVLORN_RESOURCE_H

// Menu and toolbar commands (WM_COMMAND identifiers)
#define IDM_GO_HOME             1001
#define IDM_GO_UP               1002
#define IDM_RELOAD              1003
#define IDM_FILE_OPEN           1100
#define IDM_FILE_EDIT           1101
#define IDM_FILE_EXIT           1102
#define IDM_SETTING_COMMON      1300
#define IDM_SETTING_LAUNCHER    1301
#define IDM_HELP_USAGE          1400
#define IDM_HELP_VERSION        1401
// Launcher entry i (0 to 9) is command IDM_OPEN_WITH_FIRST + i.
#define IDM_OPEN_WITH_FIRST     1500
#define IDM_OPEN_WITH_LAST      1509
#define IDM_LAUNCHER_COUNT      10

// Texts shown in more than one place
#define TE_TEXT_FOLDER          "フォルダ"
#define TE_TEXT_FILE            "ファイル"
#define TE_TEXT_UNREGISTERED    "(未登録)"
#define TE_TEXT_BROWSE          "参照"

// Controls of the main window
#define IDC_TOOLBAR             101
#define IDC_PATH                110
#define IDC_BROWSE              120
#define IDC_FILE_LIST           130

// Controls of the dialogs; -1 marks labels nobody addresses
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
#define IDC_VERSION_ICON        0
#define IDC_HOME                110
#define IDC_HOME_BROWSE         120
#define IDC_DISP_SYSTEM_FILE    140
#define IDC_DISP_HIDDEN_FILE    141
// Launcher rows r = 0..3: name 110 + 2r, path 111 + 2r, browse 120 + r, group 150 + r.
#define IDC_LAUNCH_NAME1        110
#define IDC_LAUNCH_PATH1        111
#define IDC_LAUNCH_NAME2        112
#define IDC_LAUNCH_PATH2        113
#define IDC_LAUNCH_NAME3        114
#define IDC_LAUNCH_PATH3        115
#define IDC_LAUNCH_NAME4        116
#define IDC_LAUNCH_PATH4        117
#define IDC_LAUNCH_BROWSE1      120
#define IDC_LAUNCH_BROWSE2      121
#define IDC_LAUNCH_BROWSE3      122
#define IDC_LAUNCH_BROWSE4      123
#define IDC_LAUNCH_GROUP1       150
#define IDC_LAUNCH_GROUP2       151
#define IDC_LAUNCH_GROUP3       152
#define IDC_LAUNCH_GROUP4       153
#define IDC_LAUNCH_SCROLL       160

// Dialog templates
#define IDD_VERSION             10
#define IDD_COMMON_SETTING      11
#define IDD_LAUNCH_SETTING      12

// Bitmaps: the toolbar's three 20 x 20 images (home, up, reload)
#define IDB_TOOLBAR             100
#define TOOLBAR_IMAGE_SIZE      20
#define TOOLBAR_IMAGE_COUNT     3

// Icons
#define IDI_APP                 50

// The context menu is a named resource; the name is kept out of the .rc's
// preprocessor so the resource statement keeps its literal name.
#ifndef RC_INVOKED
#define TE_MENU_NAME            "TE_MENU"
#endif

#endif

// Resource identifiers of the program (dialogs, controls, strings, icon, custom resources).
// Plain #defines only: the resource compiler and the pure help tables include it too.
#pragma once

#define IDI_VORLUX              100
#define IDR_ABOUTTEXT           112

// The saver's name in the system's screen saver list, which shows the file name without it.
#define IDS_SAVER_NAME          1
#define IDS_CLASSNAME           101
#define IDS_WINDOWTITLE         102
#define IDS_KEYPATH             103
#define IDS_PRESET0             105
#define IDS_PRESET1             106
#define IDS_PRESET2             107
#define IDS_PRESET3             108
#define IDS_PRESET4             109
#define IDS_PRESET5             110
#define IDS_DESCRIPTION         1007
#define IDS_CONFIG_CAPTION      2101  // "Vorluxの設定", the caption of the save-failure messages
#define IDS_SHEET_CAPTION       2102  // "詳　細"
#define IDS_SAVE_FAILED         2103  // the first line of the save-failure messages
#define IDS_TIME_CHOICE0        2104  // 2104..2106: the time's three choices, in the order of their values

// The configuration dialog.
#define IDD_CONFIG              2003
#define IDC_TEXT_COMBO          1000
#define IDC_DETAILS             1001
#define IDC_TEXT_LABEL          1077
#define IDC_CONFIG_OK           1078
#define IDC_HELP_BUTTON         1079
#define IDC_TIME_LABEL          1086
#define IDC_TIME_DISPLAY        1087

// The away chooser (/w): the six words, the time as the configuration dialog has it, the lock, and
// OK and Cancel (IDOK, IDCANCEL).
#define IDD_AWAY                2009
#define IDC_AWAY_LABEL          1088
#define IDC_AWAY_WORDS          1089
#define IDC_LOCK_ON_RETURN      1090

// The property sheet's pages, in sheet order.
#define IDD_SHAPE_PAGE          106
#define IDD_LIGHT_PAGE          107
#define IDD_MATERIAL_PAGE       2005
#define IDD_OPTIONS_PAGE        2007
#define IDD_MOTION_PAGE         2008
#define IDD_ABOUT_PAGE          2006

// Shape page.
#define IDC_DEVIATION           1002
#define IDC_EXTRUSION           1003
#define IDC_FORMAT_LINES        1004
#define IDC_FORMAT_POLYGONS     1005
#define IDC_FONT                1006
#define IDC_SCALE               1007
#define IDC_SCALE_LABEL         1008
#define IDC_DEVIATION_LABEL     1009
#define IDC_EXTRUSION_LABEL     1010
#define IDC_FORMAT_GROUP        1066

// Light and material pages: the first of a row's four edits (red, green, blue, alpha or x, y,
// z, w follow it), and each row's label.
#define IDC_LIGHT_AMBIENT       1023
#define IDC_LIGHT_DIFFUSE       1027
#define IDC_LIGHT_SPECULAR      1031
#define IDC_LMODEL_AMBIENT      1035
#define IDC_LIGHT_POSITION      1039
#define IDC_LIGHT_AMBIENT_LABEL   1067
#define IDC_LIGHT_DIFFUSE_LABEL   1068
#define IDC_LIGHT_SPECULAR_LABEL  1069
#define IDC_LMODEL_AMBIENT_LABEL  1070
#define IDC_LIGHT_POSITION_LABEL  1071
#define IDC_MAT_AMBIENT         2011
#define IDC_MAT_DIFFUSE         2015
#define IDC_MAT_SPECULAR        2019
#define IDC_MAT_EMISSION        2023
#define IDC_SHININESS           2027
#define IDC_MAT_AMBIENT_LABEL   1072
#define IDC_MAT_DIFFUSE_LABEL   1073
#define IDC_MAT_SPECULAR_LABEL  1074
#define IDC_MAT_EMISSION_LABEL  1075
#define IDC_SHININESS_LABEL     1076

// Options page: check box IDC_FIRST_SWITCH + i shows row i of the GL switch table.
#define IDC_FIRST_SWITCH        1054
#define IDC_SWITCH_COUNT        10

// Motion page: the speed (steps per second) and how the text moves.
#define IDC_SPEED               1080
#define IDC_SPEED_LABEL         1081
#define IDC_SPEED_UNIT          1082
#define IDC_MOTION_GROUP        1083
#define IDC_MOTION_TUMBLE       1084
#define IDC_MOTION_FACE         1085

// About page.
#define IDC_ABOUT_ICON          5
#define IDC_PRODUCT_NAME        1045
#define IDC_FILE_VERSION        1046
#define IDC_COPYRIGHT           1047
#define IDC_ABOUT_TEXT          1065

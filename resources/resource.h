// Resource identifiers of the program (dialogs, controls, strings, icon, custom resources).
#pragma once

#define IDI_VORLUX              100
#define IDR_ABOUTTEXT           112

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

#define IDD_CONFIG              2003
#define IDC_CONFIG_OK           1078
#define IDC_CONFIG_NOTE         1077

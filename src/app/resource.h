// The identifiers of Dralmoft's resources (dralmoft.rc). Plain #defines: the resource
// compiler reads this file too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_LEDGEREXPORT_DIALOG 102
#define IDS_SUPPLIER 103
#define IDS_ACCOUNT 104
#define IDS_TAX_ID 105
#define IDS_CLIENT 106
#define IDS_DESCRIPTION 108
#define IDS_CODE 109
#define IDR_MAINFRAME 128
#define IDR_LIST_MENU 130
#define IDD_ACCOUNT 131

#define IDC_FILE_PATH 1000
#define IDC_BROWSE 1001
#define IDC_DATE_FROM 1002
#define IDC_DATE_TO 1003
#define IDC_SEARCH 1004
#define IDC_LIST 1005
#define IDC_ACCOUNT_NAME 1006
#define IDC_ACCOUNT_TAX_ID 1007
#define IDC_ACCOUNT_EDIT 1008
#define IDC_EXPORT 1009
#define IDC_FIXED_LENGTH 1011
#define IDC_SEPARATOR_LAYOUT 1012
#define IDC_SEPARATOR 1013
#define IDC_CODE_PAGE 1014
#define IDC_PROGRESS 1016
#define IDC_CLIENTS 1017
#define IDC_SUPPLIERS 1018
#define IDC_ITEMS 1019
#define IDC_VAT_RATES 1020

#define ID_EDIT_ACCOUNT 32771
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The program's messages (Greek, with %1, %2, ... for the parts filled in).
#define IDS_MESSAGE_TITLE 200
#define IDS_STARTUP_FAILED 201
#define IDS_ACCOUNT_FILE_UNREADABLE 202
#define IDS_ACCOUNT_FILE_NOT_SAVED 203
#define IDS_LIST_FAILED 204
#define IDS_UNEXPECTED_ERROR 205
#define IDS_EXPORT_FAILED 206
#define IDS_EXPORT_FILE_UNWRITABLE 207
#define IDS_EXPORT_FILE_NOT_SAVED 208
#define IDS_BROWSE_TITLE 209
#define IDS_BROWSE_FILTER 210

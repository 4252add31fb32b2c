// Resource ids of the platform layer's own resources (the common dialogs and
// their icons). They lie from 0xE000 up, apart from every module's ids.
#pragma once

// Dialog templates.
#define IDD_COLOR_DIALOG 0xE001
#define IDD_PRINT_DIALOG 0xE002
#define IDD_FILE_DIALOG 0xE003
#define IDD_FOLDER_BROWSER 0xE004

// Strings.
#define IDS_MY_COMPUTER 0xE010
#define IDS_OPEN_TITLE 0xE011
#define IDS_SAVE_TITLE 0xE012
#define IDS_OPEN_BUTTON 0xE013
#define IDS_SAVE_BUTTON 0xE014
#define IDS_OVERWRITE_PROMPT 0xE015
#define IDS_FILE_NOT_FOUND 0xE016
#define IDS_PATH_NOT_FOUND 0xE017
#define IDS_INVALID_NAME 0xE018
#define IDS_PAGE_RANGE 0xE019
#define IDS_PDF_PRINTER_TYPE 0xE01A
#define IDS_CUPS_PRINTER_TYPE 0xE01B
#define IDS_DRIVE_NAME 0xE01C
#define IDS_COPIES_RANGE 0xE01D
#define IDS_PAGE_UNAVAILABLE 0xE01E

// Icons the file dialog shows (the shell's system image list shares them).
#define IDI_PLATFORM_FOLDER 0xE100
#define IDI_PLATFORM_DOCUMENT 0xE101
#define IDI_PLATFORM_DRIVE 0xE102
#define IDI_PLATFORM_COMPUTER 0xE103
#define IDI_PLATFORM_PICTURE 0xE104

// Controls of the colour dialog that have no common name.
#define IDC_COLOR_BASIC_LABEL 0x2D0
#define IDC_COLOR_CUSTOM_LABEL 0x2D1
#define IDC_COLOR_DEFINE 0x2CF
#define IDC_COLOR_SPECTRUM 0x2C6
#define IDC_COLOR_LUMINANCE 0x2BE
#define IDC_COLOR_HUE 0x2BF
#define IDC_COLOR_SAT 0x2C0
#define IDC_COLOR_LUM 0x2C1
#define IDC_COLOR_RED 0x2C2
#define IDC_COLOR_GREEN 0x2C3
#define IDC_COLOR_BLUE 0x2C4
#define IDC_COLOR_PREVIEW 0x2C5
#define IDC_COLOR_ADD 0x2C8
#define IDC_COLOR_SWATCH_FIRST 0x100  // 48 basic swatches, then 16 custom ones

// Controls of the print dialog (the common names where Windows has them).
#define IDC_PRINT_PRINTER 0x473
#define IDC_PRINT_TYPE 0x44F
#define IDC_PRINT_WHERE 0x44E
#define IDC_PRINT_TO_FILE 0x410
#define IDC_PRINT_COLLATE 0x411
#define IDC_PRINT_ALL 0x420
#define IDC_PRINT_SELECTION 0x421
#define IDC_PRINT_PAGES 0x422
#define IDC_PRINT_FROM 0x480
#define IDC_PRINT_TO 0x481
#define IDC_PRINT_COPIES 0x482
#define IDC_PRINT_PAPER 0x471
#define IDC_PRINT_PORTRAIT 0x430
#define IDC_PRINT_LANDSCAPE 0x431

// Controls of the file dialog (the ids hooks and child templates know).
#define IDC_FILE_PLACEHOLDER 0x45F
#define IDC_FILE_LIST 0x460
#define IDC_FILE_TYPES 0x470
#define IDC_FILE_FOLDERS 0x471
#define IDC_FILE_NAME 0x480
#define IDC_FILE_TYPES_LABEL 0x441
#define IDC_FILE_NAME_LABEL 0x442
#define IDC_FILE_FOLDERS_LABEL 0x443
#define IDC_FILE_READONLY 0x410
#define IDC_FILE_UP 0x4A0

// Controls of the folder browser (the ids its callers know).
#define IDC_BROWSE_TREE 0x3741
#define IDC_BROWSE_TITLE 0x3742
#define IDC_BROWSE_STATUS 0x3743
// The TWAIN source manager's source selection and the test source's panel.
#define IDD_TWAIN_SELECT 0xE006
#define IDD_TWAIN_TEST_SOURCE 0xE005
#define IDC_TWAIN_SOURCE_LIST 0x4C0
#define IDC_TWAIN_SCAN 0x4C1

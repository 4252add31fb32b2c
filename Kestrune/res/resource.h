// Resource ids of the print-site chooser.
#pragma once

#define IDS_WDBC_OBJECT 1
#define IDD_SITE_SELECT 102
#define IDD_SITE_INFO 103
#define IDR_MAINFRAME 128
#define IDC_SITE_HAND 128
#define IDR_SITELIST_TOOLBAR 129
#define IDI_SITE_CLOSE 185
#define IDR_SITELIST_MENU 324

#define IDC_SITE_PLACE 1000
#define IDC_SITE_PHONE 1001
#define IDC_SITE_FAX 1002
#define IDC_SITE_HOMEPAGE 1003
#define IDC_SITE_NOTICE 1004
#define IDC_SITE_TAB 1293

#define ID_SITE_HOMEPAGE 32771
#define ID_SITE_ORDER 32773
#define ID_SITE_INFO 32775

// The site view's child id.
#define IDC_SITE_VIEW 0xE900

// Resource ids of the templates subsystem.
#pragma once

// The frame, mask and pattern template pages.
#define IDD_TEMPLATE_MASK 8737
#define IDD_TEMPLATE_PATTERN 8738
#define IDD_TEMPLATE_FRAME 8739

// Controls the three pages share.
#define IDC_TMPL_REFRESH 1091
#define IDC_TMPL_NEW 1090
#define IDC_TMPL_SAVE 1029
#define IDC_TMPL_DELETE 1092
#define IDC_TMPL_EDIT 1093
#define IDC_TMPL_TITLE 1308
#define IDC_TMPL_DATE 1232
#define IDC_TMPL_MEMO 1233

// The frame page: two pictures, their previews and the sample frame.
#define IDC_TMPL_FILE1 1313
#define IDC_TMPL_PATH1 1314
#define IDC_TMPL_FILE2 1245
#define IDC_TMPL_PATH2 1235
#define IDC_TMPL_PREVIEW1 6108
#define IDC_TMPL_PREVIEW2 6109
#define IDC_TMPL_SAMPLE 1315
#define IDC_TMPL_FRAME_KEY 1317
#define IDC_TMPL_FRAME_LIST 1316

// The mask and pattern pages: one picture.
#define IDC_TMPL_FILE 1244
#define IDC_TMPL_PATH 1231
#define IDC_TMPL_PREVIEW 6107
#define IDC_TMPL_MASK_KEY 1234
#define IDC_TMPL_MASK_LIST 1306
#define IDC_TMPL_PATTERN_KEY 1322
#define IDC_TMPL_PATTERN_LIST 1321

// Button icons the template, print-form and cart pages share: remove, edit, refresh. New (178)
// and save (180) are the album details' IDI_DETAIL_NEW and IDI_DETAIL_SAVE.
#define IDI_TMPL_DELETE 170
#define IDI_TMPL_EDIT 172
#define IDI_TMPL_REFRESH 179

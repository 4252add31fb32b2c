// Resource ids of the editor subsystem.
#pragma once

// The editor frame's icon (the document template's resource number).
#define IDI_EDITOR_FRAME 157

// Context menus: selection, general editing, floating piece.
#define IDR_EDITOR_SELECTION_MENU 315
#define IDR_EDITOR_GENERAL_MENU 316
#define IDR_EDITOR_FLOAT_MENU 317
// The program's menu images (the shell's toolbar), drawn beside the popups' items.
#define IDR_EDITOR_MENU_IMAGES 129

// Tool cursors.
#define IDC_EDITOR_BRUSH 149
#define IDC_EDITOR_SPRAY 155
#define IDC_EDITOR_PICKER 157
#define IDC_EDITOR_PEN 159
#define IDC_EDITOR_SELECT 161
#define IDC_EDITOR_ZOOM 178
#define IDC_EDITOR_TEXT 22901
// The program's hand cursor, which the move tool shows.
#define IDC_EDITOR_HAND 128

// Commands the editor view handles (shared with the program's menu).
#define IDM_ED_UNDO 844
#define IDM_ED_REOPEN 32946
#define IDM_ED_SAVE_AS 32947
#define IDM_ED_TRIM 32937
#define IDM_ED_SEL_COLOR_BALANCE 32938
#define IDM_ED_SEL_GRAY 32939
#define IDM_ED_SEL_NEGATIVE 32940
#define IDM_ED_GROW_SELECTION 32956
#define IDM_ED_SHRINK_SELECTION 32957
#define IDM_ED_JPEG_FORMAT 32993
#define IDM_ED_REDO 33003
#define IDM_ED_TEXT 33006
#define IDM_ED_ROTATE_ANGLE 33042
#define IDM_ED_RESIZE 33043
#define IDM_ED_FRAME 33062
#define IDM_ED_CANVAS 33065
#define IDM_ED_ZOOM_FIRST 33081
#define IDM_ED_ZOOM_LAST 33094
#define IDM_ED_ZOOM_IN 33115
#define IDM_ED_ZOOM_OUT 33116
#define IDM_ED_FULL_SCREEN 33117
#define IDM_ED_HISTOGRAM 33118
#define IDM_ED_MERGE_FLOAT 33120
#define IDM_ED_CANCEL_FLOAT 33121
#define IDM_ED_MASK 33163
#define IDM_ED_MARGIN_SHADOW 33167
#define IDM_ED_OUTLINE_SELECTION 33177
#define IDM_ED_OPEN_FOLDER 33201
#define IDM_ED_CALENDAR 33215
#define IDM_ED_FILL_SELECTION 33270
#define IDM_ED_THRESHOLD 33275
#define IDM_ED_BLUR 33278
#define IDM_ED_SOFTEN 33279
#define IDM_ED_GAUSSIAN3 33282
#define IDM_ED_GAUSSIAN5 33284
#define IDM_ED_SHARPEN 33286
#define IDM_ED_OUTLINE_MODE 33288
#define IDM_ED_EMBOSS 33291
#define IDM_ED_WALLPAPER_CENTER 33298
#define IDM_ED_WALLPAPER_TILE 33299
#define IDM_ED_WALLPAPER_STRETCH 33300
#define IDM_ED_MASK_FLOAT 33320
#define IDM_ED_ROTATE_90 38601
#define IDM_ED_ROTATE_180 38602
#define IDM_ED_ROTATE_270 38603
#define IDM_ED_FLIP_VERT 38605
#define IDM_ED_MIRROR 38606
#define IDM_ED_COLOR_BALANCE 38611
#define IDM_ED_NEGATIVE 38612
#define IDM_ED_GRAY 38613
#define IDM_ED_HIGHPASS 38614
#define IDM_ED_MEDIAN 38615
#define IDM_ED_LOWPASS 38616
#define IDM_ED_EDGE_ENHANCE 38617
#define IDM_ED_FILE_OPEN 38620
#define IDM_ED_SAVE 38621
#define IDM_ED_PASTE_NEW 38624
// The main window's paste into a new picture.
#define IDM_ED_MAIN_PASTE_NEW 33305
#define IDM_ED_PRINT 38625
#define IDM_ED_COPY 57634
#define IDM_ED_CUT 57635
#define IDM_ED_PASTE 57637

// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_KESTRIX 101
#define IDM_POPUP 4608

// Entries of the popup menu, in menu order but for the submenu (Facebook, Twitter, GooglePlus).
#define IDM_SETTINGS 4609
#define IDM_HOTKEYS 4610
#define IDM_HELP 4611
#define IDM_ABOUT 4612
#define IDM_WEBSITE 4613
#define IDM_UPDATES 4614
#define IDM_GOOGLEPLUS 4615
#define IDM_FACEBOOK 4616
#define IDM_TWITTER 4617

#define IDB_MAIN_SKIN 5376
#define IDB_TOOL_SKIN 5377
#define IDB_LOGO_SMALL 5378
#define IDB_LOGO_LARGE 5379
#define IDB_BUTTON_TILE 5380
#define IDB_GLYPH_CHOICE_LEFT 5381
#define IDB_GLYPH_CHOICE_RIGHT 5382
#define IDB_GLYPH_PROFILE 5383
#define IDB_GLYPH_CHECK 5384
#define IDB_GLYPH_CROSS 5385
#define IDB_GLYPH_SWITCH 5392
#define IDB_GLYPH_SPIN 5393
#define IDB_GLYPH_SWATCH 5394
#define IDB_TITLE_CLOSE 5457
#define IDB_TITLE_MINIMISE 5458
#define IDB_TITLE_MENU 5459

#pragma once
// Resource and control identifiers, grouped by where they live. Shared by the C++
// code and the resource script, so plain #defines only.

// Menu 202 and its commands.
#define IDR_MAIN_MENU 202
#define IDM_OPEN_MEDIA 57601
#define IDM_NEW_CAPTION_FILE 32910
#define IDM_NEW_TRANSCRIPT_FILE 32927
#define IDM_OPEN_TRANSCRIPT 32929
#define IDM_SAVE_TRANSCRIPT_AS 32928
#define IDM_IMPORT_TEXT_SCRIPT 32916
#define IDM_EXIT 57665
#define IDM_EXPORT_SAMI 57604
#define IDM_IMPORT_SAMI 32915
#define IDM_CREATE_ASX 32936
#define IDM_OPEN_PRODUCER_MOVIE 32921
#define IDM_EXPORT_TO_PRODUCER 32923
#define IDM_ABOUT 32909
#define IDM_QUICK_KEY_REFERENCE 32926
#define IDM_HELP_CONTENTS 32930
// Undo and Redo, in the "&Edit" pop-up after "&File".
#define IDM_UNDO 32950
#define IDM_REDO 32951
// SubRip and WebVTT, a pop-up of their own after "Windows Media".
#define IDM_EXPORT_SUBRIP 32940
#define IDM_EXPORT_WEBVTT 32941
#define IDM_IMPORT_CUE_FILE 32942
#define IDM_ADD_CUE_LANGUAGE 32943
// TTML, in the same pop-up.
#define IDM_EXPORT_TTML 32944
#define IDM_EXPORT_TTML_ALL 32945
// The "&View" pop-up: the tool windows.
#define IDM_CHECK_CAPTIONS 32960
#define IDM_TIMELINE 32961
// Snapping to the speech in the film's sound, in the same pop-up.
#define IDM_SNAP_TO_SPEECH 32962
#define IDM_SNAP_SELECTED 32963
#define IDM_SNAP_ALL 32964
// Recovery copies of the work, their settings dialog in the same pop-up.
#define IDM_RECOVERY_SETTINGS 32965

// Pictures.
#define IDB_PANEL_ICON 209
#define IDB_ABOUT_PICTURE 222
#define IDI_MAIN_ICON 241

// Recovery Copies: whether copies are written and how often.
#define IDD_RECOVERY_SETTINGS 260
#define IDC_RECOVERY_ENABLED 261
#define IDC_RECOVERY_INTERVAL 262

// Children of the main window.
#define IDC_PREVIEW_LINE 900
#define IDC_CAPTION_HEADER 907
#define IDC_START_TIME_HEADER 908
#define IDC_TRANSCRIPT_WINDOW 950

// Command panel, dialog 232.
#define IDD_COMMAND_PANEL 232
#define IDC_EDIT_START_TIME 240
#define IDC_GOTO_START_TIME 241
#define IDC_DELETE_CAPTION 242
#define IDC_SET_TIME 243
#define IDC_SORT_BY_TIME 244
#define IDC_CLEAR_ALL_TIMES 245
#define IDC_ADD_CAPTION 246
#define IDC_LANGUAGE_COMBO 247
#define IDC_ADD_LANGUAGE 248
#define IDC_DELETE_LANGUAGE 249

// Transport panel, dialog 230.
#define IDD_TRANSPORT_PANEL 230
#define IDC_STOP 223
#define IDC_SEEK_SLIDER 225
#define IDC_MUTE 227
#define IDC_VOLUME_SLIDER 228
#define IDC_RATE_DOWN 233
#define IDC_PLAY 234
#define IDC_RATE_UP 237
#define IDC_STEP_BACK 229
#define IDC_STEP_FORWARD 230
#define IDC_VOLUME_UP 231
#define IDC_VOLUME_DOWN 232
#define IDC_POSITION_TEXT 235
#define IDC_DURATION_TEXT 236
#define IDC_RATE_TEXT 250

// Information dialogs.
#define IDD_ABOUT 220
#define IDD_QUICK_KEY_REFERENCE 236
#define IDD_HELP_CONTENTS 237

// Add Language dialog.
#define IDD_ADD_LANGUAGE 235
#define IDC_CLASS_NAME 221

// Open Media, dialog 201, and the Producer movie explanation, dialog 216.
#define IDD_OPEN_MEDIA 201
#define IDC_MEDIA_PATH 201
#define IDC_BROWSE_MEDIA 202
#define IDD_OPEN_PRODUCER_MOVIE 216

// Edit Caption Start Time, dialog 206. The template lists the fields by id, so the
// tab order among them is hours, ms, secs, mins.
#define IDD_EDIT_START_TIME 206
#define IDC_START_HOURS 205
#define IDC_START_MS 206
#define IDC_START_SECONDS 207
#define IDC_START_MINUTES 208
#define IDC_START_TIME_NOTE 209

// Caption length of the text script import, dialog 205.
#define IDD_CAPTION_LENGTH 205
#define IDC_CAPTION_LENGTH 203

// ASX creation wizard, dialogs 210 to 213 (buttons IDOK and IDCANCEL only).
#define IDD_ASX_SELECT_MOVIE 210
#define IDD_ASX_SELECT_SAMI 211
#define IDD_ASX_SAVE 212
#define IDD_ASX_COMPLETE 213

// Caption rows: control id bases of the caption panel's row controls.
#define IDC_ROW_LABEL_BASE 300
#define IDC_ROW_MARKER_BASE 800
#define IDC_ROW_EDIT_BASE 1000

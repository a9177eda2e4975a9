// installer/ui/DialogLook.h: what the main dialog paints beyond its template: the title and the links' colours.
//
// The dialog and its links draw with these, and so does the benchmark's floor, which shows the
// same dialog in plain Win32.
#ifndef DIALOGLOOK_H
#define DIALOGLOOK_H

#include <windows.h>

// The bold magenta title above the upper rule, drawn with no box behind the letters.
const char TITLE_TEXT[] = "Velmorath";
const char TITLE_FONT_FACE[] = "System";
enum
{
    TITLE_FONT_HEIGHT = 15,
    TITLE_FONT_WEIGHT = FW_BOLD,
    TITLE_FONT_CHARSET = GB2312_CHARSET,
    TITLE_FONT_PITCH_AND_FAMILY = FF_SWISS | DEFAULT_PITCH,
    TITLE_X = 120,
    TITLE_Y = 13
};
const COLORREF TITLE_COLOR = RGB(255, 0, 255);

// Links are red under the pointer, blue otherwise, on the button face, and underlined.
const COLORREF LINK_HOVER_COLOR = RGB(255, 0, 0);
const COLORREF LINK_NORMAL_COLOR = RGB(0, 0, 255);

#endif // DIALOGLOOK_H

#pragma once
#include <windows.h>

// The floor a listing is measured against: the same frame size, list geometry, styles
// and row colours as the explorer's main window, driven by raw Win32 calls with nothing
// of the class library in the way.

const int FloorListId = 130;

// A hidden 640 x 480 frame holding the report list (child FloorListId).
HWND CreateFloorFrame(const char* title, int x, int y);
HWND FloorListOf(HWND frame);

// One enumeration, one insertion with the name and one cell write per entry, redraw
// suspended; "." and hidden or system entries are skipped as the explorer skips them by
// default.
// Returns the number of rows.
int FloorFill(HWND list, const char* folder);

// Empties the list with redraw suspended, then lets it repaint.
void FloorClear(HWND list);

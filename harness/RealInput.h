// harness/RealInput.h: real input through the system's own queue, as a person would give it.
#ifndef HARNESS_REALINPUT_H
#define HARNESS_REALINPUT_H

#include <windows.h>
#include <string>

// Real input, through the system's own queue. Moving onto or clicking a window first waits
// until no other window lies over its centre: a window that another program shows late would
// take the input. They say false, and send nothing, when one still did at the deadline.
// Moving off a control goes onto its dialog's bare corner, not out of the dialog: Wine turns
// the X server's crossing events of earlier moves into pointer moves of their own, and under
// emulation one can arrive after the move out and put the pointer back on the control. Within
// one window the X server's moves arrive in order and the last one is where the pointer is.
void MovePointer(POINT pt);
bool MovePointerOnto(HWND hTarget);
bool MovePointerOntoCorner(HWND hDialog);
bool ClickOn(HWND hTarget);
// PressKey brings the window to the front first; false, and no key, when it did not come.
bool PressKey(HWND hForeground, WORD wVk);

// Where the pointer is and over what, which window is in front, and which of the program's
// windows is active, has the focus and holds the capture: what a failure message should say.
std::string DescribeInput(HWND hProgramWindow);

#endif // HARNESS_REALINPUT_H

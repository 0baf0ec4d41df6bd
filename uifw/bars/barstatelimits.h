// What a saved docking layout may ask of a frame, free of windows.
//
// A layout comes from the registry, where a crash, another version or a hand may have left any
// value. Every value that places a window is checked against the work area of the monitor it
// would go to and against what the program itself can produce: a value it cannot have written
// is refused (the window keeps what it had), one it could have written but that would leave a
// window out of reach is brought into the work area. Widths and heights are worked out in 64
// bits, so that no saved corner can overflow them.
#pragma once
#include "afxgeom.h"

namespace barstatelimits {

// The frame's normal rectangle: one smaller than the frame may be sized (sizeMinTrack) is
// refused for rcOwn; the result is no larger than the work area and lies wholly on it.
CRect FramePlacement(const RECT& rcSaved, const RECT& rcOwn, const RECT& rcWork, SIZE sizeMinTrack);

// A floating frame's rectangle: a size below sizeMin, which no floating frame can have, gives
// way to sizeDefault; the size is held to the work area's, and a frame wholly off it moves on.
CRect FloatingFrame(const RECT& rcSaved, SIZE sizeMin, SIZE sizeDefault, const RECT& rcWork);

// A remembered bar size: each side that is not positive or exceeds the work area's keeps the
// bar's own.
CSize BarSize(SIZE sizeSaved, SIZE sizeOwn, const RECT& rcWork);

// A remembered screen point (where a bar floated last): held inside the work area.
CPoint ScreenPoint(POINT ptSaved, const RECT& rcWork);

// A place inside a dock bar: one with a negative or absurd extent gives way to rcDefault.
CRect DockPlace(const RECT& rcSaved, const RECT& rcDefault);

// A floating frame's window style: the capture writes the style of a floating frame the
// program made, whose low bits the frame takes back as its dock bar's alignment (without them
// the dock bar has no orientation and its bars no size). A style such a frame cannot have
// gives way to that of a frame made by floating a group.
DWORD FloatingFrameStyle(DWORD dwSaved);

// The show command of a saved placement: one that ShowWindow does not know would leave the
// window hidden for good and becomes SW_SHOWNORMAL.
UINT ShowCommand(int nSaved);

} // namespace barstatelimits

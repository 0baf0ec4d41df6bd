#include "mousecapturesink.h"

CUiMouseCaptureSink::~CUiMouseCaptureSink()
{
}

HWND CUiMouseCaptureSink::SetCapture(HWND hWnd)
{
    return ::SetCapture(hWnd);
}

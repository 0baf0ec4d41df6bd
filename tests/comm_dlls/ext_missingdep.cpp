// An extension DLL that no folder can load: it imports a function of a DLL that is nowhere,
// as a DLL built against a runtime the user's machine lacks does. Like every DLL built with
// MinGW it has thread-local storage.
#include <windows.h>

extern "C" __declspec(dllimport) int KvrAbsentFunction(void);

extern "C" int WINAPI CallBackKVR(DWORD*, DWORD*)
{
    return KvrAbsentFunction();
}

// Basic definitions shared by every class-library header: the Windows headers, the calling
// conventions and the debugging macros the application code expects to find.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
#include <tchar.h>
#include <stddef.h>
#include <stdarg.h>
#include <string.h>
#include <new>

#define AFXAPI __stdcall
#define AFX_CDECL __cdecl
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_DATA
#define AFX_CORE_DATA
#define AFX_NOVTABLE
#define afx_msg

#ifndef DEBUG_NEW
#define DEBUG_NEW new
#endif

// Checks are kept out of the program: a failed assertion of the library must not stop a
// running connection, so ASSERT evaluates nothing and VERIFY evaluates its expression only.
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(cls, p) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define ENSURE(f) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define TRACE1(s, a) ((void)0)
#define TRACE2(s, a, b) ((void)0)
#define TRACE3(s, a, b, c) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

// Iteration handle of the lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

inline BOOL AfxIsValidAddress(const void* p, UINT_PTR /*nBytes*/, BOOL /*bReadWrite*/ = TRUE)
{
    return p != NULL;
}
inline BOOL AfxIsValidString(LPCSTR psz, int /*nLength*/ = -1) { return psz != NULL; }
inline BOOL AfxIsValidString(LPCWSTR psz, int /*nLength*/ = -1) { return psz != NULL; }

// The module handles: the program's instance, and where resources (strings, dialogs, menus)
// are loaded from (the instance unless set otherwise).
HINSTANCE __stdcall AfxGetInstanceHandle();
HINSTANCE __stdcall AfxGetResourceHandle();
void __stdcall AfxSetResourceHandle(HINSTANCE hInstResource);

// The class library's core: objects with run-time classes, strings, exceptions, files,
// archives and the geometry types. Plain C++ try/catch is used with the library's
// exceptions, which are thrown as heap pointers and ended with Delete().
#pragma once
#include "afxdefs.h"
#include "afxobject.h"
#include "afxstr.h"
#include "afxexcept.h"
#include "afxtime.h"
#include "afxfile.h"
#include "afxarchive.h"
#include "afxgeom.h"

// Extensions of the frame (control bars and their relatives) are declared by the UI
// framework; this header exists so that code written for the library finds it.
#pragma once
#include "afxwin.h"

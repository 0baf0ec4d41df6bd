// Finding the extension DLLs of a folder: each DLL is loaded, asked for its version and type
// word and its two comment texts through its "CallBackKVR" export, and unloaded again. The
// DLLs that answer every question are listed, in the order the file system gives them.
//
// A DLL's replies are outside input: a comment address of 0 reads as an empty text.
#pragma once

#include "afxwin.h"
#include "plugindll.h"

#include <vector>

// The zero-terminated text at an address that a DLL replied; empty for address 0.
CString KvrReplyText(DWORD dwAddress);

struct DllInfo {
    CString strFileName;    // as found, without the folder
    DWORD dwType = 0;
    CString strComment1;
    CString strComment2;
};

// Probes the DLL at pszPath (its file name goes into info): 0 when it answered everything;
// -1 not loadable or no export, -2 version query failed, -3 a comment query failed, -4 the
// release call after a comment failed. The DLL is unloaded again in every case.
int ProbePluginDll(LPCSTR pszPath, DllInfo& info);

// Lists the DLLs of pszFolder (ending with a backslash) that pass the probe: 0, or -1 when
// the folder is empty (then nothing is listed). No DLL found is success with an empty list.
int EnumPluginDlls(LPCSTR pszFolder, std::vector<DllInfo>& list);

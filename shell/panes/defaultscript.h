// What both script panes share: the script a fresh or cleared pane holds (a template with the
// five callbacks), and the one Lua keyword set that colours both editors.
#pragma once

#include "afx.h"
#include "luakeywordset.h"

const CString& DefaultScriptText();
CLuaKeywordSet& ScriptKeywordSet();
// Puts the Lua reserved words, the script library's names and every function of the loaded
// script DLLs into the shared set (a name already there stays once).
void FillScriptKeywords();

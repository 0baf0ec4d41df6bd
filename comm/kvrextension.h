// The interface of an extension DLL: the blocks through which a port in extended mode talks to
// it, what the program asks and what it does with the answers. This file is all a DLL's author
// needs, and it stands on <windows.h> alone.
//
// An extension DLL exports one function, "CallBackKVR" (reply block, request block), of the
// type CallBackKvrProc below: the platform's standard calling convention, exported without
// decoration (a .def file, or -Wl,--kill-at), so
//     extern "C" int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
// The program fills the request; the DLL fills the reply and returns 0, or 1 when it failed.
// Both blocks are ten 32-bit little-endian words, 40 bytes: this is a 32-bit program, so a data
// or text pointer is one word. The request's data is valid only during the call; the program
// copies the reply's data right after it, so the DLL may keep it in a buffer of its own until
// its next call.
//
// What a DLL must answer:
// - KvrVersionQuery: reply word 0 = 100 or 256 (any other value: the connection ends with
//   "DLL Not Version..."), reply word 1 = the DLL's type word, which the DLL choice shows.
// - KvrCommentQuery with request word 1 = 0 or 1: reply word 6 = the address of a
//   zero-terminated text (0 for none), the first and second comment of the DLL choice. With
//   KvrReleaseBit set in reply word 0, the program calls once more with that reply as the
//   request, so the DLL can free the text.
// A DLL that fails either question is not listed by the DLL choice.
//
// A connection then calls it with, in this order: KvrCmdInitialise (reply word 1 = 1 asks for
// KvrCmdSettings with the port's settings bytes as data), KvrCmdConnected, then
// KvrCmdReceived for every received block, KvrCmdUserSend for the user's send (reply word 1 =
// 0: the program writes the bytes itself), KvrCmdTimer when a timer the DLL started expires,
// and KvrCmdDisconnecting last. Each reply's word 0 holds the actions (KvrAct*); words 3 and 4
// come back in the next request untouched, for the DLL's own use. A text written into the
// request's text buffer (word 9, 260 bytes) with reply word 8 = 1, 2 or 3 is logged as
// information, notice or warning.
#pragma once

#include <windows.h>

// Word indices of the blocks.
enum KvrWord
{
    KvrCommand = 0,     // request: command; reply: action (bit 31: call again)
    KvrParam = 1,       // request: timer id of command 0x10; reply: route target or timer id
    KvrPeriod = 2,      // reply: timer period in milliseconds
    KvrKeep1 = 3,       // handed back from the previous reply
    KvrKeep2 = 4,
    KvrLength = 5,      // data length in bytes
    KvrData = 6,        // data pointer
    KvrTextSize = 7,    // request: size of the text buffer (260)
    KvrTextLevel = 8,   // reply: 0 none, 1 information, 2 notice, other warning
    KvrText = 9,        // request: pointer to the zero-filled text buffer
    KvrWordCount = 10
};

// What the program asks, in request word 0.
enum KvrQuery : DWORD
{
    KvrCmdConnected = 1,
    KvrCmdDisconnecting = 2,
    KvrCmdReceived = 4,             // data: the block, logged already
    KvrCmdUserSend = 8,             // data: the bytes of the user's send command
    KvrCmdTimer = 0x10,             // word 1: the timer, 0 or 1
    KvrCommentQuery = 0x1000000,    // word 1: which comment, 0 or 1
    KvrVersionQuery = 0x2000000,
    KvrCmdInitialise = 0x4000000,   // a connection's first call
    KvrDetailsCapability = 0x4000000,   // the extension-DLL page: reply word 1 = 1 when the DLL has details to edit
    KvrDetails = 0x8000000,         // the page's 詳細設定...: data: the port's settings bytes; the reply's data replaces them
    KvrCmdSettings = 0x10000000,    // data: the port's settings bytes of the communication set
    KvrReleaseBit = 0x80000000      // in reply word 0 of a query: call again with this reply to free its data
};

// What a connection does with a reply, by reply word 0: the first set bit of these, in this
// order. Afterwards the program calls again at once, with the reply as the request, when bit 31
// is set, or when word 0 is not 0 but has none of these bits; otherwise the exchange is over.
// A reply whose word 0 is 0 ends it at once. The user's stop ends the connection between two
// calls of such a chain, as it does between two exchanges, and drops what was routed to the
// port but not yet written; the chain of the reply to KvrCmdDisconnecting is cut by a stop and,
// when the user's stop ended the connection, half a second after the end began, within which
// what it routes to the port is written.
enum KvrAction : DWORD
{
    KvrActRoute = 0x100,            // send the reply's data: word 1 = 0 on this port, 1 or 2 on that port
    KvrActEnd = 0x200,              // end the connection
    KvrActStartTimer = 0x400,       // start timer word 1 (0, else 1; bit 31: once) with period word 2 in ms
    KvrActStopTimer = 0x800,        // stop timer word 1 (0, else 1)
    KvrActCallWithEditor = 0x1000,  // call again with the send data editor's bytes as data
    KvrActSetEditor = 0x2000,       // put the reply's data into the send data editor
    KvrActCallAgain = 0x80000000
};

struct KvrBlock
{
    DWORD w[KvrWordCount];
};
static_assert(sizeof(KvrBlock) == 40, "the blocks are 40 bytes");
static_assert(sizeof(void*) == 4, "pointers travel in 32-bit words");

typedef int(WINAPI* CallBackKvrProc)(KvrBlock* pReply, KvrBlock* pRequest);

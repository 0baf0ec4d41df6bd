// The interface of an extension DLL: the blocks through which a port in extended mode talks to
// it, what the program asks and what it does with the answers. This file is all a DLL's author
// needs; it stands on <windows.h> alone and compiles as C (C99 or later) and as C++.
//
// An extension DLL exports one function, "CallBackKVR" (reply block, request block), of the
// type CallBackKvrProc below: the platform's standard calling convention, exported without
// decoration (a .def file, or -Wl,--kill-at), so
//     int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
// declared extern "C" in C++. It needs no __declspec(dllexport): MinGW's linker exports every
// function that is not static from a DLL that marks none (one that marks any exports only
// those it marks, so it marks CallBackKVR too). The program fills the request, the DLL fills
// the reply. Both blocks are ten 32-bit little-endian words, 40 bytes: this is a 32-bit
// program, so a data or text pointer is one word. The request's data is valid only during the
// call; the program copies the reply's data right after it, so the DLL may keep it in a buffer
// of its own until its next call. Before every call of a connection the program zeroes the
// reply block; the DLL choice and the extension-DLL page do not always (a release call, and the
// page's comment and details-capability questions, find an earlier reply of the DLL there), so
// a DLL writes every reply word it means, 0 included.
//
// Under Wine the program runs a copy of the DLL that it made in a temporary folder of its own,
// with copies of the DLLs it imports from the program's folder beside it, so GetModuleFileName
// of the DLL's own module names that copy, not the DLL's file: a DLL that reads files beside
// itself finds them beside the program (GetModuleFileName(NULL, ...)), whose folder is the one
// the DLL choice lists.
//
// The function returns 0. Any other result fails a question of the DLL choice or the page, and
// a connection's version query ("DLL内部エラー", and the port closes). During a connection only
// 1 fails: the call's reply is not carried out, its text is not logged, "DLL内部エラー" is
// logged and the connection ends (with KvrCmdDisconnecting, as every connection that has
// called KvrCmdInitialise); any other result counts as 0.
//
// What the DLL choice and the extension-DLL page ask:
// - KvrVersionQuery: reply word 0 = 100 or 256, which mean the same to this program (a
//   connection refuses any other value with "DLL Not Version..."; the choice and the page do
//   not look at it), reply word 1 = the DLL's type word, which both show. Its request has every
//   word 0 but word 0 (0x2000000) and no text buffer.
// - KvrCommentQuery with request word 1 = 0 or 1: reply word 6 = the address of a
//   zero-terminated text (0 for none), the first and second comment. The DLL choice asks with
//   a request of zeros but words 0 and 1. The page's request is a copy of the DLL's last reply
//   (to the version query, then to the first comment query) with words 0 and 1 set: the other
//   words hold what that reply left there, so the second comment query's word 6 still holds
//   the first comment's address. With KvrReleaseBit set in reply word 0, the program calls once
//   more so the DLL can free the text: the DLL choice with that whole reply as the request and
//   the reply block as it was, the page with that reply whose word 0 keeps only KvrReleaseBit
//   and a zeroed reply block.
//   A DLL that fails either question is not listed by the DLL choice.
// - KvrDetailsCapability, when the page shows the DLL: reply word 1 = 1 enables the page's
//   詳細設定..., which calls with KvrDetails (below); KvrReleaseBit in the word 0 of that
//   call's reply asks for a release call with that whole reply as the request and the reply
//   block as it was.
// A release call gives no text buffer (its words 7 to 9 are those of the DLL's reply, 0 unless
// the DLL wrote them): the DLL recognises it by its own reply in the request, word 0 with
// KvrReleaseBit (0x80000000 when the DLL set no other bit of word 0), and frees what that
// reply's words point to. (A connection's chained call, below, may have bit 31 too, but gets
// the text buffer.)
// KvrDetailsCapability and KvrCmdInitialise are one word. A connection's KvrCmdInitialise has
// every request word zero but word 0 and the text buffer's words 7 and 9; the page's question
// is a copy of the DLL's last reply to a comment query (word 1 included), whose word 9 stays 0
// unless the DLL writes reply word 9. A DLL that must tell them apart looks at request word 9;
// most need not and answer both alike: reply word 1 = 1 when the DLL keeps settings bytes (the
// page then offers 詳細設定... and a connection hands the bytes back with KvrCmdSettings),
// else 0.
//
// A connection's first call is KvrVersionQuery, as above (no text buffer). Then it calls, in
// this order: KvrCmdInitialise (reply word 1 = 1 asks for KvrCmdSettings with the port's
// settings bytes as data, with length 0 and pointer 0 when the set holds none; the replies to
// both are not carried out), KvrCmdConnected (its request a copy of the last reply), then
// KvrCmdReceived for every received block, KvrCmdUserSend for the user's send, KvrCmdTimer when
// a timer the DLL started expires, and KvrCmdDisconnecting last. To KvrCmdUserSend, reply word
// 1 = 0 has the program log and write the bytes itself ("送信データZero" when there are none);
// any other value leaves them unwritten, and either way the reply's actions follow (word 1 is
// also a route's target). Each reply's word 0 holds the actions (KvrAct*); words 3 and 4 come
// back in the next request untouched, for the DLL's own use.
//
// Every call from KvrCmdInitialise on, a chained one too, gets the zero-filled 260-byte text
// buffer afresh: its address in request word 9, its size in word 7, word 8 = 0. A
// zero-terminated text written there is logged as a message of the port by the level in reply
// word 8: 0 not at all, 1 as information ("拡張DLL 情報"), 2 as notice ("拡張DLL 注意"), any
// other value as warning ("拡張DLL 警告"). The call that KvrActCallWithEditor asks for gets
// the buffer too, but its text is not logged.
//
// An exchange is the call for one event and the calls its replies chain (below); a reply whose
// word 0 is 0 ends the exchange, not the connection, which goes on to its next event. A chained
// call's request is the DLL's own reply to the call before: word 0 the action word it answered
// (never one of the program's commands 1, 2, 4, 8 and 0x10, unless the DLL answered one), the
// other words as it wrote them, but the text buffer's words 7 to 9 given afresh and, for
// KvrActCallWithEditor, the editor's bytes in words 5 and 6. What a chain routes to its own port
// goes out only when the chain is over: a route goes to the frame, which puts the block into
// the target connections' channel buffers, and a connection serves its buffer only between
// exchanges. So those blocks are logged as sent and written, in order, after the chain, and a
// DLL that asks to be called again on every reply sends nothing to its port until it stops
// asking. The one exception is the chain of the reply to KvrCmdDisconnecting after the user's
// stop (below), whose blocks are written as they are routed. A block routed to a port that runs no connection (or to a target other than 0, 1
// and 2) is dropped, and nothing is logged of it.
#pragma once

#include <windows.h>

// The enumerations have the words' type in C++; C has no such form, and its enumeration
// constants are ints, so bit 31 (KvrReleaseBit, KvrActCallAgain) is a macro in both.
#ifdef __cplusplus
#define KVR_WORD_TYPE : DWORD
#else
#define KVR_WORD_TYPE
#endif

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
    KvrTextLevel = 8,   // reply: the text's level
    KvrText = 9,        // request: pointer to the zero-filled text buffer
    KvrWordCount = 10
};

// What the program asks, in request word 0.
enum KvrQuery KVR_WORD_TYPE
{
    KvrCmdConnected = 1,
    KvrCmdDisconnecting = 2,
    KvrCmdReceived = 4,             // data: the block, logged already
    KvrCmdUserSend = 8,             // data: the bytes of the user's send command
    KvrCmdTimer = 0x10,             // word 1: the timer, 0 or 1
    KvrCommentQuery = 0x1000000,    // word 1: which comment, 0 or 1
    KvrVersionQuery = 0x2000000,
    KvrCmdInitialise = 0x4000000,   // a connection's second call, after KvrVersionQuery
    KvrDetailsCapability = 0x4000000,   // the extension-DLL page's question (above)
    KvrDetails = 0x8000000,         // the page's 詳細設定...: data: the port's settings bytes; the reply's data replaces them
    KvrCmdSettings = 0x10000000     // data: the port's settings bytes of the communication set
};
// In reply word 0 of a query: call again with this reply to free its data.
#define KvrReleaseBit ((DWORD)0x80000000)

// What a connection does with a reply, by reply word 0: the first set bit of these, in this
// order. Afterwards the program calls again at once, with the reply as the request, when bit 31
// is set, or when word 0 is not 0 but has none of these bits; otherwise the exchange is over.
// A reply whose word 0 is 0 ends it at once. The user's stop ends the connection between two
// calls of such a chain, as it does between two exchanges, and drops what was routed to the
// port but not yet written; the chain of the reply to KvrCmdDisconnecting is cut by a stop and,
// when the user's stop ended the connection, half a second after the end began. In that last
// chain what a call routes to the port is logged as sent and written before the next call, so
// everything it routed until the cut is written.
enum KvrAction KVR_WORD_TYPE
{
    KvrActRoute = 0x100,            // send the reply's data: word 1 = 0 on this port, 1 or 2 on that port
    KvrActEnd = 0x200,              // end the connection
    KvrActStartTimer = 0x400,       // start timer word 1 (0, else 1; bit 31: once) with period word 2 in ms
    KvrActStopTimer = 0x800,        // stop timer word 1 (0, else 1)
    KvrActCallWithEditor = 0x1000,  // call again with the send data editor's bytes as data
    KvrActSetEditor = 0x2000        // put the reply's data into the send data editor
};
// In reply word 0: call again at once, with the reply as the request.
#define KvrActCallAgain ((DWORD)0x80000000)

typedef struct KvrBlock
{
    DWORD w[KvrWordCount];
} KvrBlock;
#ifdef __cplusplus
static_assert(sizeof(KvrBlock) == 40, "the blocks are 40 bytes");
static_assert(sizeof(void*) == 4, "pointers travel in 32-bit words");
#else
// C before C11 has no static assertion: an array of negative size stops the build instead.
typedef char KvrBlockIsFortyBytes[sizeof(KvrBlock) == 40 ? 1 : -1];
typedef char KvrPointersAreOneWord[sizeof(void*) == 4 ? 1 : -1];
#endif

typedef int(WINAPI* CallBackKvrProc)(KvrBlock* pReply, KvrBlock* pRequest);

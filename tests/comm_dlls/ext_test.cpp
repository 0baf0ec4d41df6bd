// An extension DLL whose replies the test scripts and which records every request it gets.
//
// The test loads this DLL itself (the connection's load then shares the same module) and
// drives it through the KvrTest exports: KvrTestAddReply queues a reply for a command word
// (the last queued reply of a command repeats), KvrTestGetRequest reads back the recorded
// requests with a copy of their data, taken during the call while the data is valid, and
// KvrTestGetReplyIn the reply block each call found. Without
// a queued reply, the version query answers 256 and every other command an empty reply.
// KvrTestBlockOn makes the call of one command hang (a DLL that never returns) until
// KvrTestRelease.
//
// It is built as the README tells a DLL's author to build one: from kvrextension.h alone, with
// no other folder of the program on its include path, and exported with -Wl,--kill-at.
#include "kvrextension.h"

#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Reply
{
    int result = 0;
    KvrBlock words = {};
    std::vector<BYTE> data;
    bool nullData = false;      // a length with a null data pointer
    std::string text;
};

struct Request
{
    KvrBlock words;
    KvrBlock replyIn;               // the reply block as the call found it
    std::vector<BYTE> data;
    std::vector<char> textBuffer;   // what the text buffer held when the call came
};

std::mutex g_lock;
std::map<DWORD, std::deque<Reply>> g_replies;
std::vector<Request> g_requests;
std::vector<BYTE> g_replyData;      // valid until the next call, as the program expects

DWORD g_blockCommand = 0;
HANDLE g_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
LONG g_blocked = 0;

const char kComment1[] = "Korvane test extension";
const char kComment2[] = "Replies scripted by the tests";

} // namespace

extern "C" int WINAPI CallBackKVR(KvrBlock* pReply, KvrBlock* pRequest)
{
    DWORD* request = pRequest->w;
    if (g_blockCommand && request[KvrCommand] == g_blockCommand) {
        InterlockedIncrement(&g_blocked);
        WaitForSingleObject(g_release, 60000);
    }
    std::lock_guard<std::mutex> hold(g_lock);
    Request seen;
    seen.words = *pRequest;
    seen.replyIn = *pReply;
    const BYTE* data = reinterpret_cast<const BYTE*>(request[KvrData]);
    if (data && request[KvrLength])
        seen.data.assign(data, data + request[KvrLength]);
    char* text = reinterpret_cast<char*>(request[KvrText]);
    if (text && request[KvrTextSize])
        seen.textBuffer.assign(text, text + request[KvrTextSize]);
    g_requests.push_back(seen);

    Reply answer;
    auto it = g_replies.find(request[KvrCommand]);
    if (it != g_replies.end() && !it->second.empty()) {
        answer = it->second.front();
        if (it->second.size() > 1)
            it->second.pop_front();
    } else if (request[KvrCommand] == KvrVersionQuery) {
        answer.words.w[KvrCommand] = 256;
        answer.words.w[KvrParam] = 0x00010001;
    } else if (request[KvrCommand] == KvrCommentQuery) {
        answer.words.w[KvrData] = reinterpret_cast<DWORD>(request[KvrParam] == 0 ? kComment1 : kComment2);
    }

    *pReply = answer.words;
    if (!answer.data.empty()) {
        g_replyData = answer.data;
        pReply->w[KvrLength] = static_cast<DWORD>(g_replyData.size());
        pReply->w[KvrData] = answer.nullData ? 0 : reinterpret_cast<DWORD>(g_replyData.data());
    }
    if (!answer.text.empty() && text && request[KvrTextSize])
        lstrcpynA(text, answer.text.c_str(), static_cast<int>(request[KvrTextSize]));
    return answer.result;
}

extern "C" void KvrTestBlockOn(DWORD command)
{
    ResetEvent(g_release);
    g_blocked = 0;
    g_blockCommand = command;
}

extern "C" int KvrTestBlockedCalls()
{
    return InterlockedCompareExchange(&g_blocked, 0, 0);
}

extern "C" void KvrTestRelease()
{
    g_blockCommand = 0;
    SetEvent(g_release);
}

extern "C" void KvrTestReset()
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_replies.clear();
    g_requests.clear();
}

// words: ten reply words (words 5 and 6 are replaced when data is given); data, length: the
// reply's data; nullData: give the length with a null pointer; text: written into the
// program's text buffer (the level is words[8]).
extern "C" void KvrTestAddReply(DWORD command, int result, const DWORD* words, const BYTE* data, int length,
                                int nullData, const char* text)
{
    std::lock_guard<std::mutex> hold(g_lock);
    Reply answer;
    answer.result = result;
    if (words)
        std::memcpy(answer.words.w, words, sizeof(answer.words));
    if (data && length > 0)
        answer.data.assign(data, data + length);
    answer.nullData = nullData != 0;
    if (text)
        answer.text = text;
    g_replies[command].push_back(answer);
}

extern "C" int KvrTestRequestCount()
{
    std::lock_guard<std::mutex> hold(g_lock);
    return static_cast<int>(g_requests.size());
}

// Copies request number index: its ten words, and up to capacity bytes of its data. Returns
// the data length, or -1 when there is no such request. textBuffer (260 bytes or null) gets
// what the text buffer held when the call came; textSize its size (0 without a buffer).
extern "C" int KvrTestGetRequest(int index, DWORD* words, BYTE* data, int capacity, char* textBuffer, int* textSize)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (index < 0 || index >= static_cast<int>(g_requests.size()))
        return -1;
    const Request& seen = g_requests[static_cast<size_t>(index)];
    std::memcpy(words, seen.words.w, sizeof(seen.words));
    int n = static_cast<int>(seen.data.size());
    if (data)
        std::memcpy(data, seen.data.data(), static_cast<size_t>(n < capacity ? n : capacity));
    if (textSize)
        *textSize = static_cast<int>(seen.textBuffer.size());
    if (textBuffer && !seen.textBuffer.empty())
        std::memcpy(textBuffer, seen.textBuffer.data(), seen.textBuffer.size() < 260 ? seen.textBuffer.size() : 260);
    return n;
}

// Copies the reply block that request number index found when it came: 0, or -1 when there
// is no such request.
extern "C" int KvrTestGetReplyIn(int index, DWORD* words)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (index < 0 || index >= static_cast<int>(g_requests.size()))
        return -1;
    std::memcpy(words, g_requests[static_cast<size_t>(index)].replyIn.w, sizeof(KvrBlock));
    return 0;
}

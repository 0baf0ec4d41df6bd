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
#include <windows.h>

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
    DWORD words[10] = {};
    std::vector<BYTE> data;
    bool nullData = false;      // a length with a null data pointer
    std::string text;
};

struct Request
{
    DWORD words[10];
    DWORD replyIn[10];              // the reply block as the call found it
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

extern "C" int WINAPI CallBackKVR(DWORD* reply, DWORD* request)
{
    if (g_blockCommand && request[0] == g_blockCommand) {
        InterlockedIncrement(&g_blocked);
        WaitForSingleObject(g_release, 60000);
    }
    std::lock_guard<std::mutex> hold(g_lock);
    Request seen;
    std::memcpy(seen.words, request, sizeof(seen.words));
    std::memcpy(seen.replyIn, reply, sizeof(seen.replyIn));
    const BYTE* data = reinterpret_cast<const BYTE*>(request[6]);
    if (data && request[5])
        seen.data.assign(data, data + request[5]);
    const char* text = reinterpret_cast<const char*>(request[9]);
    if (text && request[7])
        seen.textBuffer.assign(text, text + request[7]);
    g_requests.push_back(seen);

    Reply answer;
    auto it = g_replies.find(request[0]);
    if (it != g_replies.end() && !it->second.empty()) {
        answer = it->second.front();
        if (it->second.size() > 1)
            it->second.pop_front();
    } else if (request[0] == 0x2000000) {
        answer.words[0] = 256;
        answer.words[1] = 0x00010001;
    } else if (request[0] == 0x1000000) {
        answer.words[6] = reinterpret_cast<DWORD>(request[1] == 0 ? kComment1 : kComment2);
    }

    std::memcpy(reply, answer.words, sizeof(answer.words));
    if (!answer.data.empty()) {
        g_replyData = answer.data;
        reply[5] = static_cast<DWORD>(g_replyData.size());
        reply[6] = answer.nullData ? 0 : reinterpret_cast<DWORD>(g_replyData.data());
    }
    if (!answer.text.empty() && text && request[7])
        lstrcpynA(const_cast<char*>(text), answer.text.c_str(), static_cast<int>(request[7]));
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
        std::memcpy(answer.words, words, sizeof(answer.words));
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
    std::memcpy(words, seen.words, sizeof(seen.words));
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
    std::memcpy(words, g_requests[static_cast<size_t>(index)].replyIn, sizeof(g_requests[0].replyIn));
    return 0;
}

// Helpers of the log tests: records, files in a temporary folder, a prompt hook that records
// and answers message boxes, and a row sink that mirrors the rows a list would hold.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "appsettings.h"
#include "bytes_test_support.h"
#include "commlogrecord.h"
#include "commsetrecord.h"
#include "logstore.h"
#include "logtext.h"
#include "messagetext.h"
#include "temp_folder_support.h"

namespace logtest {

inline SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second, int ms)
{
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    t.wMilliseconds = static_cast<WORD>(ms);
    return t;
}

inline CCommLogRecord Record(int port, int kind, const std::vector<BYTE>& payload = {},
                             SYSTEMTIME time = Time(2024, 1, 3, 12, 34, 56, 789))
{
    CCommLogRecord record(port, 0);
    record.m_nKind = kind;
    record.m_time = time;
    record.SetPayload(payload.empty() ? nullptr : payload.data(), static_cast<int>(payload.size()));
    return record;
}

inline CCommLogRecord Message(int port, int code, const std::vector<BYTE>& payload = {})
{
    CCommLogRecord record = Record(port, CCommLogRecord::KindMessage, payload);
    record.m_nMsgCode = code;
    return record;
}

inline std::vector<BYTE> Text(const std::string& text, bool withZero = true)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    if (withZero)
        bytes.push_back(0);
    return bytes;
}

using testbytes::BytesOf;

inline std::string Str(const CString& text)
{
    return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
}

inline std::vector<BYTE> ReadFileBytes(const std::string& path)
{
    std::vector<BYTE> bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

inline std::string ReadFileText(const std::string& path)
{
    std::vector<BYTE> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    ASSERT_TRUE(WriteWholeFile(path, bytes)) << path;
}

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}


struct PromptSeen
{
    std::string text;
    UINT type;
};

// Records every message box; answers from the queue, else IDOK.
class RecordingPrompts : public CPromptHook
{
public:
    RecordingPrompts() { m_pOld = AfxSetPromptHook(this); }
    ~RecordingPrompts() override { AfxSetPromptHook(m_pOld); }

    int MessageBox(HWND, LPCSTR lpszText, LPCSTR, UINT nType) override
    {
        seen.push_back({lpszText != nullptr ? lpszText : "", nType});
        if (answers.empty())
            return IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<PromptSeen> seen;
    std::deque<int> answers;

private:
    CPromptHook* m_pOld;
};

inline std::string MessageText(int code)
{
    return Str(GetMessageText(code));
}

// The rows a list would hold after the store's calls, with the texts a list would show.
class RowMirror : public ILogRowSink
{
public:
    void OnRowAppended(const CCommLogRecord& record, BOOL bAutoScroll) override
    {
        CLogRowTexts texts;
        BuildLogRowTexts(record, *pSet, texts);
        rows.push_back(texts);
        autoScrolled.push_back(bAutoScroll != FALSE);
    }
    void OnFirstRowDeleted() override
    {
        ++firstDeleted;
        if (!rows.empty()) {
            rows.erase(rows.begin());
            autoScrolled.erase(autoScrolled.begin());
        }
    }
    void OnAllRowsDeleted() override
    {
        ++allDeleted;
        rows.clear();
        autoScrolled.clear();
    }
    void OnShownRecordDropped() override { ++shownDropped; }

    std::vector<CLogRowTexts> rows;
    std::vector<bool> autoScrolled;
    int firstDeleted = 0;
    int allDeleted = 0;
    int shownDropped = 0;
    const CCommSetRecord* pSet = nullptr;
};

// A store over settings and a set of the test's own, with the row mirror attached.
class LogStoreTest : public ::testing::Test
{
protected:
    LogStoreTest()
    {
        SetCommSetDefaults(set, 0);
        settings.m_strPath = folder.Path().c_str();
        store.SetSources(&settings, &set);
        mirror.pSet = &set;
        store.SetRowSink(&mirror);
    }

    std::vector<int> StoredSeqs() const
    {
        std::vector<int> seqs;
        for (const CCommLogRecord& record : store.Records())
            seqs.push_back(record.m_nSeq);
        return seqs;
    }

    TempFolder folder;
    CAppSettings settings;
    CCommSetRecord set;
    CLogStore store;
    RowMirror mirror;
    RecordingPrompts prompts;
};

}  // namespace logtest

// CTime: a calendar time in seconds (local time for the parts), as file status records carry.
#pragma once
#include "afxstr.h"
#include <time.h>

class CTime {
public:
    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    CTime(const FILETIME& ft, int nDST = -1);

    static CTime PASCAL GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    CString Format(LPCSTR pszFormat) const;

    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
    bool Local(struct tm& out) const;
    __time64_t m_time;
};

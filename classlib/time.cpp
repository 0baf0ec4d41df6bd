// CTime over the runtime's 64-bit calendar time, in local time.
#include "afx.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = _mktime64(&t);
    if (m_time == -1)
        m_time = 0;
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST) : m_time(0)
{
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st) && st.wYear >= 1970)
        *this = CTime(st, nDST);
}

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

bool CTime::Local(struct tm& out) const
{
    __time64_t t = m_time;
    return _localtime64_s(&out, &t) == 0;
}

int CTime::GetYear() const { struct tm t; return Local(t) ? t.tm_year + 1900 : 0; }
int CTime::GetMonth() const { struct tm t; return Local(t) ? t.tm_mon + 1 : 0; }
int CTime::GetDay() const { struct tm t; return Local(t) ? t.tm_mday : 0; }
int CTime::GetHour() const { struct tm t; return Local(t) ? t.tm_hour : 0; }
int CTime::GetMinute() const { struct tm t; return Local(t) ? t.tm_min : 0; }
int CTime::GetSecond() const { struct tm t; return Local(t) ? t.tm_sec : 0; }
int CTime::GetDayOfWeek() const { struct tm t; return Local(t) ? t.tm_wday + 1 : 0; }

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (!Local(t))
        return FALSE;
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wDay = (WORD)t.tm_mday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

CString CTime::Format(LPCSTR pszFormat) const
{
    struct tm t;
    char szBuffer[256];
    if (pszFormat == NULL || !Local(t) || strftime(szBuffer, sizeof(szBuffer), pszFormat, &t) == 0)
        return CString();
    return CString(szBuffer);
}

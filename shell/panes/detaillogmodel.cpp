#include "detaillogmodel.h"

#include <cstring>

#include "commlogrecord.h"
#include "conversions.h"
#include "messagetext.h"

namespace {

const int kFirstSystemErrorCode = 20001;

// The record's bytes read as text, up to the first zero byte or their end.
CString PayloadText(const CCommLogRecord& record)
{
    COleSafeArray& data = const_cast<COleSafeArray&>(record.m_data);
    if (data.vt != (VT_ARRAY | VT_UI1) || data.parray == NULL)
        return CString();
    const DWORD size = data.GetOneDimSize();
    if (size == 0)
        return CString();
    void* p = NULL;
    data.AccessData(&p);
    const char* bytes = static_cast<const char*>(p);
    const void* zero = std::memchr(bytes, 0, size);
    const int length = zero != NULL ? static_cast<int>(static_cast<const char*>(zero) - bytes) : static_cast<int>(size);
    CString text(bytes, length);
    data.UnaccessData();
    return text;
}

CString SystemErrorText(DWORD dwError)
{
    LPSTR pszText = NULL;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&pszText), 0, NULL);
    CString text;
    if (length != 0 && pszText != NULL)
        text = pszText;
    if (pszText != NULL)
        ::LocalFree(pszText);
    return text;
}

} // namespace

CString BuildMessageDetailText(const CCommLogRecord& record)
{
    CString text = GetMessageText(record.m_nMsgCode);
    const CString payload = PayloadText(record);
    if (record.GetPayloadSize() > 0) {
        text += "\r\n";
        text += payload;
    }
    const int error = record.m_nSysError;
    if (error != 0 && record.m_nMsgCode < kFirstSystemErrorCode) {
        text += "\r\n\r\n";
        text += LfToCrLf(WinsockErrorText(WSA_TEXT_NAME, error));
        text.AppendFormat(" (%d)", error);
        text += "\r\n";
        text += LfToCrLf(WinsockErrorText(WSA_TEXT_DESCRIPTION, error));
        text += "\r\n";
        text += LfToCrLf(WinsockErrorText(WSA_TEXT_EXPLANATION, error));
    } else if (error != 0) {
        text += "\r\n\r\n";
        text.AppendFormat("RESULT CODE = (%d)\r\n", error);
        text += SystemErrorText(static_cast<DWORD>(error));
    }
    return text;
}

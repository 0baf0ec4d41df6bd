#include "commreport.h"

#include "portsession.h"
#include "serialapi.h"

namespace {

const char kRule[] = "#######################################\r\n";

struct FlagName
{
    DWORD value;
    const char* name;
};

const FlagName kBaudFlags[] = {
    {BAUD_075, "BAUD_075"},       {BAUD_110, "BAUD_110"},       {BAUD_134_5, "BAUD_134_5"},
    {BAUD_150, "BAUD_150"},       {BAUD_300, "BAUD_300"},       {BAUD_600, "BAUD_600"},
    {BAUD_1200, "BAUD_1200"},     {BAUD_1800, "BAUD_1800"},     {BAUD_2400, "BAUD_2400"},
    {BAUD_4800, "BAUD_4800"},     {BAUD_7200, "BAUD_7200"},     {BAUD_9600, "BAUD_9600"},
    {BAUD_14400, "BAUD_14400"},   {BAUD_19200, "BAUD_19200"},   {BAUD_38400, "BAUD_38400"},
    {BAUD_56K, "BAUD_56K"},       {BAUD_57600, "BAUD_57600"},   {BAUD_115200, "BAUD_115200"},
    {BAUD_128K, "BAUD_128K"},     {BAUD_USER, "BAUD_USER"},
};

const FlagName kSubTypes[] = {
    {PST_FAX, "PST_FAX"},
    {PST_LAT, "PST_LAT"},
    {PST_MODEM, "PST_MODEM"},
    {PST_NETWORK_BRIDGE, "PST_NETWORK_BRIDGE"},
    {PST_PARALLELPORT, "PST_PARALLELPORT"},
    {PST_RS232, "PST_RS232"},
    {PST_RS422, "PST_RS422"},
    {PST_RS423, "PST_RS423"},
    {PST_RS449, "PST_RS449"},
    {PST_SCANNER, "PST_SCANNER"},
    {PST_TCPIP_TELNET, "PST_TCPIP_TELNET"},
    {PST_UNSPECIFIED, "PST_UNSPECIFIED"},
    {PST_X25, "PST_X25"},
};

const FlagName kCapabilities[] = {
    {PCF_16BITMODE, "PCF_16BITMODE"},         {PCF_DTRDSR, "PCF_DTRDSR"},
    {PCF_INTTIMEOUTS, "PCF_INTTIMEOUTS"},     {PCF_PARITY_CHECK, "PCF_PARITY_CHECK"},
    {PCF_RLSD, "PCF_RLSD"},                   {PCF_RTSCTS, "PCF_RTSCTS"},
    {PCF_SETXCHAR, "PCF_SETXCHAR"},           {PCF_SPECIALCHARS, "PCF_SPECIALCHARS"},
    {PCF_TOTALTIMEOUTS, "PCF_TOTALTIMEOUTS"}, {PCF_XONXOFF, "PCF_XONXOFF"},
};

const FlagName kSettableParams[] = {
    {SP_BAUD, "SP_BAUD"},     {SP_DATABITS, "SP_DATABITS"},         {SP_HANDSHAKING, "SP_HANDSHAKING"},
    {SP_PARITY, "SP_PARITY"}, {SP_PARITY_CHECK, "SP_PARITY_CHECK"}, {SP_RLSD, "SP_RLSD"},
    {SP_STOPBITS, "SP_STOPBITS"},
};

const FlagName kDataBits[] = {
    {DATABITS_5, "DATABITS_5"}, {DATABITS_6, "DATABITS_6"},   {DATABITS_7, "DATABITS_7"},
    {DATABITS_8, "DATABITS_8"}, {DATABITS_16, "DATABITS_16"}, {DATABITS_16X, "DATABITS_16X"},
};

const FlagName kStopParity[] = {
    {STOPBITS_10, "STOPBITS_10"}, {STOPBITS_15, "STOPBITS_15"}, {STOPBITS_20, "STOPBITS_20"},
    {PARITY_NONE, "PARITY_NONE"}, {PARITY_ODD, "PARITY_ODD"},   {PARITY_EVEN, "PARITY_EVEN"},
    {PARITY_MARK, "PARITY_MARK"}, {PARITY_SPACE, "PARITY_SPACE"},
};

template <size_t N>
void AppendFlagList(CString& text, const char* header, const FlagName (&flags)[N], DWORD field, bool byEquality)
{
    text += header;
    for (const FlagName& flag : flags) {
        const bool set = byEquality ? field == flag.value : (field & flag.value) != 0;
        text += set ? "[○]" : "[－]";
        text += flag.name;
        text += "\r\n";
    }
    text += "\r\n";
}

// The provider characters that lie inside the structure, up to the first zero, as multibyte
// text of at most 260 bytes. The structure holds one wide character; whatever a driver put
// after it is not ours to read.
CString ProviderText(const COMMPROP& prop)
{
    const int capacity = static_cast<int>(sizeof(prop.wcProvChar) / sizeof(prop.wcProvChar[0]));
    int count = 0;
    while (count < capacity && prop.wcProvChar[count] != 0)
        ++count;
    if (count == 0)
        return CString();
    char buffer[261] = "";
    const int written = ::WideCharToMultiByte(CP_ACP, 0, prop.wcProvChar, count, buffer, 260, NULL, NULL);
    buffer[written > 0 ? written : 0] = '\0';
    return CString(buffer);
}

// The heading of a call that succeeded, or its error line with the system's error.
bool AppendStep(CString& text, const char* call, BOOL ok)
{
    if (!ok) {
        const DWORD error = ::GetLastError();
        text.AppendFormat("%s Error [%d]\r\n", call, static_cast<int>(error));
        return false;
    }
    text += kRule;
    text += "# ";
    text += call;
    text += "\r\n";
    text += kRule;
    return true;
}

} // namespace

CString FormatCommPropReport(const COMMPROP& prop)
{
    CString text = "--- COMMPROP ---\r\n";
    text.AppendFormat("[%04X]    :wPacketLength       <構造体サイズ>\r\n", prop.wPacketLength);
    text.AppendFormat("[%04X]    :wPacketVersion      <構造体バージョン>\r\n", prop.wPacketVersion);
    text.AppendFormat("[%08X]:dwServiceMask       <実行されたサービス>\r\n", static_cast<unsigned>(prop.dwServiceMask));
    text.AppendFormat("[%08X]:dwReserved1         <予約>\r\n", static_cast<unsigned>(prop.dwReserved1));
    text.AppendFormat("[%08X]:dwMaxTxQueue        <バイト単位の最大送信バッファサイズ>\r\n",
                      static_cast<unsigned>(prop.dwMaxTxQueue));
    text.AppendFormat("[%08X]:dwMaxRxQueue        <バイト単位の最大受信バッファサイズ>\r\n",
                      static_cast<unsigned>(prop.dwMaxRxQueue));
    text.AppendFormat("[%08X]:dwMaxBaud           <ボーレート最大値>\r\n", static_cast<unsigned>(prop.dwMaxBaud));
    text.AppendFormat("[%08X]:dwProvSubType       <特定プロバイダータイプ>\r\n", static_cast<unsigned>(prop.dwProvSubType));
    text.AppendFormat("[%08X]:dwProvCapabilities  <サポートされた関数>\r\n",
                      static_cast<unsigned>(prop.dwProvCapabilities));
    text.AppendFormat("[%08X]:dwSettableParams    <変更可能パラメータ>\r\n", static_cast<unsigned>(prop.dwSettableParams));
    text.AppendFormat("[%08X]:dwSettableBaud      <許可されたボーレート>\r\n", static_cast<unsigned>(prop.dwSettableBaud));
    text.AppendFormat("[%04X]    :wSettableData       <許可されたバイトサイズ>\r\n", prop.wSettableData);
    text.AppendFormat("[%04X]    :wSettableStopParity <ストップビット／パリティ許可>\r\n", prop.wSettableStopParity);
    text.AppendFormat("[%08X]:dwCurrentTxQueue    <Txバッファサイズ>\r\n", static_cast<unsigned>(prop.dwCurrentTxQueue));
    text.AppendFormat("[%08X]:dwCurrentRxQueue    <Rxバッファサイズ>\r\n", static_cast<unsigned>(prop.dwCurrentRxQueue));
    text.AppendFormat("[%08X]:dwProvSpec1         <プロバイダー特定データ>\r\n", static_cast<unsigned>(prop.dwProvSpec1));
    text.AppendFormat("[%08X]:dwProvSpec2         <プロバイダー特定データ>\r\n", static_cast<unsigned>(prop.dwProvSpec2));
    text.AppendFormat("[%08X]:wcProvChar          <プロバイダー特定データ>\r\n", static_cast<unsigned>(prop.wcProvChar[0]));
    text += "          :[";
    text += ProviderText(prop);
    text += "] <プロバイダー特定データの内容>";
    text += "\r\n\r\n";

    AppendFlagList(text, "--- ボーレート最大値 ---\r\n", kBaudFlags, prop.dwMaxBaud, false);
    // The sub-type is one enumerated value, not a set of bits: a bit test would mark
    // PST_RS232 for PST_RS422 and could never mark PST_UNSPECIFIED.
    AppendFlagList(text, "--- 特定プロバイダタイプ ---\r\n", kSubTypes, prop.dwProvSubType, true);
    AppendFlagList(text, "--- サポートされた関数 ---\r\n", kCapabilities, prop.dwProvCapabilities, false);
    AppendFlagList(text, "--- 変更可能パラメータ ---\r\n", kSettableParams, prop.dwSettableParams, false);
    AppendFlagList(text, "--- 許可されたボーレート ---\r\n", kBaudFlags, prop.dwSettableBaud, false);
    AppendFlagList(text, "--- 許可されたバイトサイズ ---\r\n", kDataBits, prop.wSettableData, false);
    AppendFlagList(text, "--- ストップビット／パリティ許可 ---\r\n", kStopParity, prop.wSettableStopParity, false);
    return text;
}

CString FormatDcbReport(const DCB& dcb)
{
    CString text = "--- DCB ---\r\n";
    text.AppendFormat("[%08X]:DCBlength               <DCBサイズ>\r\n", static_cast<unsigned>(dcb.DCBlength));
    text.AppendFormat("[%08X]:BaudRate                <現在のボーレート>\r\n", static_cast<unsigned>(dcb.BaudRate));
    text.AppendFormat("[%08X]:fBinary                 <バイナリーモード>\r\n", static_cast<unsigned>(dcb.fBinary));
    text.AppendFormat("[%08X]:fParity                 <パリティON/OFF>\r\n", static_cast<unsigned>(dcb.fParity));
    text.AppendFormat("[%08X]:fOutxCtsFlow            <CTSアウトプットフロー制御>\r\n",
                      static_cast<unsigned>(dcb.fOutxCtsFlow));
    text.AppendFormat("[%08X]:fOutxDsrFlow            <DSRアウトプットフロー制御>\r\n",
                      static_cast<unsigned>(dcb.fOutxDsrFlow));
    text.AppendFormat("[%08X]:fDtrControl             <DTRフロー制御タイプ>\r\n", static_cast<unsigned>(dcb.fDtrControl));
    text.AppendFormat("[%08X]:fDsrSensitivity         <DSR敏感>\r\n", static_cast<unsigned>(dcb.fDsrSensitivity));
    text.AppendFormat("[%08X]:fTXContinueOnXoff       <XOFFはTxを続けます>\r\n",
                      static_cast<unsigned>(dcb.fTXContinueOnXoff));
    text.AppendFormat("[%08X]:fOutX                   <XON/XOFF外部フロー制御>\r\n", static_cast<unsigned>(dcb.fOutX));
    text.AppendFormat("[%08X]:fInX                    <XON/XOFF内部フロー制御>\r\n", static_cast<unsigned>(dcb.fInX));
    text.AppendFormat("[%08X]:fErrorChar              <エラー置換可>\r\n", static_cast<unsigned>(dcb.fErrorChar));
    text.AppendFormat("[%08X]:fNull                   <NULLストリッピング可>\r\n", static_cast<unsigned>(dcb.fNull));
    text.AppendFormat("[%08X]:fRtsControl             <RTSフロー制御>\r\n", static_cast<unsigned>(dcb.fRtsControl));
    text.AppendFormat("[%08X]:fAbortOnError           <Read/WriteエラーAbort>\r\n",
                      static_cast<unsigned>(dcb.fAbortOnError));
    text.AppendFormat("[%08X]:fDummy2                 <予約>\r\n", static_cast<unsigned>(dcb.fDummy2));
    text.AppendFormat("[%04X]    :wReserved               <予約>\r\n", dcb.wReserved);
    text.AppendFormat("[%04X]    :XonLim                  <送信XONスレッショルド>\r\n", dcb.XonLim);
    text.AppendFormat("[%04X]    :XoffLim                 <送信XOFFスレッショルド>\r\n", dcb.XoffLim);
    text.AppendFormat("[%02X]      :ByteSize                <１ByteのBit数,4-8>\r\n", dcb.ByteSize);
    text.AppendFormat("[%02X]      :Parity                  <Parity>\r\n", dcb.Parity);
    text.AppendFormat("[%02X]      :StopBits                <StopBits>\r\n", dcb.StopBits);
    text.AppendFormat("[%02X]      :XonChar                 <XonChar>\r\n", static_cast<BYTE>(dcb.XonChar));
    text.AppendFormat("[%02X]      :XoffChar                <XoffChar>\r\n", static_cast<BYTE>(dcb.XoffChar));
    text.AppendFormat("[%02X]      :ErrorChar               <エラー置換文字>\r\n", static_cast<BYTE>(dcb.ErrorChar));
    text.AppendFormat("[%02X]      :EofChar                 <EofChar>\r\n", static_cast<BYTE>(dcb.EofChar));
    text.AppendFormat("[%02X]      :EvtChar                 <EvtChar>\r\n", static_cast<BYTE>(dcb.EvtChar));
    text.AppendFormat("[%04X]    :wReserved1              <予約>\r\n", dcb.wReserved1);
    text += "\r\n";
    return text;
}

CString ReportPortDefaultStatus(int nComIndex)
{
    // The shown name stays "COMn"; the device is opened by its device-namespace name, the only
    // one that reaches COM10 and above.
    CString portName;
    portName.Format("COM%d", nComIndex + 1);
    CString text = kRule;
    text += "# Default Status [" + portName + "]\r\n";
    text += kRule;
    text += "\r\n";

    const SerialApiTable& api = SerialApi();
    const HANDLE hPort = api.CreateFileA(MakeComDeviceName(nComIndex), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                         OPEN_EXISTING, FILE_FLAG_OVERLAPPED, NULL);
    if (hPort == INVALID_HANDLE_VALUE) {
        text.AppendFormat("Open Error [%d]\r\n", static_cast<int>(::GetLastError()));
        return text;
    }

    // Each step runs only while every step before it succeeded.
    COMMPROP prop = {};
    DCB dcb = {};
    DWORD value = 0;
    do {
        if (!AppendStep(text, "GetCommProperties", api.GetCommProperties(hPort, &prop)))
            break;
        text += FormatCommPropReport(prop);
        if (!AppendStep(text, "GetCommState", api.GetCommState(hPort, &dcb)))
            break;
        text += FormatDcbReport(dcb);
        if (!AppendStep(text, "GetCommMask", api.GetCommMask(hPort, &value)))
            break;
        text.AppendFormat("GetCommMask = [%08X]\r\n\r\n", static_cast<unsigned>(value));
        if (!AppendStep(text, "GetCommModemStatus", api.GetCommModemStatus(hPort, &value)))
            break;
        text.AppendFormat("GetCommModemStatus = [%08X]\r\n\r\n", static_cast<unsigned>(value));
    } while (false);
    api.CloseHandle(hPort);
    return text;
}

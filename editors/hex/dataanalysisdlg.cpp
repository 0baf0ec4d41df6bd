// The data analysis report and its dialog.
#include "dataanalysisdlg.h"

#include <cstdint>
#include <cstring>

#include "resource.h"

namespace {

uint16_t Little16(const BYTE* b) { return static_cast<uint16_t>(b[0] | (b[1] << 8)); }
uint16_t Big16(const BYTE* b) { return static_cast<uint16_t>((b[0] << 8) | b[1]); }

uint32_t Little32(const BYTE* b)
{
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
}

uint32_t Big32(const BYTE* b)
{
    return (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
           (static_cast<uint32_t>(b[2]) << 8) | static_cast<uint32_t>(b[3]);
}

uint64_t Little64(const BYTE* b)
{
    return static_cast<uint64_t>(Little32(b)) | (static_cast<uint64_t>(Little32(b + 4)) << 32);
}

uint64_t Big64(const BYTE* b)
{
    return (static_cast<uint64_t>(Big32(b)) << 32) | static_cast<uint64_t>(Big32(b + 4));
}

float FloatOf(uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
}

double DoubleOf(uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof(d));
    return d;
}

} // namespace

CString BuildDataAnalysisText(int caret, const BYTE* data, UINT size)
{
    CString text;
    text.AppendFormat("Cursor Position(Dec):%d\r\n", caret);
    text.AppendFormat("Cursor Position(Hex):%08X\r\n\r\n", caret);

    BYTE b[8] = {};
    UINT n = 0;
    if (caret >= 0 && data != nullptr) {
        for (UINT i = static_cast<UINT>(caret); i < size && n < 8; ++i)
            b[n++] = data[i];
    }

    if (n >= 1) {
        text.AppendFormat("1Byte [0x%02X]\r\n", b[0]);
        text.AppendFormat("char                :%d\r\n", static_cast<int>(static_cast<signed char>(b[0])));
        text.AppendFormat("unsigned char       :%d\r\n", static_cast<int>(b[0]));
        text += "\r\n";
    }
    if (n >= 2) {
        text.AppendFormat("2Byte [0x%02X%02X]\r\n", b[0], b[1]);
        text.AppendFormat("L:short             :%d\r\n", static_cast<int>(static_cast<int16_t>(Little16(b))));
        text.AppendFormat("L:unsigned short    :%u\r\n", static_cast<unsigned>(Little16(b)));
        text.AppendFormat("B:short             :%d\r\n", static_cast<int>(static_cast<int16_t>(Big16(b))));
        text.AppendFormat("B:unsigned short    :%u\r\n", static_cast<unsigned>(Big16(b)));
        text += "\r\n";
    }
    if (n >= 4) {
        text.AppendFormat("4Byte [0x%02X%02X%02X%02X]\r\n", b[0], b[1], b[2], b[3]);
        text.AppendFormat("L:long              :%d\r\n", static_cast<int>(static_cast<int32_t>(Little32(b))));
        text.AppendFormat("L:unsigned long     :%u\r\n", static_cast<unsigned>(Little32(b)));
        text.AppendFormat("L:float             :%f\r\n", static_cast<double>(FloatOf(Little32(b))));
        text.AppendFormat("B:long              :%d\r\n", static_cast<int>(static_cast<int32_t>(Big32(b))));
        text.AppendFormat("B:unsigned long     :%u\r\n", static_cast<unsigned>(Big32(b)));
        text.AppendFormat("B:float             :%f\r\n", static_cast<double>(FloatOf(Big32(b))));
        text += "\r\n";
    }
    if (n == 8) {
        text.AppendFormat("8Byte [0x%02X%02X%02X%02X%02X%02X%02X%02X]\r\n", b[0], b[1], b[2], b[3], b[4], b[5],
                          b[6], b[7]);
        text.AppendFormat("L:double            :%f\r\n", DoubleOf(Little64(b)));
        text.AppendFormat("B:double            :%f\r\n", DoubleOf(Big64(b)));
        text += "\r\n";
    }
    return text;
}

BEGIN_MESSAGE_MAP(CDataAnalyzerDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDataAnalyzerDlg::CDataAnalyzerDlg(CWnd* pParent)
    : CDialog(IDD_DATA_ANALYZER, pParent), m_nCaret(0), m_crBack(::GetSysColor(COLOR_WINDOW))
{
    m_brush.CreateSolidBrush(m_crBack);
}

void CDataAnalyzerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANALYSIS_TEXT, m_text);
}

BOOL CDataAnalyzerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CString text;
    if (m_data.vt == (VT_ARRAY | VT_UI1) && m_data.parray != NULL) {
        const DWORD size = m_data.GetOneDimSize();
        void* p = NULL;
        m_data.AccessData(&p);
        text = BuildDataAnalysisText(m_nCaret, static_cast<const BYTE*>(p), size);
        m_data.UnaccessData();
    } else {
        text = BuildDataAnalysisText(m_nCaret, nullptr, 0);
    }

    m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
    m_text.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    m_text.SetWindowText(text);
    return TRUE;
}

HBRUSH CDataAnalyzerDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->m_hWnd == m_text.m_hWnd) {
        pDC->SetBkColor(m_crBack);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return hbr;
}

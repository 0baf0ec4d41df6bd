#include "popupcolorgrid.h"

#include <algorithm>

namespace {

const int kSlot = 20;
const int kMinButtonHeight = 22;

// "Pale green " keeps its trailing blank: the name is the palette's own; the tip trims it.
const PopupColorEntry g_palette[PopupColorGrid::kColorCount] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 50"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 40"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

}  // namespace

const PopupColorEntry& PopupColorGrid::Entry(int nIndex)
{
    if (nIndex < 0 || nIndex >= kColorCount)
        nIndex = 0;
    return g_palette[nIndex];
}

int PopupColorGrid::FindColorIndex(COLORREF clr)
{
    for (int i = 0; i < kColorCount; ++i) {
        if (g_palette[i].clr == clr)
            return i;
    }
    return -1;
}

int PopupColorGrid::MoveInGrid(int nChosen, UINT nVirtKey)
{
    if (nVirtKey != VK_LEFT && nVirtKey != VK_RIGHT && nVirtKey != VK_UP && nVirtKey != VK_DOWN)
        return -1;
    if (nChosen < 0 || nChosen >= kColorCount)
        return 0;
    int nCol = nChosen % kColumns;
    int nRow = nChosen / kColumns;
    switch (nVirtKey) {
    case VK_LEFT: nCol = (nCol + kColumns - 1) % kColumns; break;
    case VK_RIGHT: nCol = (nCol + 1) % kColumns; break;
    case VK_UP: nRow = (nRow + kRows - 1) % kRows; break;
    default: nRow = (nRow + 1) % kRows; break;
    }
    return nRow * kColumns + nCol;
}

PopupColorGrid::Notification PopupColorGrid::Decide(int nChosen, bool bFinal, COLORREF clrDefault)
{
    Notification n;
    if (nChosen == kChosenCustom) {
        n.kind = NotifyCustColor;
        n.bStoreResult = bFinal;
        n.clrResult = kResultCustom;
        return n;
    }
    if (nChosen >= kColorCount || (nChosen < 0 && nChosen != kChosenDefault))
        return n;
    COLORREF clr = nChosen == kChosenDefault ? clrDefault : g_palette[nChosen].clr;
    n.wParam = clr;
    if (bFinal) {
        n.kind = NotifyChangedFinally;
        n.bStoreResult = true;
        n.clrResult = clr;
    } else {
        n.kind = NotifyChanged;
    }
    return n;
}

void PopupColorGrid::Layout(const Metrics& metrics, bool bDefault, CSize szDefaultText, bool bCustom,
                            CSize szCustomText)
{
    m_metrics = metrics;
    m_bDefault = bDefault;
    m_bCustom = bCustom;
    m_ptContent = CPoint(0, 0);
    const int m = metrics.nMargin;
    const int sh = metrics.nShadow;
    int cx = sh + 2 * m + kColumns * kSlot;
    int cy = sh + 2 * m + kRows * kSlot;
    int cyDefault = 0;
    int cyCustom = 0;
    if (bDefault) {
        cyDefault = std::max<int>(szDefaultText.cy, kMinButtonHeight);
        cy += metrics.nBorder + 6 + cyDefault;
        cx = std::max<int>(cx, szDefaultText.cx + 6);
    }
    if (bCustom) {
        cyCustom = std::max<int>(szCustomText.cy, kMinButtonHeight);
        cy += metrics.nBorder + 6 + cyCustom;
        cx = std::max<int>(cx, szCustomText.cx + 6);
    }
    // Both buttons take the final width, so a long text on either widens both alike.
    const int w = cx - 2 * (m + 3) - sh;
    m_cyDefault = cyDefault;
    m_rcDefault = bDefault ? CRect(m + 3, m + 3, m + 3 + w, m + 3 + cyDefault) : CRect(0, 0, 0, 0);
    m_rcCustom = CRect(0, 0, 0, 0);
    if (bCustom) {
        m_rcCustom = CRect(m + 3, m + 3, m + 3 + w, m + 3 + cyCustom);
        if (bDefault)
            m_rcCustom.OffsetRect(0, metrics.nBorder + cyDefault + 6);
        m_rcCustom.OffsetRect(0, m + 102);
    }
    m_size = CSize(cx + metrics.nLeftBand, cy);
}

void PopupColorGrid::PlaceInWindow(CPoint ptContent)
{
    m_ptContent = ptContent;
    const CPoint offset(ptContent.x + m_metrics.nLeftBand, ptContent.y);
    if (m_bDefault)
        m_rcDefault.OffsetRect(offset);
    if (m_bCustom)
        m_rcCustom.OffsetRect(offset);
}

CRect PopupColorGrid::GetCellRect(int nIndex) const
{
    const int m = m_metrics.nMargin;
    const int c = nIndex % kColumns;
    const int r = nIndex / kColumns;
    CRect rc(m + kSlot * c + 2, m + kSlot * r + 2, m + kSlot * c + 18, m + kSlot * r + 18);
    if (m_bDefault)
        rc.OffsetRect(0, m_metrics.nBorder + m_cyDefault + 6);
    rc.OffsetRect(m_ptContent.x + m_metrics.nLeftBand, m_ptContent.y);
    return rc;
}

int PopupColorGrid::HitTest(CPoint pt) const
{
    for (int i = 0; i < kColorCount; ++i) {
        if (GetCellRect(i).PtInRect(pt))
            return i;
    }
    if (m_bDefault && m_rcDefault.PtInRect(pt))
        return kChosenDefault;
    if (m_bCustom && m_rcCustom.PtInRect(pt))
        return kChosenCustom;
    return kChosenNone;
}

// Figure 9: the hex editor model over a 16 MiB buffer. Painting must cost what is visible, not what
// lies before it; a typed byte at most one pass over the data; undo about what the edits cost.
#include "benchkit.h"
#include "figures.h"

#include "hexeditmodel.h"
#include "hexpaint.h"

#include <cstring>
#include <vector>

namespace bench {

namespace {

const UINT kBigSize = 16u << 20;
const UINT kSmallSize = 1024;
const int kColumns = 100;
const int kRows = 40;

std::vector<BYTE> RandomBytes(UINT size, unsigned seed)
{
    std::vector<BYTE> bytes(size);
    for (BYTE& b : bytes) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        b = static_cast<BYTE>(seed >> 7);
    }
    return bytes;
}

void LayOut(HexEditModel& model, const std::vector<BYTE>& data)
{
    HexViewMetrics m;
    m.nCellWidth = 8;
    m.nCellHeight = 16;
    m.nAreaWidth = kColumns * 8 + 4;
    m.nAreaHeight = (kRows + 1) * 16;
    model.SetViewMetrics(m);
    model.RecalcLayout();
    model.SetData(data.data(), static_cast<UINT>(data.size()));
    model.ClearUndo();
    model.SetFocus();
    model.TakeViewChanges();
}

// A memory DC over a DIB section of the window's size.
class Surface
{
public:
    Surface()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kColumns * 8 + 4;
        info.bmiHeader.biHeight = -(kRows + 1) * 16;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_hdc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_hdc, m_bitmap);
        m_rc = {0, 0, info.bmiHeader.biWidth, -info.bmiHeader.biHeight};
    }
    ~Surface()
    {
        SelectObject(m_hdc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_hdc);
    }
    void Paint(const HexEditModel& model)
    {
        PaintHexEdit(m_hdc, m_rc, model);
        GdiFlush();
    }

private:
    HDC m_hdc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    RECT m_rc;
};

const char* const kModeNames[] = {"ascii", "sjis", "jis", "euc", "utf8"};

void PaintFigures(const std::vector<BYTE>& big, const std::vector<BYTE>& small)
{
    Surface surface;
    HexEditModel bigModel, smallModel;
    LayOut(bigModel, big);
    LayOut(smallModel, small);
    bigModel.VScroll(SB_THUMBTRACK, 0x7FFFFFF);
    smallModel.VScroll(SB_THUMBTRACK, 0x7FFFFFF);
    const int kPaints = 5;
    for (int mode = CHARCODE_ASCII; mode <= CHARCODE_UTF8; ++mode) {
        bigModel.m_nCharCode = smallModel.m_nCharCode = mode;
        surface.Paint(bigModel);
        surface.Paint(smallModel);
        std::vector<double> floors, values;
        for (int run = 0; run < Runs(); ++run) {
            floors.push_back(TimeOf([&] {
                for (int i = 0; i < kPaints; ++i)
                    surface.Paint(smallModel);
            }) / kPaints);
            values.push_back(TimeOf([&] {
                for (int i = 0; i < kPaints; ++i)
                    surface.Paint(bigModel);
            }) / kPaints);
        }
        Report(std::string("9 hex.paint-end-16MiB.") + kModeNames[mode], Median(values) * 1e3, "ms",
               Median(floors) * 1e3, "paint-1KiB", AtMost, 1.2);
    }
}

void TypingFigures(const std::vector<BYTE>& big)
{
    HexEditModel model;
    LayOut(model, big);
    model.m_dwMode = HEXMODE_HEXCOLUMN | HEXMODE_INSERT;
    std::vector<BYTE> scratch(big.size() + 16);
    std::vector<double> floors, values;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(TimeOf([&] { std::memmove(scratch.data() + 1, scratch.data(), big.size()); }));
        // Each byte is typed at offset 0 as two hex digits, the first of which inserts it.
        model.MoveCaret(-model.GetCaret(), 0, true);
        values.push_back(TimeOf([&] {
            model.Char('4');
            model.Char('1');
        }));
        model.TakeViewChanges();
    }
    Report("9 hex.type-byte-at-0-16MiB", Median(values) * 1e3, "ms", Median(floors) * 1e3, "memmove-16MiB", AtMost,
           3);
}

void UndoFigures(const std::vector<BYTE>& big)
{
    // The edits are typed at the end of the data, so what is measured is the edits' and
    // the undo's own work over the 16 MiB, not the moving of the bytes after them.
    const int kEdits = 999;
    std::vector<double> floors, values;
    HexEditModel model;
    LayOut(model, big);
    model.m_dwMode = HEXMODE_HEXCOLUMN | HEXMODE_INSERT;
    for (int run = 0; run < Runs(); ++run) {
        model.MoveCaret(static_cast<int>(model.GetDataSize()) - model.GetCaret(), 0, true);
        floors.push_back(TimeOf([&] {
            // Every hex digit typed is one edit with its own undo record.
            for (int i = 0; i < kEdits; ++i)
                model.Char(i & 1 ? 'A' : '5');
        }));
        values.push_back(TimeOf([&] {
            for (int i = 0; i < kEdits; ++i)
                model.Undo();
        }));
        model.TakeViewChanges();
    }
    Report("9 hex.undo-999-edits-16MiB", Median(values) * 1e3, "ms", Median(floors) * 1e3, "make-999-edits", AtMost,
           2);
    if (model.GetDataSize() != big.size())
        Report("9 hex.undo-restores-size", model.GetDataSize(), "bytes", big.size(), "original", AtMost, 1);
}

} // namespace

void HexFigures()
{
    const std::vector<BYTE> big = RandomBytes(kBigSize, 5);
    const std::vector<BYTE> small(big.end() - kSmallSize, big.end());
    PaintFigures(big, small);
    TypingFigures(big);
    UndoFigures(big);
}

} // namespace bench

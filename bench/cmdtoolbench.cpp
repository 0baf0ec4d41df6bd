// Beside figure 4: the command tool's output and its stop. The probe program built with the
// tests writes 2 MiB of text lines through the system's command interpreter; the time from the
// first text shown to the last is set against a bare edit control of the same size and font fed
// the same pieces the tool added. Then the probe writes without pause and the run button stops
// it: the time from the press to the tool's end against a bound of a second.
#include "benchkit.h"
#include "figures.h"

#include "commandtool_support.h"
#include "commandtooldlg.h"
#include "dialogdriver.h"

#include <functional>
#include <string>
#include <vector>

namespace bench {

namespace {

// Works the thread's queue until done() holds or the time has passed.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

} // namespace

void CommandToolFigures()
{
    const size_t kBytes = 2 * 1024 * 1024;
    const std::string expected = cmdtool::ProbeBytesShown(kBytes);
    std::vector<double> tools, bares, stops;
    for (int run = 0; run < Runs(); ++run) {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            PumpUntil([&] { return !cmdtool::Running(hDlg); }, 60000);
            HWND hOutput = GetDlgItem(hDlg, IDC_CMDTOOL_OUTPUT);
            double tool = -1;
            {
                cmdtool::AdditionRecorder recorder(hOutput);
                cmdtool::SetParam(hDlg, "com1 > nul 2>&1 & " + cmdtool::Probe() + " bytes " + std::to_string(kBytes));
                DialogDriver::Press(hDlg, IDOK);
                PumpUntil([&] { return GetWindowTextLengthA(hOutput) > 0; }, 60000);
                const double first = Now();
                if (PumpUntil([&] { return GetWindowTextLengthA(hOutput) >= static_cast<int>(expected.size()); }, 120000))
                    tool = Now() - first;
                PumpUntil([&] { return !cmdtool::Running(hDlg); }, 60000);
            }
            std::string shown(static_cast<size_t>(GetWindowTextLengthA(hOutput)) + 1, '\0');
            shown.resize(static_cast<size_t>(GetWindowTextA(hOutput, &shown[0], static_cast<int>(shown.size()))));
            const DWORD bare = shown == expected ? cmdtool::BareEditMs(hDlg, expected, cmdtool::AdditionRecorder::Pieces())
                                                 : MAXDWORD;
            if (tool >= 0 && bare != MAXDWORD) {
                tools.push_back(tool);
                bares.push_back(bare / 1000.0);
            }

            cmdtool::SetParam(hDlg, "com1 > nul 2>&1 & " + cmdtool::Probe() + " flood 60");
            DialogDriver::Press(hDlg, IDOK);
            if (PumpUntil([&] { return GetWindowTextLengthA(hOutput) > 100000; }, 60000) && cmdtool::Running(hDlg)) {
                const double press = Now();
                DialogDriver::Press(hDlg, IDOK);
                if (PumpUntil([&] { return !cmdtool::Running(hDlg); }, 60000))
                    stops.push_back(Now() - press);
            }
            DialogDriver::Post(hDlg, IDCANCEL);
        });
        CCommandToolDlg dlg;
        dlg.DoModal();
    }
    if (tools.empty() || stops.empty()) {
        Report("4 cmdtool.runs-measured", 0, "runs", Runs(), "runs", AtLeast, 1);
        return;
    }
    Report("4 cmdtool.output-2MiB", Median(tools) * 1000, "ms", Median(bares) * 1000, "bare-edit", AtMost, 2);
    Report("4 cmdtool.stop-while-flooding", Median(stops) * 1000, "ms", 1000, "bound", AtMost, 1);
}

} // namespace bench

// The progress window of a silent installation: a borderless, topmost panel with a status line, a
// progress line and a bar. Until the converter reports, the bar creeps forward by timer; from the
// converter's first message on it follows the converter's counts, and the progress line shows the
// file the converter works on. It closes one timer interval after the converter has finished, or
// at once when asked to close.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Timer.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TLxSetupManager;

// What the converter reports with the first parameter of its message. The second parameter holds
// the total count in its low 16 bits and, for progress, the count done in its high 16 bits.
enum TOrnConverterCode : WPARAM {
    ccProgress = 2,
    ccNextFile = 6, // the converter works on the file named in the exchange file
    ccFinished = 10,
    ccFinishedOther = 20, // the converter's other completion code
};

class TOrnOVIProgress000 : public TZelForm {
public:
    TOrnOVIProgress000(TZelApplication& application, TLxSetupManager& manager);

    TZelLabel lblSTATUS;
    TZelLabel lblPROGRESS;
    TZelProgressBar barPROGRESS;
    TZelTimer timPROG;

    // -1 until the converter's first message, then the bar's position at that moment; the
    // converter's counts are added to it.
    int32_t ProgressBase = -1;
    // The converter has finished: the next timer tick closes the window.
    bool Finishing = false;
    // The language's texts for the status and progress lines once the converter reports.
    std::wstring ConvertStatusText;
    std::wstring ConvertProgressText;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;
    void FormPaint(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void timPROGTimer();
    void ConverterReported(WPARAM code, LPARAM counts);
    void ShowCurrentFile();

    // The converter's registered message; 0 when the registration failed (then none is taken).
    UINT converterMessage_;
    // A converter message is being handled: one that arrives meanwhile is handled completely,
    // but leaves the pending messages to the one already letting them run.
    bool reporting_ = false;
    // Gives the language whose texts the window shows.
    TLxSetupManager& manager_;
};

// The exchange file in which the converter names the file it works on, for the window:
// "RP" + the handle in eight upper-case hexadecimal digits + ".eres".
std::wstring ExchangeFileName(HWND window);

// Runs the progress window as the main window until it closes; the application's own window
// carries the taskbar button.
void RunProgressWindow(TLxSetupManager& manager);

// The base of the program's windows: a top-level window of its own window class with the
// controls and timers it declares, laid out at 96 dpi and scaled to the screen, centred on it.
//
// Life of a form: construction declares it; Create makes the window and its controls and runs
// FormCreate; Show runs FormShow and shows it; Close asks FormCloseQuery, runs FormClose and
// hides it (closing the main form ends the application's message loop); Destroy runs
// FormDestroy and destroys the window.
#pragma once

#include "toolkit/DpiScaling.h"
#include "toolkit/WindowFont.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TZelApplication;
class TZelButton;
enum class TZelButtonRole;
class TZelControl;
class TZelTimer;

enum class TZelFormBorder {
    Single, // caption with the system menu box only, not resizable
    None,   // no caption and no border
};

struct TZelFormDesign {
    std::wstring className;
    TZelFormBorder border = TZelFormBorder::Single;
    int clientWidth = 0; // design pixels
    int clientHeight = 0;
    std::wstring caption;
    std::wstring fontName;
    int fontSize = 8; // points
    BYTE fontCharset = DEFAULT_CHARSET;
};

class TZelForm {
public:
    TZelForm(TZelApplication& application, TZelFormDesign design);
    virtual ~TZelForm();
    TZelForm(const TZelForm&) = delete;
    TZelForm& operator=(const TZelForm&) = delete;

    void Create();
    void Show();
    void Hide();
    void Close();
    void Destroy();

    HWND Handle() const { return handle_; }
    bool Visible() const;
    TZelApplication& Application() const { return application_; }
    // The dpi the layout was scaled to.
    int Dpi() const { return dpi_; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    const TZelWindowFont& Font() const { return *font_; }
    // Gives the form and all its controls a new font (before Create: the font they start with).
    void SetFont(const std::wstring& name, int size, BYTE charset);

    // The form a window handle belongs to, or nullptr.
    static TZelForm* FromHandle(HWND window);

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose() {}
    virtual void FormDestroy() {}
    virtual void FormPaint(HDC /*dc*/) {}

    // The form's window procedure; an override passes what it does not handle on to this one.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class TZelControl;
    friend class TZelTimer;
    int RegisterControl(TZelControl& control);
    int RegisterTimer(TZelTimer& timer);

    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The form kept in a form window's own data; only for windows known to be form windows.
    static TZelForm* FormOf(HWND formWindow);
    bool RegisterWindowClass() const;
    void CreateControls();
    TZelControl* ControlById(int id) const;
    TZelButton* ButtonWithRole(TZelButtonRole role) const;
    LRESULT DefaultButtonId() const;
    void CommandReceived(WORD id, WORD code);
    HWND FocusTarget() const;

    TZelApplication& application_;
    TZelFormDesign design_;
    HWND handle_ = nullptr;
    int dpi_ = kDesignDpi;
    std::unique_ptr<TZelWindowFont> font_;
    std::vector<TZelControl*> controls_;
    std::vector<TZelTimer*> timers_;
    int nextId_;
    HWND lastFocus_ = nullptr;
};

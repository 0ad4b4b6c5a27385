#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Control.h"
#include "toolkit/GdiObjects.h"
#include "toolkit/Timer.h"

namespace {

// A form window keeps its form in the first bytes of its own window data. A named window property
// would do the same, but looking one up goes to the window manager each time, and the form is
// looked up for every message the window receives.
constexpr int kFormSlot = 0;
// Control and timer identifiers start above those of the dialog commands (IDOK, IDCANCEL...).
constexpr int kFirstControlId = 100;

DWORD StyleOf(TZelFormBorder border) {
    return border == TZelFormBorder::None
               ? WS_POPUP | WS_CLIPCHILDREN
               : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

} // namespace

TZelForm::TZelForm(TZelApplication& application, TZelFormDesign design)
    : application_(application), design_(std::move(design)), nextId_(kFirstControlId) {}

TZelForm::~TZelForm() {
    // The controls and timers were members of the derived form and are gone already.
    controls_.clear();
    timers_.clear();
    if (handle_)
        DestroyWindow(handle_);
}

int TZelForm::RegisterControl(TZelControl& control) {
    controls_.push_back(&control);
    return nextId_++;
}

int TZelForm::RegisterTimer(TZelTimer& timer) {
    timers_.push_back(&timer);
    return nextId_++;
}

TZelForm* TZelForm::FromHandle(HWND window) {
    // Only a window of a form class has the slot; in any other window (a message box, a control)
    // the same bytes mean something else or are not there at all.
    if (!window || static_cast<ULONG_PTR>(GetClassLongPtrW(window, GCLP_WNDPROC)) !=
                       reinterpret_cast<ULONG_PTR>(&StaticWndProc))
        return nullptr;
    return FormOf(window);
}

TZelForm* TZelForm::FormOf(HWND formWindow) {
    return reinterpret_cast<TZelForm*>(GetWindowLongPtrW(formWindow, kFormSlot));
}

bool TZelForm::RegisterWindowClass() const {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, design_.className.c_str(), &windowClass))
        return true;
    windowClass.lpfnWndProc = StaticWndProc;
    windowClass.cbWndExtra = sizeof(TZelForm*);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = design_.className.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

void TZelForm::Create() {
    if (handle_ || !RegisterWindowClass())
        return;
    dpi_ = SystemDpi();
    font_ = std::make_unique<TZelWindowFont>(design_.fontName, design_.fontSize,
                                             design_.fontCharset, dpi_);

    const DWORD style = StyleOf(design_.border);
    const DWORD exStyle = application_.CarriesTaskbarButton(*this) ? WS_EX_APPWINDOW : 0;
    RECT frame{0, 0, ScaleFromDesign(design_.clientWidth, dpi_),
               ScaleFromDesign(design_.clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    CreateWindowExW(exStyle, design_.className.c_str(), design_.caption.c_str(), style, left, top,
                    width, height, application_.OwnerWindowFor(*this), nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!handle_)
        return;

    for (TZelControl* control : controls_)
        control->CreateHandle(handle_, dpi_, font_->Handle());
    for (TZelTimer* timer : timers_)
        timer->Arm();
    FormCreate();
}

void TZelForm::Show() {
    if (!handle_)
        return;
    FormShow();
    ShowWindow(handle_, SW_SHOW);
}

void TZelForm::Hide() {
    if (handle_)
        ShowWindow(handle_, SW_HIDE);
}

bool TZelForm::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void TZelForm::Close() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose)
        return;
    FormClose();
    Hide();
    if (application_.MainForm() == this)
        application_.Terminate();
}

void TZelForm::Destroy() {
    if (!handle_)
        return;
    FormDestroy();
    DestroyWindow(handle_);
}

std::wstring TZelForm::Caption() const {
    if (!handle_)
        return design_.caption;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TZelForm::SetCaption(const std::wstring& caption) {
    if (!handle_)
        design_.caption = caption;
    else if (Caption() != caption)
        SetWindowTextW(handle_, caption.c_str());
}

void TZelForm::SetFont(const std::wstring& name, int size, BYTE charset) {
    if (!handle_) {
        design_.fontName = name;
        design_.fontSize = size;
        design_.fontCharset = charset;
        return;
    }
    // Showing a language again keeps its font: nothing to make, nothing to redraw.
    if (font_ && font_->Name() == name && font_->Size() == size && font_->Charset() == charset)
        return;
    auto font = std::make_unique<TZelWindowFont>(name, size, charset, dpi_);
    for (TZelControl* control : controls_)
        control->ApplyFont(font->Handle());
    // The old font is deleted only now that no control uses it any more.
    font_ = std::move(font);
}

TZelControl* TZelForm::ControlById(int id) const {
    for (TZelControl* control : controls_)
        if (control->Id() == id)
            return control;
    return nullptr;
}

TZelButton* TZelForm::ButtonWithRole(TZelButtonRole role) const {
    for (TZelControl* control : controls_)
        if (auto* button = dynamic_cast<TZelButton*>(control); button && button->Role() == role)
            return button;
    return nullptr;
}

// Enter clicks the focused push button, otherwise the default button.
LRESULT TZelForm::DefaultButtonId() const {
    const HWND focus = GetFocus();
    for (TZelControl* control : controls_)
        if (control->Handle() == focus && dynamic_cast<TZelButton*>(control))
            return MAKELRESULT(control->Id(), DC_HASDEFID);
    if (TZelButton* button = ButtonWithRole(TZelButtonRole::Default))
        return MAKELRESULT(button->Id(), DC_HASDEFID);
    return 0;
}

void TZelForm::CommandReceived(WORD id, WORD code) {
    // Escape arrives as the dialog command IDCANCEL.
    if (id == IDCANCEL) {
        if (TZelButton* button = ButtonWithRole(TZelButtonRole::Cancel))
            button->Click();
        return;
    }
    if (TZelControl* control = ControlById(id))
        control->Notified(code);
}

// The control that gets the focus when the form gets it: the one that had it last, else the
// first in tab order; nullptr when the form has none.
HWND TZelForm::FocusTarget() const {
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(handle_, lastFocus_) &&
        IsWindowEnabled(lastFocus_) && IsWindowVisible(lastFocus_))
        return lastFocus_;
    const HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE);
    return first != handle_ ? first : nullptr;
}

LRESULT TZelForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_COMMAND:
        CommandReceived(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return DefaultButtonId();
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (TZelControl* control = ControlById(static_cast<int>(item.CtlID)))
            control->DrawItem(item);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (TZelControl* control = ControlById(static_cast<int>(item.CtlID)))
            control->MeasureItem(item);
        return TRUE;
    }
    case WM_TIMER:
        for (TZelTimer* timer : timers_)
            if (static_cast<WPARAM>(timer->id_) == wParam)
                timer->Tick();
        return 0;
    case WM_PAINT: {
        TZelPaintDC paint(handle_);
        FormPaint(paint.Handle());
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(handle_, focus))
                lastFocus_ = focus;
            return 0;
        }
        if (const HWND target = FocusTarget(); target && !HIWORD(wParam)) {
            SetFocus(target);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (const HWND target = FocusTarget())
            SetFocus(target);
        return 0;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TZelForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TZelForm* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<TZelForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, kFormSlot, reinterpret_cast<LONG_PTR>(form));
        form->handle_ = window;
    } else {
        form = FormOf(window);
    }
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, kFormSlot, 0);
        form->handle_ = nullptr;
        form->application_.FormDestroyed(*form);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->WndProc(message, wParam, lParam);
}

// The base of the controls a form carries: a child window with a design position and size,
// created together with its form, in the order the controls were declared (the tab order).
#pragma once

#include "toolkit/DpiScaling.h"

#include <windows.h>

#include <string>

class TZelForm;

class TZelControl {
public:
    virtual ~TZelControl() = default;
    TZelControl(const TZelControl&) = delete;
    TZelControl& operator=(const TZelControl&) = delete;

    HWND Handle() const { return handle_; }
    int Id() const { return id_; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The current width in pixels of the screen.
    int Width() const;
    // The font the control shows its text in (the form's).
    HFONT Font() const;

protected:
    // Registers the control with its form; the window follows when the form is created.
    TZelControl(TZelForm& form, const TZelBounds& designBounds, std::wstring caption = {});

    TZelForm& Form() const { return form_; }

    virtual const wchar_t* WindowClass() const = 0;
    virtual DWORD Style() const = 0;
    virtual DWORD ExStyle() const { return 0; }

    // Called once the window exists, and after the text or the font changed.
    virtual void HandleCreated() {}
    virtual void TextChanged() {}
    virtual void FontChanged() {}

    // Messages the form passes on from its children.
    virtual void Notified(WORD /*code*/) {}
    virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT& /*item*/) {}

private:
    friend class TZelForm;
    void CreateHandle(HWND parent, int dpi, HFONT font);
    void ApplyFont(HFONT font);

    TZelForm& form_;
    TZelBounds designBounds_;
    std::wstring initialCaption_;
    bool initiallyEnabled_ = true;
    int id_;
    HWND handle_ = nullptr;
};

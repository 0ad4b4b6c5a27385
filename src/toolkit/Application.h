// The application object of a windowed run: its title, its forms (the first one created is the
// main form), the window that carries the taskbar button, and the message loop.
#pragma once

#include "platform/MessagePump.h"
#include "toolkit/Form.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

enum class TZelTaskbarButton {
    MainForm,          // the main form carries the taskbar button
    ApplicationWindow, // a hidden window of the application carries it and owns the forms
};

class TZelApplication {
public:
    explicit TZelApplication(TZelTaskbarButton taskbarButton);
    // Destroys the forms (each runs FormDestroy) and the application's window.
    ~TZelApplication();
    TZelApplication(const TZelApplication&) = delete;
    TZelApplication& operator=(const TZelApplication&) = delete;

    const std::wstring& Title() const { return title_; }
    // The title is also the text of the taskbar button when the application's window carries it.
    void SetTitle(const std::wstring& title);
    // The hidden window that carries the taskbar button, or nullptr when the main form does.
    HWND Handle() const { return window_; }

    // Constructs and creates a form owned by the application.
    template <class TForm, class... TArgs> TForm& CreateForm(TArgs&&... args) {
        auto form = std::make_unique<TForm>(*this, std::forward<TArgs>(args)...);
        TForm& created = *form;
        AddForm(std::move(form));
        return created;
    }
    TZelForm* MainForm() const { return mainForm_; }

    // Shows the main form and dispatches messages until it is closed or destroyed, or a quit
    // message arrives.
    void Run();
    // Dispatches every pending message without waiting for new ones.
    void ProcessMessages();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

private:
    friend class TZelForm;
    HWND OwnerWindowFor(const TZelForm& form) const;
    bool CarriesTaskbarButton(const TZelForm& form) const;
    void FormDestroyed(const TZelForm& form);
    void AddForm(std::unique_ptr<TZelForm> form);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring title_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<TZelForm>> forms_;
    TZelForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TZelMessageFilter previousFilter_;
};

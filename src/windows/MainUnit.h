// The language selection window: lists the installable languages, each in a font that can show
// it, and speaks the highlighted language (caption, font, button captions, explanation). Start
// confirms the highlighted language; every other way of closing asks the close question first.
// The result is left in the setup manager: CurrentIndex and LanguageConfirmed.
#pragma once

#include "windows/Application.h"
#include "windows/Button.h"
#include "windows/Label.h"
#include "windows/ListBox.h"

#include <string>

class TOrnOVISetup000 : public TZelForm {
public:
    explicit TOrnOVISetup000(TZelApplication& application);

    // Declared in tab order: the list, Start, Cancel.
    TZelLabel lblMSG;
    TZelListBox lstLANG;
    TZelButton btnSTART;
    TZelButton btnCANCEL;

    // True until Start is pressed; while true, closing asks CloseQuestion.
    bool AskOnClose = true;
    // Message 102 of the highlighted language.
    std::wstring CloseQuestion;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;

private:
    void ApplyLanguage();
    void lstLANGClick();
    void lstLANGDrawItem(const TZelDrawItem& item);
    void btnSTARTClick();
    void btnCANCELClick();
};

// Runs the selection window as the main window, with its own taskbar button, until it closes.
void RunSelectionWindow();

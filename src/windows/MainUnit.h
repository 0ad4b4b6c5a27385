// The language selection window: lists the installable languages, each in a font that can show
// it, and speaks the highlighted language (caption, font, button captions, explanation). Start
// confirms the highlighted language; every other way of closing asks the close question first.
// The languages come from the setup manager the window is given, and the result is left there:
// CurrentIndex and LanguageConfirmed.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

#include <string>

class TLxSetupManager;

class TOrnOVISetup000 : public TZelForm {
public:
    TOrnOVISetup000(TZelApplication& application, TLxSetupManager& manager);

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

    TLxSetupManager& manager_;
};

// Runs the selection window as the main window, with its own taskbar button, until it closes.
void RunSelectionWindow(TLxSetupManager& manager);

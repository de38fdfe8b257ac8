#pragma once
// The About box (template 303): the product text of the template and two links, to the web
// page and to the mail address, that paint as underlined blue text and open through the shell.
#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"

namespace sektra {

extern const wchar_t kWebAddress[];
extern const wchar_t kMailAddress[];

// What a click on a link does with its target ("https://..." or "mailto:..."). The default
// hands it to the shell's default verb; tests install their own.
using LinkOpener = void (*)(const wchar_t* target);
LinkOpener SetLinkOpener(LinkOpener opener);  // null restores the shell; returns the previous

class AboutDialog : public Dialog {
public:
    ~AboutDialog() override;

    virtual void OnCommand(MessageRecord& record);
    virtual void OnInitDialog(MessageRecord& record);
    virtual void Close();
    virtual int CreateControls();
    void OnMessage(MessageRecord& record) override;

private:
    void RestoreLinks();

    Control* webLink = nullptr;
    Control* mailLink = nullptr;
};

}  // namespace sektra

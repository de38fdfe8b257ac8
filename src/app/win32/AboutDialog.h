#pragma once
// The About box (template 303): the product and its version, the template's texts and a link
// to the help file that paints as underlined blue text and opens the help.
#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"

namespace sektra {

extern const wchar_t kHelpLinkTarget[];

// What a click on the link does with its target (the help file's name). The default opens
// it with HTML Help; tests install their own.
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

    Control* helpLink = nullptr;
};

}  // namespace sektra

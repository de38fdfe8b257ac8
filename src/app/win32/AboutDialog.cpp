#include "app/win32/AboutDialog.h"

#include <string>

#include "SektraVersion.h"
#include "app/win32/HtmlHelp.h"
#include "app/win32/MessageBoxes.h"
#include "language/ResourceIds.h"

namespace sektra {

// The product has no web page or mail address of its own: the link leads to its help.
const wchar_t kHelpLinkTarget[] = L"Sektra.chm";

namespace {

WNDPROC helpPreviousProc = nullptr;

void OpenHelpTopic(const wchar_t* file) { CallHtmlHelp(nullptr, file, 0 /* HH_DISPLAY_TOPIC */, 0); }

LinkOpener linkOpener = OpenHelpTopic;

void PaintLink(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfUnderline = TRUE;
    wcscpy(font.lfFaceName, L"ＭＳ ゴシック");
    HFONT linkFont = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(dc, linkFont);
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    TextOutW(dc, 0, 0, text.c_str(), length);
    SelectObject(dc, previous);
    DeleteObject(linkFont);
    EndPaint(window, &paint);
}

LRESULT LinkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous,
                    const std::wstring& target) {
    switch (message) {
        case WM_PAINT: PaintLink(window); return 0;
        // A static control lets clicks through to the dialog unless it has SS_NOTIFY: the link
        // takes them whatever its template says.
        case WM_NCHITTEST: return HTCLIENT;
        case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_HAND)); return 0;
        case WM_LBUTTONDOWN: linkOpener(target.c_str()); return 0;
        default: return CallWindowProcW(previous, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK HelpLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkMessage(window, message, wParam, lParam, helpPreviousProc, kHelpLinkTarget);
}

}  // namespace

LinkOpener SetLinkOpener(LinkOpener opener) {
    const LinkOpener previous = linkOpener;
    linkOpener = opener != nullptr ? opener : OpenHelpTopic;
    return previous;
}

AboutDialog::~AboutDialog() {
    RestoreLinks();
    delete helpLink;
    Destroy();
}

void AboutDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
        case WM_INITDIALOG: OnInitDialog(record); break;
        case WM_COMMAND: OnCommand(record); break;
        case WM_CLOSE:
            RestoreLinks();
            Destroy();
            break;
        default: break;
    }
}

void AboutDialog::OnInitDialog(MessageRecord&) {
    if (CreateControls() != 0) {
        PostMessage(WM_CLOSE, 0, 0);
        return;
    }
    SetDlgItemTextW(GetHandle(), IDC_ABOUT_VERSION,
                    (ResourceString(IDS_ABOUT_VERSION) + L" " + SEKTRA_VERSION_WIDE).c_str());
    helpLink->SetText(kHelpLinkTarget);
    helpPreviousProc = helpLink->SetWindowProc(HelpLinkProc);
}

int AboutDialog::CreateControls() {
    helpLink = new Control(GetHandle(), IDC_HELP_LINK);
    return 0;
}

void AboutDialog::OnCommand(MessageRecord& record) {
    // Only OK ends the box; Escape's IDCANCEL is ignored, the close box sends WM_CLOSE.
    if (LOWORD(record.wParam) == IDOK) Close();
}

void AboutDialog::Close() { PostMessage(WM_CLOSE, 0, 0); }

void AboutDialog::RestoreLinks() {
    if (helpLink != nullptr && helpPreviousProc != nullptr) helpLink->SetWindowProc(helpPreviousProc);
    helpPreviousProc = nullptr;
}

}  // namespace sektra

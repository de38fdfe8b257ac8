#include "app/win32/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "language/ResourceIds.h"

namespace sektra {

const wchar_t kWebAddress[] = L"https://sektra.example.org/";
const wchar_t kMailAddress[] = L"support@sektra.example.org";

namespace {

WNDPROC webPreviousProc = nullptr;
WNDPROC mailPreviousProc = nullptr;

void ShellOpen(const wchar_t* target) {
    ShellExecuteW(nullptr, nullptr, target, nullptr, nullptr, SW_SHOWNORMAL);
}

LinkOpener linkOpener = ShellOpen;

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

LRESULT CALLBACK WebLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkMessage(window, message, wParam, lParam, webPreviousProc, kWebAddress);
}

LRESULT CALLBACK MailLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkMessage(window, message, wParam, lParam, mailPreviousProc, std::wstring(L"mailto:") + kMailAddress);
}

}  // namespace

LinkOpener SetLinkOpener(LinkOpener opener) {
    const LinkOpener previous = linkOpener;
    linkOpener = opener != nullptr ? opener : ShellOpen;
    return previous;
}

AboutDialog::~AboutDialog() {
    RestoreLinks();
    delete mailLink;
    delete webLink;
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
    webLink->SetText(kWebAddress);
    mailLink->SetText(kMailAddress);
    webPreviousProc = webLink->SetWindowProc(WebLinkProc);
    mailPreviousProc = mailLink->SetWindowProc(MailLinkProc);
}

int AboutDialog::CreateControls() {
    webLink = new Control(GetHandle(), IDC_WEB_LINK);
    mailLink = new Control(GetHandle(), IDC_MAIL_LINK);
    return 0;
}

void AboutDialog::OnCommand(MessageRecord& record) {
    // Only OK ends the box; Escape's IDCANCEL is ignored, the close box sends WM_CLOSE.
    if (LOWORD(record.wParam) == IDOK) Close();
}

void AboutDialog::Close() { PostMessage(WM_CLOSE, 0, 0); }

void AboutDialog::RestoreLinks() {
    if (webLink != nullptr && webPreviousProc != nullptr) webLink->SetWindowProc(webPreviousProc);
    if (mailLink != nullptr && mailPreviousProc != nullptr) mailLink->SetWindowProc(mailPreviousProc);
    webPreviousProc = nullptr;
    mailPreviousProc = nullptr;
}

}  // namespace sektra

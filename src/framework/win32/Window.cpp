#include "framework/win32/Window.h"

#include <cwchar>
#include <vector>

#include "framework/win32/SystemInfo.h"

namespace sektra {

namespace {

// The frame sizes of a window: distances between its window rectangle and its client
// rectangle on screen, left/top and right/bottom.
struct FrameSizes {
    int left = 0, top = 0, right = 0, bottom = 0;
};

FrameSizes MeasureFrame(const Window& window) {
    RECT outer{}, inner{};
    window.GetWindowRect(outer);
    window.GetClientRectOnScreen(inner);
    return {inner.left - outer.left, inner.top - outer.top, outer.right - inner.right, outer.bottom - inner.bottom};
}

}  // namespace

void Window::SetRedraw(bool redraw) { SendMessage(WM_SETREDRAW, redraw ? 1 : 0, 0); }

int Window::SetText(const wchar_t* text) { return SetWindowTextW(handle, text) ? 0 : -1; }

int Window::SetText(std::uint64_t value) { return SetText(std::to_wstring(value).c_str()); }

int Window::SetText(std::int64_t value) { return SetText(std::to_wstring(value).c_str()); }

int Window::SetText(std::uint32_t value) { return SetText(std::to_wstring(value).c_str()); }

int Window::SetText(std::int32_t value) { return SetText(std::to_wstring(value).c_str()); }

void Window::Show(bool show) { ShowWindow(handle, show ? SW_SHOW : SW_HIDE); }

void Window::Enable(bool enable) { EnableWindow(handle, enable ? TRUE : FALSE); }

void Window::SetForeground() {
    // Since Windows 98 and 2000 a thread may only take the foreground when it shares input
    // with the thread that has it.
    SystemInfo system;
    const bool restricted = (system.GetPlatformId() == VER_PLATFORM_WIN32_WINDOWS && system.GetMinorVersion() >= 10) ||
                            (system.GetPlatformId() == VER_PLATFORM_WIN32_NT && system.GetMajorVersion() >= 5);
    if (!restricted) {
        SetForegroundWindow(handle);
        return;
    }
    const DWORD own = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool attached = foreground != 0 && foreground != own && AttachThreadInput(own, foreground, TRUE);
    SetForegroundWindow(handle);
    if (attached) AttachThreadInput(own, foreground, FALSE);
    BringWindowToTop(handle);
}

void Window::SetFocus() { ::SetFocus(handle); }

int Window::SetClassIcon(HICON icon) {
    SetClassLongPtrW(handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    return 0;
}

int Window::SetClassSmallIcon(HICON icon) {
    SetClassLongPtrW(handle, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icon));
    return 0;
}

void Window::Move(int x, int y) { SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }

void Window::Resize(int width, int height) {
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void Window::MoveClient(int x, int y) {
    const FrameSizes frame = MeasureFrame(*this);
    Move(x - frame.left, y - frame.top);
}

void Window::ResizeClient(int width, int height) {
    const FrameSizes frame = MeasureFrame(*this);
    Resize(width + frame.left + frame.right, height + frame.top + frame.bottom);
}

void Window::SetBounds(const RECT& bounds) {
    SetWindowPos(handle, nullptr, bounds.left, bounds.top, bounds.right, bounds.bottom, SWP_NOZORDER);
}

void Window::SetClientBounds(const RECT& bounds) {
    const FrameSizes frame = MeasureFrame(*this);
    SetBounds(RECT{bounds.left - frame.left, bounds.top - frame.top, bounds.right + frame.left + frame.right,
                   bounds.bottom + frame.top + frame.bottom});
}

void Window::SetZOrder(HWND after) { SetWindowPos(handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

WNDPROC Window::SetWindowProc(WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

HWND Window::GetHandle() const { return handle; }

HWND Window::GetParent() const { return ::GetParent(handle); }

const wchar_t* Window::GetText() {
    const int length = GetWindowTextLengthW(handle);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(handle, buffer.data(), static_cast<int>(buffer.size()));
    textCache.assign(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return textCache.c_str();
}

// The scans read leading digits like the C library's "%d" family: blanks and a sign first,
// then as many digits as there are. The unsigned forms take a minus sign the way "%u" does
// (-1 reads as the largest value), and the 32-bit forms keep the low 32 bits.
std::int32_t Window::GetTextAsInt32() { return static_cast<std::int32_t>(GetTextAsInt64()); }

std::uint32_t Window::GetTextAsUInt32() { return static_cast<std::uint32_t>(GetTextAsUInt64()); }

std::int64_t Window::GetTextAsInt64() {
    const wchar_t* text = GetText();
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 10);
    return end == text ? 0 : value;
}

std::uint64_t Window::GetTextAsUInt64() {
    const wchar_t* text = GetText();
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 10);
    return end == text ? 0 : value;
}

LONG_PTR Window::GetStyle() const { return GetWindowLongPtrW(handle, GWL_STYLE); }

LONG_PTR Window::GetExStyle() const { return GetWindowLongPtrW(handle, GWL_EXSTYLE); }

WNDPROC Window::GetWindowProc() const {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
}

bool Window::IsVisible() const { return IsWindowVisible(handle) != FALSE; }

bool Window::IsEnabled() const { return IsWindowEnabled(handle) != FALSE; }

HICON Window::GetClassIcon() const { return reinterpret_cast<HICON>(GetClassLongPtrW(handle, GCLP_HICON)); }

HICON Window::GetClassSmallIcon() const {
    return reinterpret_cast<HICON>(GetClassLongPtrW(handle, GCLP_HICONSM));
}

int Window::GetWindowRect(RECT& rect) const {
    ::GetWindowRect(handle, &rect);
    return 0;
}

int Window::GetClientRect(RECT& rect) const {
    ::GetClientRect(handle, &rect);
    return 0;
}

int Window::GetClientRectOnScreen(RECT& rect) const {
    GetClientRect(rect);
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    ClientToScreen(handle, &topLeft);
    ClientToScreen(handle, &bottomRight);
    rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return 0;
}

void Window::Invalidate() { InvalidateRect(handle, nullptr, TRUE); }

void Window::Update() { UpdateWindow(handle); }

int Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(handle, message, wParam, lParam) ? 0 : -1;
}

LRESULT Window::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(handle, message, wParam, lParam);
}

int Window::Attach(HWND window) {
    handle = window;
    return 0;
}

}  // namespace sektra

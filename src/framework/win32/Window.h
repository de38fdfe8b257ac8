#pragma once
// A non-owning wrapper of a window handle: every operation is one call on `handle`. Results
// written 0/-1 are 0 on success and -1 on failure.
#include <windows.h>

#include <cstdint>
#include <string>

namespace sektra {

class Window {
public:
    Window() = default;
    explicit Window(HWND window) : handle(window) {}
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual void SetRedraw(bool redraw);
    virtual int SetText(const wchar_t* text);
    virtual int SetText(std::uint64_t value);
    virtual int SetText(std::int64_t value);
    virtual int SetText(std::uint32_t value);
    virtual int SetText(std::int32_t value);
    virtual void Show(bool show);
    virtual void Enable(bool enable);
    virtual void SetForeground();
    virtual void SetFocus();
    virtual int SetClassIcon(HICON icon);
    virtual int SetClassSmallIcon(HICON icon);
    virtual void Move(int x, int y);
    virtual void Resize(int width, int height);
    virtual void MoveClient(int x, int y);
    virtual void ResizeClient(int width, int height);
    // Rectangles here are {x, y, width, height} held in a RECT's left, top, right, bottom.
    virtual void SetBounds(const RECT& bounds);
    virtual void SetClientBounds(const RECT& bounds);
    virtual void SetZOrder(HWND after);
    virtual WNDPROC SetWindowProc(WNDPROC procedure);  // the previous procedure
    virtual HWND GetHandle() const;
    virtual HWND GetParent() const;
    // The window text; the pointer stays good until the next GetText on this object.
    virtual const wchar_t* GetText();
    // GetText scanned like "%d", "%u", "%I64d", "%I64u": leading digits count, 0 when none.
    virtual std::int32_t GetTextAsInt32();
    virtual std::uint32_t GetTextAsUInt32();
    virtual std::int64_t GetTextAsInt64();
    virtual std::uint64_t GetTextAsUInt64();
    virtual LONG_PTR GetStyle() const;
    virtual LONG_PTR GetExStyle() const;
    virtual WNDPROC GetWindowProc() const;
    virtual bool IsVisible() const;
    virtual bool IsEnabled() const;
    virtual HICON GetClassIcon() const;
    virtual HICON GetClassSmallIcon() const;
    virtual int GetWindowRect(RECT& rect) const;        // screen coordinates; 0
    virtual int GetClientRect(RECT& rect) const;        // client coordinates; 0
    virtual int GetClientRectOnScreen(RECT& rect) const;
    virtual void Invalidate();
    virtual void Update();
    virtual int PostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int Attach(HWND window);

    // DWORD and LONG are `unsigned long` and `long` here: without these they would be ambiguous.
    int SetText(unsigned long value) { return SetText(static_cast<std::uint32_t>(value)); }
    int SetText(long value) { return SetText(static_cast<std::int32_t>(value)); }
    int SetText(const std::wstring& text) { return SetText(text.c_str()); }

protected:
    HWND handle = nullptr;
    std::wstring textCache;
};

}  // namespace sektra

#pragma once

#include <windows.h>

#include "../library/TqExport.h"

// The object behind one window.
//
// Every window whose class uses CTqWnd::WndProc and that was created by
// Create/CreateEx (the object travels as the creation parameter) is bound to
// its object in a process-wide handle map from WM_CREATE until WM_DESTROY.
// The window procedure hands each message to the object's OnMessage, which
// unpacks it and calls one of the virtual handlers below. A handler that
// returns int reports with a nonzero result that it handled the message; a
// handler that returns void always takes the whole message.
//
// The object must outlive its window: the destructor never destroys the
// window, the owner does (or lets the parent's destruction take it).
//
// The order of the virtual operations and of the fields is part of the binary
// interface: subclasses in applications override them.
class TQ_API CTqWnd {
public:
    CTqWnd();
    // A copy shares the handle but is not bound to it.
    CTqWnd(const CTqWnd& other) = default;
    CTqWnd& operator=(const CTqWnd& other) = default;

    // Leaves the window alive. A window still bound to this object is unbound,
    // so that its later messages go to the default window procedure instead
    // of a dead object.
    virtual ~CTqWnd();

    // Binds a window created elsewhere. Destroy never destroys it, and its
    // messages reach OnMessage only if its window procedure is WndProc.
    // 0 when the previous window cannot be destroyed or hWnd is null.
    virtual int Attach(HWND hWnd);

    // Destroys the previous window (unless attached), then creates a window
    // under the application's module with this object as creation parameter.
    // 1 on success; 0 when the previous window cannot be destroyed or the
    // window cannot be created (also when OnCreate answers -1).
    virtual int Create(const char* className, const char* windowName, unsigned long style,
                       int x, int y, int width, int height, CTqWnd* parent, unsigned int id);
    virtual int CreateEx(unsigned long exStyle, const char* className, const char* windowName,
                         unsigned long style, int x, int y, int width, int height,
                         CTqWnd* parent, unsigned int id);

    // The child side of owner and custom drawing: a parent calls these for
    // its child controls from OnMeasureItem, OnDrawItem and OnNotify.
    virtual int MeasureItem(MEASUREITEMSTRUCT* item);
    virtual int DrawItem(DRAWITEMSTRUCT* item);
    virtual int CustomDraw(NMHDR* header, LRESULT* result);

    // Destroys a window this object created; an attached window or no window
    // gives 1 without destroying anything. A handle that is no longer a window
    // (its parent took it) is forgotten.
    int Destroy();
    int IsWindow() const;
    HWND GetHwnd() const;
    // The object bound to the parent window, or null.
    CTqWnd* GetParent() const;

    // The window procedure of every class built on CTqWnd.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // For the application's message loop: nonzero when the window that msg is
    // addressed to translated it (an accelerator), so that it must be neither
    // translated nor dispatched.
    static int PreTranslateProc(MSG* msg);

    // Loads the accelerator table used by PreTranslateMessage, replacing the
    // previous one. 1 when it was found.
    int LoadAcceleratorsA(HINSTANCE instance, const char* name);

    // Every command OnCmdMsg receives is offered to wnd first (null ends
    // forwarding). A window that would close a loop of command windows is
    // refused and the previous command window kept.
    void SetCmdWnd(CTqWnd* wnd);

    // While set, every CTqWnd window answers WM_SETCURSOR with this cursor.
    static void SetReservedCursor(HICON cursor);
    static HICON m_hReservedCursor;

    // Thin wrappers: m_hWnd goes to the USER function of the same name.
    int ShowWindow(int cmdShow);
    int UpdateWindow();
    int IsWindowVisible() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    LRESULT SendMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const;
    long PostMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const;
    int InvalidateRect(const RECT* rect, int erase);
    int ClientToScreen(POINT* pt) const;
    int ScreenToClient(POINT* pt) const;
    // Both corners, the bottom-right one only after the top-left one; 1 when
    // both were converted, 0 for a null rectangle.
    int ClientToScreen(RECT* rect) const;
    int ScreenToClient(RECT* rect) const;
    int GetClientRect(RECT* rect) const;
    int GetWindowRect(RECT* rect) const;
    int SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, unsigned int flags);
    int MoveWindow(int x, int y, int width, int height, int repaint);
    // 0 without moving for a null rectangle.
    int MoveWindow(const RECT* rect, int repaint);

protected:
    // Unpacks the messages below into their handlers; every other message
    // goes to DefWindowProcA unchanged.
    virtual LRESULT OnMessage(HWND hWnd, unsigned int msg, WPARAM wParam, LPARAM lParam);
    // Translates this window's accelerators.
    virtual int PreTranslateMessage(MSG* msg);
    // Offers the command to the command window; 0 without one.
    virtual int OnCmdMsg(unsigned int id, int code, HWND control);
    virtual int OnCreate(CREATESTRUCTA* create);
    // Clears m_hMenu and m_bAttached.
    virtual void OnDestroy();
    // Splits wParam into id and notification code for OnCmdMsg.
    virtual int OnCommand(WPARAM wParam, LPARAM lParam);
    virtual int OnHelpInfo(HELPINFO* info);
    virtual int OnNcPaint(HRGN region);
    // Validates the update region and draws nothing.
    virtual void OnPaint();
    virtual int OnEraseBkgnd(HDC dc);
    // Called after the default window procedure computed the client area.
    virtual void OnNcCalcSize(int calcValidRects, NCCALCSIZE_PARAMS* params);
    virtual void OnSize(unsigned int type, int cx, int cy);
    virtual void OnKeyDown(unsigned int key, unsigned int repeat, unsigned int flags);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnLButtonDown(unsigned int flags, POINT pt);
    virtual void OnLButtonUp(unsigned int flags, POINT pt);
    virtual void OnRButtonDown(unsigned int flags, POINT pt);
    virtual void OnRButtonUp(unsigned int flags, POINT pt);
    virtual void OnMButtonDown(unsigned int flags, POINT pt);
    virtual void OnMButtonUp(unsigned int flags, POINT pt);
    virtual void OnMouseMove(unsigned int flags, POINT pt);
    // pt in screen coordinates, as the system delivers it.
    virtual int OnMouseWheel(unsigned int flags, short delta, POINT pt);
    // 1: the default window procedure draws the caption; 0 refuses.
    virtual int OnNcActivate(int active);
    virtual void OnActivate(unsigned int state, HWND other, int minimized);
    virtual int OnHScroll(unsigned int code, unsigned int pos, HWND scrollBar);
    virtual int OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    virtual int OnDrawItem(int id, DRAWITEMSTRUCT* item);
    // A nonzero result makes *result the message's result.
    virtual int OnNotify(WPARAM id, LPARAM lParam, LRESULT* result);
    // Shows the reserved cursor when one is set.
    virtual int OnSetCursor(HWND wnd, unsigned int hitTest, unsigned int message);
    virtual void OnSetFocus(HWND previous);
    virtual void OnKillFocus(HWND next);
    virtual void OnInitMenuPopup(HMENU menu, unsigned int index, int sysMenu);
    virtual void OnDropFiles(WPARAM drop);

    HWND m_hWnd;
    HMENU m_hMenu;
    HACCEL m_hAccel;
    int m_bAttached;
    CTqWnd* m_pCmdWnd;

private:
    static CTqWnd* FromHandle(HWND hWnd);
    static void Bind(HWND hWnd, CTqWnd* wnd);
    // Removes the entry for hWnd and resets the handle of its object.
    static void Unbind(HWND hWnd);
    // Removes the entry for hWnd only while it belongs to this object.
    void UnbindFrom(HWND hWnd);
    static LRESULT DispatchCreate(HWND hWnd, WPARAM wParam, LPARAM lParam);
    static LRESULT DispatchDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam);
    bool CommandChainReaches(const CTqWnd* wnd) const;
};

#pragma once

/// \file
/// The window object CTqWnd: one object behind one window, the process-wide
/// handle map and the shared window procedure.

#include <windows.h>

#include "../library/TqExport.h"

/// The object behind one window.
///
/// Every window whose class uses CTqWnd::WndProc and that was created by
/// Create/CreateEx (the object travels as the creation parameter) is bound to
/// its object in a process-wide handle map from WM_CREATE until WM_DESTROY.
/// The window procedure hands each message to the object's OnMessage, which
/// unpacks it and calls one of the virtual handlers below. A handler that
/// returns int reports with a nonzero result that it handled the message; a
/// handler that returns void always takes the whole message.
///
/// The object must outlive its window: the destructor never destroys the
/// window, the owner does (or lets the parent's destruction take it).
///
/// The order of the virtual operations and of the fields is part of the binary
/// interface: subclasses in applications override them.
///
/// <b>Using it.</b> Derive from CTqWnd, override the handlers you need,
/// register a window class whose window procedure is CTqWnd::WndProc under the
/// application's module (`GetModuleHandleA(NULL)`, which Create() passes to
/// `CreateWindowExA`) and call Create(). Windows of system classes ("BUTTON",
/// "msctls_trackbar32") can be held by an object but are not bound: their
/// messages never reach it, their notifications reach the parent's object.
/// Commands travel `WM_COMMAND` -> OnCommand() -> OnCmdMsg(), whose default
/// offers them to the command window set with SetCmdWnd(), so that a chain of
/// windows can route them. For the library's accelerators the message loop
/// calls PreTranslateProc():
/// \code
/// MSG msg;
/// while (GetMessageA(&msg, NULL, 0, 0) > 0) {
///     if (CTqWnd::PreTranslateProc(&msg))
///         continue;
///     TranslateMessage(&msg);
///     DispatchMessageA(&msg);
/// }
/// \endcode
///
/// <b>Handlers.</b> OnMessage() calls one handler per message; every other
/// message goes to `DefWindowProcA`. A handler that returns `int` reports with
/// a nonzero result that it handled the message, which then skips
/// `DefWindowProcA` and gets the result given here; 0 leaves the message to
/// `DefWindowProcA`. A `void` handler takes the whole message (result 0, no
/// default processing). Two handlers differ: OnCreate() and OnNcActivate().
/// | Message | Handler | Result when the handler returns nonzero |
/// |---|---|---|
/// | `WM_CREATE` | OnCreate(): 0 creates the window; -1 makes creation fail | the handler's own value (-1 fails `CreateWindowExA`, so Create() returns 0) |
/// | `WM_DESTROY` | OnDestroy() | (void) 0 |
/// | `WM_SIZE` | OnSize(type, cx, cy) | (void) 0 |
/// | `WM_ACTIVATE` | OnActivate(state, other, minimized) | (void) 0 |
/// | `WM_SETFOCUS`, `WM_KILLFOCUS` | OnSetFocus(previous), OnKillFocus(next) | (void) 0 |
/// | `WM_PAINT` | OnPaint() | (void) 0 |
/// | `WM_ERASEBKGND` | OnEraseBkgnd(dc) | 1 |
/// | `WM_SETCURSOR` | OnSetCursor(window, hitTest, message) | 1 |
/// | `WM_DRAWITEM`, `WM_MEASUREITEM` | OnDrawItem(id, item), OnMeasureItem(id, item) | 1 |
/// | `WM_NOTIFY` | OnNotify(id, lParam, &result) | the value the handler stored in result |
/// | `WM_HELP` | OnHelpInfo(info) | 0 |
/// | `WM_NCCALCSIZE` | OnNcCalcSize(calcValidRects, params), after `DefWindowProcA` | (void) the default's result |
/// | `WM_NCPAINT` | OnNcPaint(region; null for the whole frame) | 0 |
/// | `WM_NCACTIVATE` | OnNcActivate(active): nonzero lets `DefWindowProcA` draw the caption, 0 refuses | the default's result, or 0 |
/// | `WM_KEYDOWN` | OnKeyDown(key, repeat, flags): repeat and flags are the low and high words of lParam | (void) 0 |
/// | `WM_COMMAND` | OnCommand(wParam, lParam), by default OnCmdMsg(id, code, control) | 0 |
/// | `WM_TIMER` | OnTimer(id) | (void) 0 |
/// | `WM_HSCROLL` | OnHScroll(code, pos, scrollBar) | 0 |
/// | `WM_INITMENUPOPUP` | OnInitMenuPopup(menu, index, sysMenu) | (void) 0 |
/// | `WM_MOUSEMOVE`, `WM_LBUTTONDOWN`, `WM_LBUTTONUP`, `WM_RBUTTONDOWN`, `WM_RBUTTONUP`, `WM_MBUTTONDOWN`, `WM_MBUTTONUP` | OnMouseMove(flags, pt) and the six button handlers: pt in client coordinates, signed (negative left of or above the client area while the mouse is captured) | (void) 0 |
/// | `WM_MOUSEWHEEL` | OnMouseWheel(flags, delta, pt): pt in screen coordinates | 0 |
/// | `WM_DROPFILES` | OnDropFiles(drop): the `HDROP` | (void) 0 |
///
/// The defaults do nothing and return 0, except OnCreate() (0), OnDestroy()
/// (clears m_hMenu and m_bAttached), OnPaint() (validates the update region),
/// OnNcActivate() (1), OnCommand() and OnCmdMsg() (command routing) and
/// OnSetCursor() (the reserved cursor). The window is bound before OnCreate()
/// runs and unbound after OnDestroy() returns (or at `WM_NCDESTROY`, which
/// some systems send without `WM_DESTROY` when creation failed); if the
/// handle map cannot take the window, `WM_CREATE` answers -1.
///
/// <b>Threads.</b> The handle map, the reserved cursor and the window classes
/// the controls register are process-wide and unguarded: create and use
/// windows on one thread, the application's user-interface thread. No member
/// shows a message box.
class TQ_API CTqWnd {
public:
    /// An object without a window.
    CTqWnd();
    // A copy shares the handle but is not bound to it.
    /// A copy shares the handle but is not bound to it: the window's messages
    /// still go to the original object.
    CTqWnd(const CTqWnd& other) = default;
    /// Copies every field, the handle included; the copy is not bound.
    /// \return `*this`.
    CTqWnd& operator=(const CTqWnd& other) = default;

    /// Leaves the window alive. A window still bound to this object is unbound,
    /// so that its later messages go to the default window procedure instead
    /// of a dead object.
    virtual ~CTqWnd();

    /// Binds a window created elsewhere. Destroy never destroys it, and its
    /// messages reach OnMessage only if its window procedure is WndProc.
    /// A window this object created before is destroyed first.
    /// \return 1; 0 when the previous window cannot be destroyed or hWnd is
    ///         null.
    virtual int Attach(HWND hWnd);

    /// Destroys the previous window (unless attached), then creates a window
    /// under the application's module with this object as creation parameter.
    /// \param className A registered class; its window procedure must be
    ///        WndProc for the handlers to run.
    /// \param windowName The window's text, or null.
    /// \param style The `WS_` style bits.
    /// \param x Position and size, as for `CreateWindowExA`.
    /// \param y Position and size, as for `CreateWindowExA`.
    /// \param width Position and size, as for `CreateWindowExA`.
    /// \param height Position and size, as for `CreateWindowExA`.
    /// \param parent The parent's object (its handle is used), or null.
    /// \param id The child id (`WS_CHILD`); for a top-level window it is taken
    ///        as a menu handle, so pass 0.
    /// \return 1 on success; 0 when the previous window cannot be destroyed or
    ///         the window cannot be created (also when OnCreate answers -1).
    virtual int Create(const char* className, const char* windowName, unsigned long style,
                       int x, int y, int width, int height, CTqWnd* parent, unsigned int id);
    /// Create() with the extended style exStyle (`WS_EX_` bits).
    virtual int CreateEx(unsigned long exStyle, const char* className, const char* windowName,
                         unsigned long style, int x, int y, int width, int height,
                         CTqWnd* parent, unsigned int id);

    /// \name The child side of owner and custom drawing
    /// A parent calls these for its child controls from OnMeasureItem(),
    /// OnDrawItem() and OnNotify(): CTqWnd forwards nothing by itself.
    ///@{

    // The child side of owner and custom drawing: a parent calls these for
    // its child controls from OnMeasureItem, OnDrawItem and OnNotify.
    /// Measures an owner-drawn item of this control.
    /// \return Nonzero when handled; 0 here.
    virtual int MeasureItem(MEASUREITEMSTRUCT* item);
    /// Draws an owner-drawn item of this control.
    /// \return Nonzero when handled; 0 here.
    virtual int DrawItem(DRAWITEMSTRUCT* item);
    virtual int CustomDraw(NMHDR* header, LRESULT* result);

    ///@}

    /// Destroys a window this object created; an attached window or no window
    /// gives 1 without destroying anything. A handle that is no longer a window
    /// (its parent took it) is forgotten.
    /// \return 1, or 0 when `DestroyWindow` fails (the window stays).
    int Destroy();
    /// 1 when the object holds a handle that is still a window, else 0.
    int IsWindow() const;
    /// The window's handle, or null.
    HWND GetHwnd() const;
    /// The object bound to the parent window, or null (also for a top-level
    /// window, or a parent that is not bound).
    CTqWnd* GetParent() const;

    /// The window procedure of every class built on CTqWnd: binds at
    /// `WM_CREATE`, unbinds after `WM_DESTROY` (or at `WM_NCDESTROY`), and
    /// hands every other message of a bound window to its OnMessage(); a window
    /// without an object gets `DefWindowProcA`.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    /// For the application's message loop: nonzero when the window that msg is
    /// addressed to translated it (an accelerator), so that it must be neither
    /// translated nor dispatched. Only the object bound to msg's own window
    /// is asked (its PreTranslateMessage()), not its parents.
    static int PreTranslateProc(MSG* msg);

    /// Loads the accelerator table used by PreTranslateMessage, replacing the
    /// previous one.
    /// \return 1 when it was found; 0 when not, and the window then has no
    ///         accelerators.
    int LoadAcceleratorsA(HINSTANCE instance, const char* name);

    /// Every command OnCmdMsg receives is offered to wnd first (null ends
    /// forwarding). A window that would close a loop of command windows is
    /// refused and the previous command window kept. wnd is not owned.
    void SetCmdWnd(CTqWnd* wnd);

    /// While set, every CTqWnd window answers WM_SETCURSOR with this cursor
    /// (through the default OnSetCursor()); null ends it. Not owned.
    static void SetReservedCursor(HICON cursor);
    /// The reserved cursor, or null (process-wide).
    static HICON m_hReservedCursor;

    /// \name Thin wrappers
    /// m_hWnd goes to the USER function of the same name, whose result is
    /// returned.
    ///@{

    // Thin wrappers: m_hWnd goes to the USER function of the same name.
    /// `ShowWindow`: nonzero when the window was visible before.
    int ShowWindow(int cmdShow);
    /// `UpdateWindow`: nonzero on success.
    int UpdateWindow();
    /// `IsWindowVisible`.
    int IsWindowVisible() const;
    /// `EnableWindow`: nonzero when the window was disabled before.
    int EnableWindow(int enable);
    /// `IsWindowEnabled`.
    int IsWindowEnabled() const;
    LRESULT SendMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const;
    long PostMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const;
    int InvalidateRect(const RECT* rect, int erase);
    /// `ClientToScreen` of one point: nonzero on success.
    int ClientToScreen(POINT* pt) const;
    /// `ScreenToClient` of one point: nonzero on success.
    int ScreenToClient(POINT* pt) const;
    /// Both corners, the bottom-right one only after the top-left one; 1 when
    /// both were converted, 0 for a null rectangle.
    int ClientToScreen(RECT* rect) const;
    /// Both corners, as ClientToScreen(RECT*).
    int ScreenToClient(RECT* rect) const;
    /// `GetClientRect`: nonzero on success.
    int GetClientRect(RECT* rect) const;
    /// `GetWindowRect`: nonzero on success.
    int GetWindowRect(RECT* rect) const;
    /// `SetWindowPos`: nonzero on success.
    int SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, unsigned int flags);
    /// `MoveWindow`: nonzero on success.
    int MoveWindow(int x, int y, int width, int height, int repaint);
    /// `MoveWindow` to rect; 0 without moving for a null rectangle.
    int MoveWindow(const RECT* rect, int repaint);
    ///@}

protected:
    /// Unpacks a message into its handler (see the table in the class
    /// description) and returns the message's result; every other message
    /// goes to `DefWindowProcA` unchanged. Override it to see every message,
    /// and call the base for those you leave.
    // Unpacks the messages below into their handlers; every other message
    // goes to DefWindowProcA unchanged.
    virtual LRESULT OnMessage(HWND hWnd, unsigned int msg, WPARAM wParam, LPARAM lParam);
    // Translates this window's accelerators.
    /// Translates this window's accelerators (`TranslateAcceleratorA` with the
    /// table of LoadAcceleratorsA()).
    /// \return Nonzero when msg was translated.
    virtual int PreTranslateMessage(MSG* msg);
    /// Offers the command to the command window (SetCmdWnd()); override it to
    /// handle commands, calling the base for the rest.
    /// \param id The command or control id (low word of wParam).
    /// \param code The notification code (high word of wParam; 0 for menus
    ///        and `BN_CLICKED`, 1 for accelerators).
    /// \param control The control's window, or null for menus and
    ///        accelerators.
    /// \return Nonzero when handled; 0 without a command window.
    virtual int OnCmdMsg(unsigned int id, int code, HWND control);
    /// `WM_CREATE`, after the window was bound. Unlike the other handlers:
    /// return 0 to create the window (`DefWindowProcA` then runs), -1 to make
    /// creation fail (Create() returns 0); any other value is returned to the
    /// system as it is, skipping the default, and creation goes on.
    /// \return 0 here.
    virtual int OnCreate(CREATESTRUCTA* create);
    /// `WM_DESTROY`; the window is unbound after it returns.
    // Clears m_hMenu and m_bAttached.
    /// Clears m_hMenu and m_bAttached.
    virtual void OnDestroy();
    /// `WM_COMMAND`: by default splits wParam into id (low word) and
    /// notification code (high word) and calls OnCmdMsg() with lParam as the
    /// control's window.
    /// \return Nonzero when handled.
    // Splits wParam into id and notification code for OnCmdMsg.
    virtual int OnCommand(WPARAM wParam, LPARAM lParam);
    virtual int OnHelpInfo(HELPINFO* info);
    /// `WM_NCPAINT`: region is null for the whole frame.
    /// \return Nonzero when the frame was painted; 0 here.
    virtual int OnNcPaint(HRGN region);
    // Validates the update region and draws nothing.
    /// `WM_PAINT`. Validates the update region and draws nothing.
    virtual void OnPaint();
    /// `WM_ERASEBKGND`.
    /// \return Nonzero when the background was erased; 0 here, so that the
    ///         class brush erases it.
    virtual int OnEraseBkgnd(HDC dc);
    // Called after the default window procedure computed the client area.
    /// `WM_NCCALCSIZE`, called after the default window procedure computed the
    /// client area (the default's result is the message's result).
    virtual void OnNcCalcSize(int calcValidRects, NCCALCSIZE_PARAMS* params);
    /// `WM_SIZE`: the `SIZE_` type and the new client size.
    virtual void OnSize(unsigned int type, int cx, int cy);
    /// `WM_KEYDOWN`: the virtual key, the repeat count (low word of lParam)
    /// and the flags (high word of lParam).
    virtual void OnKeyDown(unsigned int key, unsigned int repeat, unsigned int flags);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnLButtonDown(unsigned int flags, POINT pt);
    /// `WM_LBUTTONUP`: the `MK_` flags and the point in client coordinates.
    virtual void OnLButtonUp(unsigned int flags, POINT pt);
    /// `WM_RBUTTONDOWN`: the `MK_` flags and the point in client coordinates.
    virtual void OnRButtonDown(unsigned int flags, POINT pt);
    /// `WM_RBUTTONUP`: the `MK_` flags and the point in client coordinates.
    virtual void OnRButtonUp(unsigned int flags, POINT pt);
    /// `WM_MBUTTONDOWN`: the `MK_` flags and the point in client coordinates.
    virtual void OnMButtonDown(unsigned int flags, POINT pt);
    /// `WM_MBUTTONUP`: the `MK_` flags and the point in client coordinates.
    virtual void OnMButtonUp(unsigned int flags, POINT pt);
    /// `WM_MOUSEMOVE`: the `MK_` flags and the point in client coordinates.
    virtual void OnMouseMove(unsigned int flags, POINT pt);
    /// `WM_MOUSEWHEEL`: the `MK_` flags, the signed wheel delta (multiples of
    /// `WHEEL_DELTA`) and pt in screen coordinates, as the system delivers it.
    /// \return Nonzero when handled; 0 here.
    virtual int OnMouseWheel(unsigned int flags, short delta, POINT pt);
    /// `WM_NCACTIVATE`; active is nonzero when the window becomes active.
    /// \return 1: the default window procedure draws the caption; 0 refuses
    ///         the change. 1 here.
    virtual int OnNcActivate(int active);
    /// `WM_ACTIVATE`: the `WA_` state, the window losing or gaining
    /// activation, and whether this window is minimised.
    virtual void OnActivate(unsigned int state, HWND other, int minimized);
    /// `WM_HSCROLL` from a horizontal scroll bar or trackbar: the `SB_` or `TB_`
    /// code, the position (for the thumb codes) and the control's window.
    /// \return Nonzero when handled; 0 here.
    virtual int OnHScroll(unsigned int code, unsigned int pos, HWND scrollBar);
    /// `WM_MEASUREITEM` for the control id; a parent passes its own
    /// controls' items to their MeasureItem().
    /// \return Nonzero when handled; 0 here.
    virtual int OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    /// `WM_DRAWITEM` for the control id; a parent passes its own controls'
    /// items to their DrawItem().
    /// \return Nonzero when handled; 0 here.
    virtual int OnDrawItem(int id, DRAWITEMSTRUCT* item);
    /// `WM_NOTIFY` from the control id; lParam is the `NMHDR*`. A parent passes
    /// `NM_CUSTOMDRAW` of its custom-drawn controls to their CustomDraw().
    /// \return Nonzero when handled: what the handler stored through result
    ///         becomes the message's result. 0 here.
    // A nonzero result makes *result the message's result.
    virtual int OnNotify(WPARAM id, LPARAM lParam, LRESULT* result);
    // Shows the reserved cursor when one is set.
    /// `WM_SETCURSOR`: the window under the cursor, the hit-test code and the
    /// mouse message. Shows the reserved cursor when one is set.
    /// \return 1 when the reserved cursor was shown, else 0 (the default
    ///         procedure then sets the class cursor).
    virtual int OnSetCursor(HWND wnd, unsigned int hitTest, unsigned int message);
    /// `WM_SETFOCUS`: the window that lost the focus, or null.
    virtual void OnSetFocus(HWND previous);
    /// `WM_KILLFOCUS`: the window that gets the focus, or null.
    virtual void OnKillFocus(HWND next);
    /// `WM_INITMENUPOPUP`: the menu, its index and whether it is the window
    /// menu.
    virtual void OnInitMenuPopup(HMENU menu, unsigned int index, int sysMenu);
    virtual void OnDropFiles(WPARAM drop);

    /// The window's handle, or null.
    HWND m_hWnd;
    /// The window's menu as `GetMenu` gave it after Create(); cleared by the
    /// default OnDestroy(). Not owned.
    HMENU m_hMenu;
    /// The accelerator table of LoadAcceleratorsA(), or null.
    HACCEL m_hAccel;
    /// 1 when the window was attached (Attach()) rather than created.
    int m_bAttached;
    /// The command window (SetCmdWnd()), or null. Not owned.
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

/// \fn CTqWnd::CustomDraw
/// Handles the `NM_CUSTOMDRAW` notification of this control that its parent
/// passes on from OnNotify(); the first argument is the notification's
/// `NMHDR*`, the second receives the message's result.
/// \return Nonzero when the result was set; 0 here.

/// \fn CTqWnd::SendMessageA
/// `SendMessageA` to the window.
/// \return The message's result.

/// \fn CTqWnd::PostMessageA
/// `PostMessageA` to the window.
/// \return Nonzero on success.

/// \fn CTqWnd::InvalidateRect
/// `InvalidateRect` of rect (null: the whole client area), erasing the
/// background when erase is nonzero.
/// \return Nonzero on success.

/// \fn CTqWnd::OnHelpInfo
/// `WM_HELP` (F1).
/// \return Nonzero when handled (the message's result is then 0); 0 here.

/// \fn CTqWnd::OnTimer
/// `WM_TIMER`: the timer's id.

/// \fn CTqWnd::OnLButtonDown
/// `WM_LBUTTONDOWN`: the `MK_` flags and the point in client coordinates.

/// \fn CTqWnd::OnDropFiles
/// `WM_DROPFILES`: the `HDROP` of the dropped files (read them with
/// `DragQueryFileA`, release it with `DragFinish`).

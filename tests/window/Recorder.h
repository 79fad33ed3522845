#pragma once

// A CTqWnd subclass that overrides every handler and logs each call with its
// arguments, so that tests see what the dispatch unpacked; with what the
// window tests share.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "TestWindow.h"
#include "window/internal/TqWndClass.h"

// A handler call as the recorder logs it: its name and its arguments.
inline std::ostream& operator<<(std::ostream& out, POINT pt) { return out << pt.x << ',' << pt.y; }
inline std::ostream& operator<<(std::ostream& out, NCCALCSIZE_PARAMS* params)
{
    const RECT& r = params->rgrc[0];  // the client area handed on to the handler
    return out << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
}
template <class... Args>
std::string Call(const char* handler, Args... args)
{
    std::ostringstream text;
    text << handler;
    ((text << ' ' << args), ...);
    return text.str();
}

// The test windows' class, registered through the library's own helper.
inline const char* RecorderClass()
{
    static tq::WndClass windowClass("TqTestRecorder");
    windowClass.Register();
    return windowClass.Name();
}

// Handlers that log their call. Int ones answer `answer`, or what CTqWnd's
// own handler answers while it is unset; void ones run CTqWnd's, then `after`.
#define TQ_RECORD_INT(Name, Params, ...)                     \
    int Name Params override                                 \
    {                                                        \
        calls.push_back(Call(#Name, __VA_ARGS__));           \
        return answer ? *answer : CTqWnd::Name(__VA_ARGS__); \
    }
#define TQ_RECORD_VOID(Name, Params, ...)                                              \
    void Name Params override { CTqWnd::Name(__VA_ARGS__); Logged(Call(#Name, __VA_ARGS__)); }

class Recorder : public CTqWnd {
public:
    std::vector<std::string> calls;
    std::optional<int> answer;
    // Given each void handler's call; it may end the window or the object.
    std::function<void(Recorder&, const std::string& call)> after;
    HWND handleInOnCreate = nullptr;  // what OnCreate saw of the binding
    CTqWnd* mappedInOnCreate = nullptr;

    int CreateTop(const char* title = "Recorder", HMENU menu = nullptr)
    {
        return Create(RecorderClass(), title, kFrame, 20, 20, 300, 200,
                      nullptr, static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(menu)));
    }
    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
    HMENU Menu() const { return m_hMenu; }
    CTqWnd* CmdWnd() const { return m_pCmdWnd; }
    int Command(WPARAM wParam, LPARAM lParam) { return OnCommand(wParam, lParam); }

    // The object the handle map holds for hWnd, found through
    // PreTranslateProc, which asks that object only.
    static CTqWnd* MappedObject(HWND hWnd)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        s_translator = nullptr;
        CTqWnd::PreTranslateProc(&msg);
        return s_translator;
    }

protected:
    int PreTranslateMessage(MSG* msg) override
    {
        s_translator = this;
        return CTqWnd::PreTranslateMessage(msg);
    }
    int OnCreate(CREATESTRUCTA* create) override
    {
        handleInOnCreate = m_hWnd;
        mappedInOnCreate = MappedObject(m_hWnd);
        calls.push_back(Call("OnCreate", create));
        return answer.value_or(0);
    }
    // Stores the notification's code as the result when it is nonzero.
    int OnNotify(WPARAM id, LPARAM lParam, LRESULT* result) override
    {
        if (const auto* header = reinterpret_cast<NMHDR*>(lParam); header && header->code)
            *result = static_cast<LRESULT>(header->code);
        calls.push_back(Call("OnNotify", id, lParam));
        return answer.value_or(0);
    }
    void OnPaint() override { CTqWnd::OnPaint(); Logged("OnPaint"); }
    void OnDestroy() override { CTqWnd::OnDestroy(); Logged("OnDestroy"); }
    TQ_RECORD_INT(OnCmdMsg, (unsigned int id, int code, HWND control), id, code, control)
    TQ_RECORD_INT(OnCommand, (WPARAM wParam, LPARAM lParam), wParam, lParam)
    TQ_RECORD_INT(OnHelpInfo, (HELPINFO * info), info)
    TQ_RECORD_INT(OnNcPaint, (HRGN region), region)
    TQ_RECORD_INT(OnEraseBkgnd, (HDC dc), dc)
    TQ_RECORD_INT(OnNcActivate, (int active), active)
    TQ_RECORD_INT(OnHScroll, (unsigned int code, unsigned int pos, HWND bar), code, pos, bar)
    TQ_RECORD_INT(OnMeasureItem, (int id, MEASUREITEMSTRUCT* item), id, item)
    TQ_RECORD_INT(OnDrawItem, (int id, DRAWITEMSTRUCT* item), id, item)
    TQ_RECORD_INT(OnMouseWheel, (unsigned int flags, short delta, POINT pt), flags, delta, pt)
    TQ_RECORD_INT(OnSetCursor, (HWND wnd, unsigned int hit, unsigned int msg), wnd, hit, msg)
    TQ_RECORD_VOID(OnTimer, (UINT_PTR id), id)
    TQ_RECORD_VOID(OnNcCalcSize, (int calcValidRects, NCCALCSIZE_PARAMS* p), calcValidRects, p)
    TQ_RECORD_VOID(OnSize, (unsigned int type, int cx, int cy), type, cx, cy)
    TQ_RECORD_VOID(OnKeyDown, (unsigned int key, unsigned int n, unsigned int f), key, n, f)
    TQ_RECORD_VOID(OnActivate, (unsigned int state, HWND other, int minimized), state, other,
                   minimized)
    TQ_RECORD_VOID(OnSetFocus, (HWND previous), previous)
    TQ_RECORD_VOID(OnKillFocus, (HWND next), next)
    TQ_RECORD_VOID(OnInitMenuPopup, (HMENU menu, unsigned int i, int sysMenu), menu, i, sysMenu)
    TQ_RECORD_VOID(OnDropFiles, (WPARAM drop), drop)
#define TQ_RECORD_MOUSE(Name) TQ_RECORD_VOID(Name, (unsigned int flags, POINT pt), flags, pt)
    TQ_RECORD_MOUSE(OnLButtonDown) TQ_RECORD_MOUSE(OnLButtonUp) TQ_RECORD_MOUSE(OnRButtonDown)
    TQ_RECORD_MOUSE(OnRButtonUp) TQ_RECORD_MOUSE(OnMButtonDown) TQ_RECORD_MOUSE(OnMButtonUp)
    TQ_RECORD_MOUSE(OnMouseMove)

private:
    void Logged(const std::string& call)
    {
        calls.push_back(call);
        if (const auto hook = after)  // a copy: the hook may end this object
            hook(*this, call);
    }

    static inline CTqWnd* s_translator = nullptr;
};

#undef TQ_RECORD_INT
#undef TQ_RECORD_VOID
#undef TQ_RECORD_MOUSE

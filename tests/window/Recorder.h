#pragma once

// A CTqWnd subclass that overrides every handler and logs each call with its
// arguments, so that tests see what the dispatch unpacked.
#include <TqCommon.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "window/internal/TqWndClass.h"

// Arguments are formatted alike for the recorder and the expectations.
inline std::string Arg(long long value) { return std::to_string(value); }
inline std::string Arg(POINT pt) { return "(" + Arg(pt.x) + "," + Arg(pt.y) + ")"; }
template <class T>
std::string Arg(T* pointer)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(pointer));
}

template <class... Args>
std::string Call(const char* handler, Args... args)
{
    std::string text = std::string(handler) + "(";
    const char* separator = "";
    ((text += separator, text += Arg(args), separator = ","), ...);
    return text + ")";
}

// The test windows' class, registered through the library's own helper.
inline const char* RecorderClass()
{
    static tq::WndClass windowClass("TqTestRecorder");
    windowClass.Register();
    return windowClass.Name();
}

class Recorder : public CTqWnd {
public:
    std::vector<std::string> calls;
    // What every int handler answers; unset: what CTqWnd's own handler does.
    std::optional<int> answer;
    std::optional<long> notifyResult;  // stored by OnNotify when set
    // Run at the end of their handlers; they may destroy the window or the object.
    std::function<void(Recorder&)> afterTimer, afterDestroy;
    std::function<void(NCCALCSIZE_PARAMS*)> afterNcCalcSize;
    // What OnCreate saw of the binding.
    HWND handleInOnCreate = nullptr;
    CTqWnd* mappedInOnCreate = nullptr;

    int CreateTop(const char* title = "Recorder", unsigned int menu = 0)
    {
        return Create(RecorderClass(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200,
                      nullptr, menu);
    }
    int CreateChild(CTqWnd* parent)
    {
        return Create(RecorderClass(), "Child", WS_CHILD | WS_VISIBLE, 5, 5, 100, 50, parent, 7);
    }
    int Count(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](auto& call) {
            return call.compare(0, prefix.size(), prefix) == 0;
        }));
    }
    HMENU Menu() const { return m_hMenu; }
    HACCEL Accel() const { return m_hAccel; }
    int Attached() const { return m_bAttached; }
    CTqWnd* CmdWnd() const { return m_pCmdWnd; }
    int Command(unsigned int wParam, long lParam) { return OnCommand(wParam, lParam); }

    // The object the handle map holds for hWnd, found through
    // PreTranslateProc, which asks that object only.
    static CTqWnd* MappedObject(HWND hWnd)
    {
        s_translator = nullptr;
        MSG msg = {};
        msg.hwnd = hWnd;
        CTqWnd::PreTranslateProc(&msg);
        return s_translator;
    }

protected:
    int PreTranslateMessage(MSG* msg) override
    {
        s_translator = this;
        return CTqWnd::PreTranslateMessage(msg);
    }
    int OnCmdMsg(unsigned int id, int code, HWND control) override
    {
        Log(Call("OnCmdMsg", id, code, control));
        return answer ? *answer : CTqWnd::OnCmdMsg(id, code, control);
    }
    int OnCreate(CREATESTRUCTA* create) override
    {
        handleInOnCreate = m_hWnd;
        mappedInOnCreate = MappedObject(m_hWnd);
        return Answer(Call("OnCreate", create));
    }
    void OnDestroy() override
    {
        Log("OnDestroy()");
        CTqWnd::OnDestroy();
        if (const auto hook = afterDestroy)  // a copy: the hook may end this object
            hook(*this);
    }
    int OnCommand(unsigned int wParam, long lParam) override
    {
        Log(Call("OnCommand", wParam, lParam));
        return answer ? *answer : CTqWnd::OnCommand(wParam, lParam);
    }
    void OnPaint() override
    {
        Log("OnPaint()");
        CTqWnd::OnPaint();
    }
    void OnNcCalcSize(int calcValidRects, NCCALCSIZE_PARAMS* params) override
    {
        Log(Call("OnNcCalcSize", calcValidRects, params));
        if (afterNcCalcSize)
            afterNcCalcSize(params);
    }
    void OnTimer(unsigned int id) override
    {
        Log(Call("OnTimer", id));
        if (const auto hook = afterTimer)
            hook(*this);
    }
    int OnNotify(unsigned int id, long lParam, long* result) override
    {
        if (notifyResult)
            *result = *notifyResult;
        return Answer(Call("OnNotify", id, lParam));
    }
    int OnNcActivate(int active) override
    {
        Log(Call("OnNcActivate", active));
        return answer.value_or(CTqWnd::OnNcActivate(active));
    }
    int OnSetCursor(HWND wnd, unsigned int hitTest, unsigned int message) override
    {
        Log(Call("OnSetCursor", wnd, hitTest, message));
        return answer.value_or(CTqWnd::OnSetCursor(wnd, hitTest, message));
    }
    int OnHelpInfo(HELPINFO* info) override { return Answer(Call("OnHelpInfo", info)); }
    int OnNcPaint(HRGN region) override { return Answer(Call("OnNcPaint", region)); }
    int OnEraseBkgnd(HDC dc) override { return Answer(Call("OnEraseBkgnd", dc)); }
    int OnHScroll(unsigned int code, unsigned int pos, HWND bar) override
    {
        return Answer(Call("OnHScroll", code, pos, bar));
    }
    int OnMeasureItem(int id, MEASUREITEMSTRUCT* item) override
    {
        return Answer(Call("OnMeasureItem", id, item));
    }
    int OnDrawItem(int id, DRAWITEMSTRUCT* item) override
    {
        return Answer(Call("OnDrawItem", id, item));
    }
    int OnMouseWheel(unsigned int flags, short delta, POINT pt) override
    {
        return Answer(Call("OnMouseWheel", flags, delta, pt));
    }
    void OnSize(unsigned int type, int cx, int cy) override { Log(Call("OnSize", type, cx, cy)); }
    void OnKeyDown(unsigned int key, unsigned int repeat, unsigned int flags) override
    {
        Log(Call("OnKeyDown", key, repeat, flags));
    }
    void OnLButtonDown(unsigned int f, POINT pt) override { Log(Call("OnLButtonDown", f, pt)); }
    void OnLButtonUp(unsigned int f, POINT pt) override { Log(Call("OnLButtonUp", f, pt)); }
    void OnRButtonDown(unsigned int f, POINT pt) override { Log(Call("OnRButtonDown", f, pt)); }
    void OnRButtonUp(unsigned int f, POINT pt) override { Log(Call("OnRButtonUp", f, pt)); }
    void OnMButtonDown(unsigned int f, POINT pt) override { Log(Call("OnMButtonDown", f, pt)); }
    void OnMButtonUp(unsigned int f, POINT pt) override { Log(Call("OnMButtonUp", f, pt)); }
    void OnMouseMove(unsigned int f, POINT pt) override { Log(Call("OnMouseMove", f, pt)); }
    void OnActivate(unsigned int state, HWND other, int minimized) override
    {
        Log(Call("OnActivate", state, other, minimized));
    }
    void OnSetFocus(HWND previous) override { Log(Call("OnSetFocus", previous)); }
    void OnKillFocus(HWND next) override { Log(Call("OnKillFocus", next)); }
    void OnInitMenuPopup(HMENU menu, unsigned int index, int sysMenu) override
    {
        Log(Call("OnInitMenuPopup", menu, index, sysMenu));
    }
    void OnDropFiles(unsigned int drop) override { Log(Call("OnDropFiles", drop)); }

private:
    void Log(const std::string& call) { calls.push_back(call); }
    int Answer(const std::string& call)
    {
        Log(call);
        return answer.value_or(0);
    }

    static inline CTqWnd* s_translator = nullptr;
};

// Storage for a Recorder whose life a test ends by hand, filled with a
// pattern then, to show that nothing writes to it afterwards.
struct Grave {
    alignas(Recorder) unsigned char bytes[sizeof(Recorder)];

    Recorder* Raise() { return new (bytes) Recorder; }
    void Bury(Recorder* recorder)
    {
        recorder->~Recorder();
        std::fill(std::begin(bytes), std::end(bytes), 0xA5);
    }
    bool Untouched() const
    {
        return std::all_of(std::begin(bytes), std::end(bytes), [](auto b) { return b == 0xA5; });
    }
};

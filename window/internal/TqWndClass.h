#pragma once

#include <windows.h>

#include "window/CTqWnd.h"

// The window class of one library control. Not installed: applications
// register their own classes.

namespace tq {

// Registered under the application's module, where CTqWnd::Create makes its
// windows, on the control's first Create; one object per class, living as
// long as the process. A failed registration is tried again on the next call.
class WndClass {
public:
    explicit constexpr WndClass(const char* name) : m_name(name), m_registered(0) {}
    WndClass(const WndClass&) = delete;
    WndClass& operator=(const WndClass&) = delete;

    const char* Name() const { return m_name; }

    // 1 when the class is registered, now or before.
    int Register()
    {
        if (!m_registered) {
            const WNDCLASSEXA description = Description();
            m_registered = RegisterClassExA(&description) ? 1 : 0;
        }
        return m_registered;
    }

private:
    WNDCLASSEXA Description() const
    {
        WNDCLASSEXA description = {};
        description.cbSize = sizeof description;
        description.style = CS_HREDRAW | CS_VREDRAW;
        description.lpfnWndProc = CTqWnd::WndProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kArrowCursorId));
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = m_name;
        return description;
    }

    static constexpr WORD kArrowCursorId = 32512;  // IDC_ARROW

    const char* m_name;
    int m_registered;
};

}  // namespace tq

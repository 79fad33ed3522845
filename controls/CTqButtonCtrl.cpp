#include "controls/CTqButtonCtrl.h"

namespace {

const char kButtonClass[] = "BUTTON";

}  // namespace

CTqButtonCtrl::CTqButtonCtrl() = default;

CTqButtonCtrl::~CTqButtonCtrl() = default;

int CTqButtonCtrl::Create(const char* text, unsigned long style, int x, int y, int width,
                          int height, CTqWnd* parent, unsigned int id)
{
    return CTqWnd::Create(kButtonClass, text, style, x, y, width, height, parent, id);
}

int CTqButtonCtrl::GetCheck() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CTqButtonCtrl::SetCheck(int state)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void CTqButtonCtrl::OnClick() {}

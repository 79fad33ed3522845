#include "controls/CTqBaseProgressWnd.h"

CTqBaseProgressWnd::~CTqBaseProgressWnd() = default;

void CTqBaseProgressWnd::TqShow(int) {}
void CTqBaseProgressWnd::TqDoModal() {}
void CTqBaseProgressWnd::TqSetTitle(const char*) {}
void CTqBaseProgressWnd::TqSetText(const char*) {}
void CTqBaseProgressWnd::TqSetRange(int, int) {}
void CTqBaseProgressWnd::TqSetPos(int) {}
void CTqBaseProgressWnd::TqPeekAndPump() {}

int CTqBaseProgressWnd::TqIsCancelled()
{
    return 0;
}

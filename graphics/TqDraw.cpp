#include "graphics/TqDraw.h"

#include "library/internal/TqGdiGuards.h"

namespace {

const int kSeparatorFromRight = 11;      // the etched line between swatch and arrow
const int kSeparatorInset = 4;           // from the top and bottom edges
const int kArrowLeftFromRight = 9;
const int kArrowRightFromRight = 5;
const int kArrowTipFromRight = 7;
const int kSwatchLeft = 5;
const int kSwatchTop = 4;
const int kSwatchRightFromRight = 15;
const int kSwatchBottomInset = 4;
const int kFocusInset = 2;

void DrawButtonFrame(HDC dc, RECT frame, bool pressed)
{
    DrawFrameControl(dc, &frame, DFC_BUTTON, pressed ? DFCS_BUTTONPUSH | DFCS_PUSHED : DFCS_BUTTONPUSH);
}

void DrawSeparator(HDC dc, const RECT& content)
{
    RECT line = {content.right - kSeparatorFromRight, content.top + kSeparatorInset, content.right,
                 content.bottom - kSeparatorInset};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
}

// The arrow's height is taken from the bottom side alone (b / 2), which
// centres it in the usual item rectangle, one that starts at y = 0.
void DrawArrow(HDC dc, const RECT& content)
{
    const int middle = content.bottom / 2;
    const POINT arrow[] = {{content.right - kArrowLeftFromRight, middle - 1},
                           {content.right - kArrowRightFromRight, middle - 1},
                           {content.right - kArrowTipFromRight, middle + 1}};
    Polygon(dc, arrow, sizeof arrow / sizeof arrow[0]);
}

void DrawSwatch(HDC dc, const RECT& content)
{
    Rectangle(dc, content.left + kSwatchLeft, content.top + kSwatchTop,
              content.right - kSwatchRightFromRight, content.bottom - kSwatchBottomInset);
}

RECT Shifted(const RECT& rect, int by)
{
    return {rect.left + by, rect.top + by, rect.right + by, rect.bottom + by};
}

}  // namespace

void TqDrawColorBtn(DRAWITEMSTRUCT* item, unsigned long color)
{
    if (!item)
        return;
    const HDC dc = item->hDC;
    const tq::GdiObject<HBRUSH> swatch(CreateSolidBrush(color));
    const tq::SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    const tq::SelectedObject brush(dc, GetStockObject(BLACK_BRUSH));

    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    DrawButtonFrame(dc, item->rcItem, pressed);
    const RECT content = pressed ? Shifted(item->rcItem, 1) : item->rcItem;
    DrawSeparator(dc, content);
    DrawArrow(dc, content);
    if (!(item->itemState & ODS_DISABLED) && swatch.Get()) {
        SelectObject(dc, swatch);
        DrawSwatch(dc, content);
    }
    if (item->itemState & ODS_FOCUS) {
        RECT focus = item->rcItem;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(dc, &focus);
    }
}

void TqDrawCrossHair(HDC dc, HPEN pen, int x, int y, int width, int height)
{
    const tq::SelectedObject selected(dc, pen);
    const tq::MixMode inverting(dc, R2_NOT);
    const POINT horizontal[] = {{x, y + height / 2}, {x + width, y + height / 2}};
    const POINT vertical[] = {{x + width / 2, y}, {x + width / 2, y + height}};
    Polyline(dc, horizontal, 2);
    Polyline(dc, vertical, 2);
}

void TqDrawFrame(HDC dc, HPEN pen, int x, int y, int width, int height)
{
    const tq::SelectedObject selected(dc, pen);
    const tq::MixMode inverting(dc, R2_NOT);
    const POINT outline[] = {
        {x, y}, {x, y + height}, {x + width, y + height}, {x + width, y}, {x, y}};
    Polyline(dc, outline, sizeof outline / sizeof outline[0]);
}

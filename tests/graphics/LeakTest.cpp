// Every drawing operation, repeated more often than the process has free GDI
// handles: an operation that kept one GDI object (bitmap, DC, brush, pen)
// per call would exhaust the table and draw wrongly at the end. To keep the
// run short, the table is first filled with brushes up to a small headroom.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "GraphicsSupport.h"
#include "TestWindow.h"

namespace {

// Free handles left while the operations run: far more than one call needs,
// far fewer than the calls made.
const size_t kHeadroom = 2000;
const int kCallsToExhaustHandles = 3 * kHeadroom;
// Wine's GDI handle table holds about 65,500 objects, Windows' 10,000 per
// process by default; this bounds the filling if neither limit applies.
const size_t kMostHandles = 200000;

const COLORREF kMagenta = RGB(255, 0, 255);

const std::vector<std::string> kSprite = {
    "MKM",
    "KRK",
    "MKM",
};

struct Operation {
    const char* name;
    std::function<void(Canvas&)> draw;
};

// Fills the process's GDI handle table with brushes, then frees kHeadroom of
// them; frees the rest at the end.
class HandleTableSqueeze {
public:
    HandleTableSqueeze()
    {
        while (m_brushes.size() < kMostHandles) {
            HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
            if (!brush)
                break;
            m_brushes.push_back(brush);
        }
        m_bFilled = m_brushes.size() < kMostHandles;
        for (size_t i = 0; i < kHeadroom && !m_brushes.empty(); ++i) {
            DeleteObject(m_brushes.back());
            m_brushes.pop_back();
        }
    }
    HandleTableSqueeze(const HandleTableSqueeze&) = delete;
    HandleTableSqueeze& operator=(const HandleTableSqueeze&) = delete;
    ~HandleTableSqueeze()
    {
        for (HBRUSH brush : m_brushes)
            DeleteObject(brush);
    }
    bool Filled() const { return m_bFilled; }

private:
    std::vector<HBRUSH> m_brushes;
    bool m_bFilled;
};

}  // namespace

TEST(GdiLeaks, EveryOperationReleasesWhatItMakes)
{
    PictureBitmap sprite(kSprite);
    TestWindow window(WS_POPUP);
    CTqTransparentBmp transparent(window, PictureBitmap(kSprite).Release(), kMagenta);
    CTqDib dib;
    ASSERT_EQ(dib.Create(3, 3, 24, 0), 1);
    ASSERT_EQ(dib.FillRect({0, 0, 255, 0}, nullptr, 0), 1);
    HPEN pen = CreatePen(PS_SOLID, 2, 0);

    const Operation operations[] = {
        {"TqTransparentBlt",
         [&](Canvas& c) { TqTransparentBlt(c.Dc(), 1, 1, 3, 3, sprite.Get(), 0, 0, kMagenta, nullptr); }},
        {"TqDisabledBlt", [&](Canvas& c) { TqDisabledBlt(c.Dc(), 1, 1, 3, 3, sprite.Get(), 0, 0); }},
        {"CTqTransparentBmp::Draw", [&](Canvas& c) { transparent.Draw(c.Dc(), 1, 1); }},
        {"CTqTransparentBmp::DrawStretch", [&](Canvas& c) { transparent.DrawStretch(c.Dc(), 1, 1, 3, 3); }},
        {"CTqTransparentBmp copies",
         [&](Canvas& c) {
             CTqTransparentBmp copy(transparent);
             copy = transparent;
             copy.Draw(c.Dc(), 1, 1);
         }},
        {"TqDrawColorBtn",
         [&](Canvas& c) {
             DRAWITEMSTRUCT item = {};
             item.hDC = c.Dc();
             item.rcItem = {0, 0, 8, 8};
             item.itemState = ODS_FOCUS;
             TqDrawColorBtn(&item, RGB(0, 0, 255));
         }},
        {"TqDrawCrossHair and TqDrawFrame",
         [&](Canvas& c) {
             TqDrawCrossHair(c.Dc(), pen, 0, 0, 4, 4);
             TqDrawFrame(c.Dc(), pen, 1, 1, 3, 3);
         }},
        {"CTqDib::StretchDIBits", [&](Canvas& c) { dib.StretchDIBits(c.Dc(), 1, 1, 3, 3, SRCCOPY, 1); }},
    };

    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        // The picture of one call on a fresh canvas is the reference.
        Canvas reference(6, 6);
        reference.FillPattern();
        operation.draw(reference);

        Canvas canvas(6, 6);
        const HandleTableSqueeze squeeze;
        ASSERT_TRUE(squeeze.Filled());
        for (int call = 0; call < kCallsToExhaustHandles; ++call)
            operation.draw(canvas);
        canvas.FillPattern();
        operation.draw(canvas);
        EXPECT_EQ(canvas.Pixels(), reference.Pixels());

        // And the process can still make GDI objects.
        HBRUSH probe = CreateSolidBrush(0);
        EXPECT_NE(probe, nullptr);
        DeleteObject(probe);
    }
    DeleteObject(pen);
}

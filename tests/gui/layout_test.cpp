// Laying a window out from its table at a DPI, on the production tables.
#include "layout.h"

#include <gtest/gtest.h>

#include "controls.h"
#include "window_tables.h"

TEST(Layout, PixelsAtADpi) {
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    const int cases[][3] = {{15, 96, 1}, {5700, 96, 380}, {5700, 144, 570}, {7, 96, 0},
                            {8, 96, 1},  {-8, 96, -1},    {10, 144, 1}};
    for (const auto& [twips, dpi, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " " << dpi;
    EXPECT_EQ(FontHeightInPixels(825, 96), -11);
    EXPECT_EQ(FontHeightInPixels(825, 144), -17);
    // The note lies in a box that lies in another: 120+60+45, 855+1470+180 twips.
    const auto place = [](Control c, unsigned dpi) { return PlaceOnWindow(kMainWindow, *kMainWindow.Find(c.id), dpi); };
    EXPECT_EQ(place(MainWindow::NoteLabel, 96), (PixelRect{15, 167, 351, 18}));
    EXPECT_EQ(place(MainWindow::BrowseRomButton, 144), (PixelRect{522, 102, 38, 36}));
}

TEST(Layout, GroupBoxesAreCreatedLastInnerFirstTheRestInTableOrder) {
    std::vector<int> ids;
    for (const ControlDef* control : CreationOrder(kMainWindow)) ids.push_back(control->control.id);
    EXPECT_EQ(ids, (std::vector<int>{101, 301, 102, 201, 302, 103, 202, 303, 104, 203, 304, 204, 205, 403, 401, 402}));
}

// Laying a window out from its table at a DPI, on the production tables.
#include "platform/layout.h"

#include <gtest/gtest.h>

#include "core/controls.h"
#include "window_tables/window_tables.h"

TEST(Layout, TwipsAndPointsRoundToTheNearestPixelAsMulDivDoes) {
    const struct {
        int twips;
        unsigned dpi;
        int pixels;
    } cases[] = {{15, 96, 1}, {5700, 96, 380}, {5700, 144, 570}, {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {10, 144, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_EQ(FontHeightInPixels(825, 96), -11);
    EXPECT_EQ(FontHeightInPixels(825, 144), -17);  // 16.5 rounds away from zero
}

TEST(Layout, ControlsInsideGroupBoxesArePlacedFromTheBoxesOuterCorners) {
    // The note lies in a box that lies in another: 120+60+45, 855+1470+180 twips.
    EXPECT_EQ(PlaceOnWindow(kMainWindow, *kMainWindow.Find(MainWindow::NoteLabel.id), 96),
              (PixelRect{15, 167, 351, 18}));
    EXPECT_EQ(PlaceOnWindow(kMainWindow, *kMainWindow.Find(MainWindow::BrowseRomButton.id), 144),
              (PixelRect{522, 102, 38, 36}));
}

TEST(Layout, GroupBoxesAreCreatedLastInnerFirstTheRestInTableOrder) {
    std::vector<int> ids;
    for (const ControlDef* control : CreationOrder(kMainWindow))
        ids.push_back(control->control.id);
    EXPECT_EQ(ids, (std::vector<int>{101, 301, 102, 201, 302, 103, 202, 303, 104, 203, 304, 204, 205, 403, 401, 402}));
}

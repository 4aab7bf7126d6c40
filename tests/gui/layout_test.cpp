// The order a window's controls are created in (their places are checked under Wine).
#include "layout.h"

#include <gtest/gtest.h>

#include "window_tables.h"

TEST(Layout, GroupBoxesAreCreatedLastInnerFirstTheRestInTableOrder) {
    std::vector<int> ids;
    for (const ControlDef* control : CreationOrder(kMainWindow)) ids.push_back(control->control.id);
    EXPECT_EQ(ids, (std::vector<int>{101, 301, 102, 201, 302, 103, 202, 303, 104, 203, 304, 204, 205, 403, 401, 402}));
}

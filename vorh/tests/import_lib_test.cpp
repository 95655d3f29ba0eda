// A caller linked against the import library rebuilt for the undecorated exports.
#include <gtest/gtest.h>

#include "vorh/vorh.h"

TEST(VorhImportLibrary, CallsReachTheLibrary)
{
    EXPECT_EQ(vorhCheckDockable(nullptr), 0);
    EXPECT_EQ(vorhSetLocked(3), 3);
    EXPECT_EQ(vorhSetLocked(0), 0);
    EXPECT_EQ(vorhGetLastWnd(), nullptr);
    EXPECT_EQ(vorhFindWindow("nothing"), nullptr);
    RECT rc{0, 0, 10, 10};
    EXPECT_EQ(vorhSetDockingRects(0, &rc, 1), 0);
    EXPECT_EQ(vorhStopHook(), FALSE);
}

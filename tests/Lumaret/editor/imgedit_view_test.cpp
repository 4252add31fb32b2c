// The editor view: zoom steps, mapping between picture and window, loading.
#include <gtest/gtest.h>

#include "editor/ImgEditView.h"

TEST(ImgEditView, StartsAtOneHundredPerCent)
{
    CImgEditView view;
    EXPECT_EQ(1000, view.GetZoomRatio());
}

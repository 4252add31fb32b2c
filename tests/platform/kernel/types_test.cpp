#include <gtest/gtest.h>

#include "mfc.h"

namespace {

class CAnimal : public CObject {
    DECLARE_DYNCREATE(CAnimal)
};
IMPLEMENT_DYNCREATE(CAnimal, CObject)

class CDog : public CAnimal {
    DECLARE_DYNCREATE(CDog)
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

}  // namespace

TEST(Types, WindowsSizesHoldOn64Bit)
{
    EXPECT_EQ(4u, sizeof(DWORD));
    EXPECT_EQ(4u, sizeof(LONG));
    EXPECT_EQ(2u, sizeof(WCHAR));
    EXPECT_EQ(sizeof(void*), sizeof(WPARAM));
    EXPECT_EQ(sizeof(void*), sizeof(LPARAM));
    EXPECT_EQ(16u, sizeof(RECT));
}

TEST(Types, PackingMacros)
{
    EXPECT_EQ(0x00030201u, RGB(1, 2, 3));
    EXPECT_EQ(1, GetRValue(RGB(1, 2, 3)));
    EXPECT_EQ(2, GetGValue(RGB(1, 2, 3)));
    EXPECT_EQ(3, GetBValue(RGB(1, 2, 3)));
    LONG l = MAKELONG(0x1234, 0xABCD);
    EXPECT_EQ(0x1234, LOWORD(l));
    EXPECT_EQ(0xABCD, HIWORD(l));
    EXPECT_EQ(-5, GET_X_LPARAM(MAKELPARAM(-5, 7)));
    EXPECT_EQ(0x4D2u, (unsigned)(MAKEWPARAM(0x4D2, 0) & 0xFFFF));
    EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCE(128)));
}

TEST(Types, RuntimeClassesKnowTheirAncestry)
{
    CObject* dog = RUNTIME_CLASS(CDog)->CreateObject();
    ASSERT_NE(nullptr, dog);
    EXPECT_TRUE(dog->IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(dog->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CDog)));
    EXPECT_EQ(RUNTIME_CLASS(CDog), CRuntimeClass::FromName("CDog"));
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CAnimal, dog));
    delete dog;
}

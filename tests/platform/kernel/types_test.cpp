#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/runtimeclass.h"

#include <climits>

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

TEST(Types, OnlyRegisteredClassesAreFoundByAddress)
{
    EXPECT_EQ(RUNTIME_CLASS(CDog), mivo::FindRegisteredClass(RUNTIME_CLASS(CDog)));
    EXPECT_EQ(&CObject::classCObject, mivo::FindRegisteredClass(&CObject::classCObject));
    // A look-alike record, an address inside a record and small numbers: none is
    // a class, and the numbers would crash anything that read through them.
    CRuntimeClass copy = *RUNTIME_CLASS(CDog);
    const void* others[] = {nullptr, (const void*)1, (const void*)0x4D2, &copy,
                            (const char*)RUNTIME_CLASS(CDog) + 1};
    for (const void* other : others)
        EXPECT_EQ(nullptr, mivo::FindRegisteredClass(other)) << other;
}

TEST(Types, MulDivRoundsThroughA64BitProduct)
{
    struct Case {
        int number, numerator, denominator, expected;
    } cases[] = {
        {10, 3, 4, 8},                       // 7.5 rounds up
        {-10, 3, 4, -8},                     // and away from zero below it
        {10, -3, -4, 8},
        {7, 1, 3, 2},                        // 2.33 rounds down
        {9, 96, 72, 12},                     // points to pixels at 96 dots per inch
        {100000, 100000, 100000, 100000},    // the product needs 64 bits
        {INT_MAX, 2, 2, INT_MAX},
        {INT_MIN, 1, 1, INT_MIN},
        {INT_MAX, 2, 1, -1},                 // the result does not fit
        {5, 7, 0, -1},                       // no divisor
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

#include <gtest/gtest.h>

#include "mfc.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// Every member of the templates must compile for the element types the system uses.
template class CArray<CString, const CString&>;
template class CArray<int>;
template class CList<CString, const CString&>;
template class CList<void*, void*>;
template class CMap<CString, LPCTSTR, CString, LPCTSTR>;
template class CMap<CString, const CString&, int, int>;
template class CMap<WORD, WORD, void*, void*>;
template class CTypedPtrArray<CPtrArray, HMENU>;
template class CTypedPtrList<CObList, CObject*>;
template class CTypedPtrMap<CMapStringToPtr, CString, int*>;

namespace {

// Counts live objects, so tests can see every element is destroyed exactly once.
struct Tracked {
    static int live;
    int value;
    Tracked() : value(0) { ++live; }
    Tracked(int v) : value(v) { ++live; }
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
    bool operator==(const Tracked& other) const { return value == other.value; }
};
int Tracked::live = 0;

template <class F>
bool throwsInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    } catch (CException* e) {
        e->Delete();
    }
    return false;
}

template <class ARRAY>
std::vector<std::string> contents(const ARRAY& a)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        out.push_back((LPCSTR)a[i]);
    return out;
}

std::vector<int> contents(const CUIntArray& a)
{
    std::vector<int> out;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        out.push_back((int)a[i]);
    return out;
}

template <class LIST>
std::vector<std::string> forwards(const LIST& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        out.push_back((LPCSTR)list.GetNext(pos));
    return out;
}

template <class LIST>
std::vector<std::string> backwards(const LIST& list)
{
    std::vector<std::string> out;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        out.push_back((LPCSTR)list.GetPrev(pos));
    return out;
}

class CThing : public CObject {
public:
    explicit CThing(int n) : m_n(n) {}
    int m_n;
};

typedef std::vector<std::string> Strings;

}  // namespace

TEST(Collections, ArrayGrowsWithZeroedElements)
{
    CUIntArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(-1, a.GetUpperBound());
    a.SetSize(3, 10);
    EXPECT_EQ(3, a.GetSize());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), contents(a));
    for (UINT i = 0; i < 1000; i++)
        EXPECT_EQ((INT_PTR)(3 + i), a.Add(i));
    EXPECT_EQ(1003, a.GetCount());
    EXPECT_EQ(1002, a.GetUpperBound());
    EXPECT_EQ(999u, a[1002]);
    EXPECT_EQ(a.GetData() + 500, &a.ElementAt(500));
    a.SetSize(2);
    a.FreeExtra();
    EXPECT_EQ((std::vector<int>{0, 0}), contents(a));
    a.SetAtGrow(5, 7);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 7}), contents(a));
    a.RemoveAll();
    EXPECT_EQ(nullptr, a.GetData());
}

TEST(Collections, ArrayInsertAndRemove)
{
    CStringArray a;
    a.Add("a");
    a.Add("b");
    a.Add("c");
    a.InsertAt(1, "x", 2);
    EXPECT_EQ((Strings{"a", "x", "x", "b", "c"}), contents(a));
    a.InsertAt(7, "end");  // beyond the end: the gap holds empty strings
    EXPECT_EQ((Strings{"a", "x", "x", "b", "c", "", "", "end"}), contents(a));
    a.RemoveAt(5, 2);
    a.RemoveAt(1, 2);
    EXPECT_EQ((Strings{"a", "b", "c", "end"}), contents(a));
    a.RemoveAt(3);
    a.RemoveAt(0);
    EXPECT_EQ((Strings{"b", "c"}), contents(a));

    CStringArray more;
    more.Add("1");
    more.Add("2");
    a.InsertAt(1, &more);
    EXPECT_EQ((Strings{"b", "1", "2", "c"}), contents(a));
    a.InsertAt(0, &a);
    EXPECT_EQ((Strings{"b", "1", "2", "c", "b", "1", "2", "c"}), contents(a));
}

TEST(Collections, ArrayOutOfRangeThrowsInvalidArg)
{
    CStringArray a;
    a.Add("only");
    const CStringArray& ca = a;
    EXPECT_TRUE(throwsInvalidArg([&] { a.GetAt(1); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.GetAt(-1); }));
    EXPECT_TRUE(throwsInvalidArg([&] { ca[1]; }));
    EXPECT_TRUE(throwsInvalidArg([&] { a[5] = "x"; }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.ElementAt(1); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.SetAt(1, "x"); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.RemoveAt(1); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.RemoveAt(0, 2); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.InsertAt(-1, "x"); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.SetAtGrow(-1, "x"); }));
    EXPECT_TRUE(throwsInvalidArg([&] { a.SetSize(-1); }));
    EXPECT_EQ((Strings{"only"}), contents(a));

    CUIntArray empty;
    EXPECT_TRUE(throwsInvalidArg([&] { empty.GetAt(0); }));
}

TEST(Collections, ArrayElementsAreConstructedAndDestroyedOnce)
{
    Tracked::live = 0;
    {
        CArray<Tracked, const Tracked&> a;
        a.SetSize(5);
        EXPECT_EQ(5, Tracked::live);
        for (int i = 0; i < 100; i++)
            a.Add(Tracked(i));
        EXPECT_EQ(105, Tracked::live);
        EXPECT_EQ(42, a[47].value);
        a.RemoveAt(0, 50);
        a.InsertAt(3, Tracked(-1), 4);
        EXPECT_EQ(59, Tracked::live);
        a.SetSize(10);
        EXPECT_EQ(10, Tracked::live);
        a.FreeExtra();
        EXPECT_EQ(10, Tracked::live);
    }
    EXPECT_EQ(0, Tracked::live);
}

TEST(Collections, ArrayAddsItsOwnElementWhileGrowing)
{
    CStringArray a;
    a.Add("사진 한 장");
    for (int i = 0; i < 200; i++)
        a.Add(a[0]);  // the argument lives in the storage that grows
    a.InsertAt(1, a[0], 3);
    a.SetAtGrow(300, a[1]);
    for (INT_PTR i = 0; i <= 203; i++)
        ASSERT_STREQ("사진 한 장", a[i]) << i;
    EXPECT_STREQ("사진 한 장", a[300]);
}

TEST(Collections, StringArrayCopyAndAppend)
{
    CStringArray a;
    a.Add("C:\\사진\\");
    a.Add("D:\\Photos\\");
    CStringArray b;
    b.Add("stale");
    b.Copy(a);
    EXPECT_EQ(contents(a), contents(b));
    b[0] = "changed";
    EXPECT_STREQ("C:\\사진\\", a[0]);  // copies are deep
    EXPECT_EQ(2, b.Append(a));
    EXPECT_EQ((Strings{"changed", "D:\\Photos\\", "C:\\사진\\", "D:\\Photos\\"}), contents(b));
    EXPECT_EQ(2, a.Append(a));
    EXPECT_EQ((Strings{"C:\\사진\\", "D:\\Photos\\", "C:\\사진\\", "D:\\Photos\\"}), contents(a));
    a.Copy(a);
    EXPECT_EQ(4, a.GetSize());
}

TEST(Collections, TypedPointerArrays)
{
    CTypedPtrArray<CPtrArray, HMENU> menus;
    HMENU m1 = reinterpret_cast<HMENU>(0x1000);
    HMENU m2 = reinterpret_cast<HMENU>(0x2000);
    menus.Add(m1);
    menus.Add(m2);
    EXPECT_EQ(m2, menus.GetAt(1));
    menus[0] = m2;
    EXPECT_EQ(m2, menus[0]);
    EXPECT_TRUE(throwsInvalidArg([&] { menus.GetAt(2); }));

    CTypedPtrArray<CObArray, CThing*> things;
    CThing t1(1), t2(2);
    things.Add(&t1);
    things.InsertAt(0, &t2);
    EXPECT_EQ(2, things.GetAt(0)->m_n);
    EXPECT_EQ(1, things[1]->m_n);
    EXPECT_TRUE(things.IsKindOf(RUNTIME_CLASS(CObArray)));
    EXPECT_TRUE(things.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CStringArray", RUNTIME_CLASS(CStringArray)->m_lpszClassName);
}

TEST(Collections, ListAddAndWalkBothWays)
{
    CStringList list;
    list.AddTail("b");
    list.AddTail("c");
    list.AddHead("a");
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ((Strings{"a", "b", "c"}), forwards(list));
    EXPECT_EQ((Strings{"c", "b", "a"}), backwards(list));
    EXPECT_STREQ("a", list.GetHead());
    EXPECT_STREQ("c", list.GetTail());

    POSITION b = list.Find("b");
    ASSERT_NE(nullptr, b);
    list.InsertBefore(b, "before b");
    list.InsertAfter(b, "after b");
    list.InsertBefore(nullptr, "head");
    list.InsertAfter(nullptr, "tail");
    EXPECT_EQ((Strings{"head", "a", "before b", "b", "after b", "c", "tail"}), forwards(list));
    EXPECT_EQ((Strings{"tail", "c", "after b", "b", "before b", "a", "head"}), backwards(list));
    list.SetAt(b, "B");
    EXPECT_STREQ("B", list.GetAt(list.FindIndex(3)));
    EXPECT_EQ(nullptr, list.FindIndex(7));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    EXPECT_EQ(nullptr, list.Find("b"));
    EXPECT_EQ(nullptr, list.Find("a", list.Find("a")));

    EXPECT_STREQ("head", list.RemoveHead());
    EXPECT_STREQ("tail", list.RemoveTail());
    EXPECT_EQ(5, list.GetCount());
}

TEST(Collections, ListRemoveWhileWalking)
{
    CList<int, int> list;
    for (int i = 0; i < 10; i++)
        list.AddTail(i);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION current = pos;
        if (list.GetNext(pos) % 2 == 0)
            list.RemoveAt(current);
    }
    std::vector<int> left;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;) {
        POSITION current = pos;
        int value = list.GetPrev(pos);
        left.push_back(value);
        if (value == 9 || value == 1)
            list.RemoveAt(current);
    }
    EXPECT_EQ((std::vector<int>{9, 7, 5, 3, 1}), left);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(3, list.GetHead());
    EXPECT_EQ(7, list.GetTail());
}

TEST(Collections, ListEdgesAndElementLifetime)
{
    Tracked::live = 0;
    {
        CList<Tracked, const Tracked&> list;
        EXPECT_TRUE(throwsInvalidArg([&] { list.GetHead(); }));
        EXPECT_TRUE(throwsInvalidArg([&] { list.RemoveTail(); }));
        EXPECT_TRUE(throwsInvalidArg([&] {
            POSITION none = nullptr;
            list.GetNext(none);
        }));
        for (int i = 0; i < 5; i++)
            list.AddTail(Tracked(i));
        EXPECT_EQ(5, Tracked::live);
        list.RemoveHead();
        EXPECT_EQ(4, Tracked::live);
        list.AddTail(&list);  // a list may add itself
        EXPECT_EQ(8, list.GetCount());
        EXPECT_EQ(4, list.GetTail().value);
        list.AddHead(&list);
        EXPECT_EQ(16, list.GetCount());
        EXPECT_EQ(1, list.GetHead().value);
        list.RemoveAll();
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_EQ(0, Tracked::live);
        list.AddHead(Tracked(1));
    }
    EXPECT_EQ(0, Tracked::live);
}

TEST(Collections, TypedPointerList)
{
    CTypedPtrList<CObList, CThing*> list;
    CThing t1(1), t2(2), t3(3);
    list.AddTail(&t1);
    list.AddTail(&t2);
    list.AddHead(&t3);
    std::vector<int> seen;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        seen.push_back(list.GetNext(pos)->m_n);
    EXPECT_EQ((std::vector<int>{3, 1, 2}), seen);
    EXPECT_EQ(&t3, list.RemoveHead());
    EXPECT_NE(nullptr, list.Find(&t2));

    CPtrList raw;
    raw.AddTail(&t1);
    EXPECT_EQ(&t1, raw.GetHead());
}

TEST(Collections, MapWithStringKeysIncludingKorean)
{
    CMapStringToString map;
    map.SetAt("앨범", "Album");
    map.SetAt("사진", "Photo");
    map["ALBUM"] = "upper case is another key";
    map.SetAt("앨범", "Album 2");
    EXPECT_EQ(3, map.GetCount());

    CString value;
    EXPECT_TRUE(map.Lookup("앨범", value));
    EXPECT_STREQ("Album 2", value);
    EXPECT_FALSE(map.Lookup("album", value));
    EXPECT_FALSE(map.Lookup("앨", value));
    CString key("사진");
    EXPECT_TRUE(map.Lookup(key, value));
    EXPECT_STREQ("Photo", value);
    ASSERT_NE(nullptr, map.PLookup("ALBUM"));
    EXPECT_STREQ("ALBUM", map.PLookup("ALBUM")->key);
    EXPECT_EQ(nullptr, map.PLookup("없음"));

    EXPECT_TRUE(map.RemoveKey("사진"));
    EXPECT_FALSE(map.RemoveKey("사진"));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map["새 키"].IsEmpty());  // operator[] adds an empty value
    EXPECT_EQ(3, map.GetCount());
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.Lookup("앨범", value));
}

TEST(Collections, MapIterationVisitsEveryEntryOnce)
{
    CMap<CString, LPCTSTR, int, int> map;
    map.InitHashTable(7);  // few buckets: long chains
    std::map<std::string, int> expected;
    for (int i = 0; i < 300; i++) {
        CString key;
        key.Format("파일%03d.jpg", i);
        map[key] = i;
        expected[(LPCSTR)key] = i;
    }
    std::map<std::string, int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString key;
        int value = -1;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.emplace((LPCSTR)key, value).second) << "visited twice: " << (LPCSTR)key;
    }
    EXPECT_EQ(expected, seen);

    // Growing the table keeps every entry.
    map.InitHashTable(997);
    EXPECT_EQ(997u, map.GetHashTableSize());
    EXPECT_EQ(300, map.GetCount());
    int value = 0;
    EXPECT_TRUE(map.Lookup("파일123.jpg", value));
    EXPECT_EQ(123, value);

    // Removing the entry just returned is safe and the walk still sees the rest.
    int visited = 0;
    for (pos = map.GetStartPosition(); pos != nullptr;) {
        CString key;
        map.GetNextAssoc(pos, key, value);
        visited++;
        if (value % 3 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(300, visited);
    EXPECT_EQ(200, map.GetCount());

    int pairs = 0;
    for (auto* pair = map.PGetFirstAssoc(); pair != nullptr; pair = map.PGetNextAssoc(pair))
        pairs++;
    EXPECT_EQ(200, pairs);
}

TEST(Collections, MapStringValuesAreDestroyed)
{
    Tracked::live = 0;
    {
        CMap<int, int, Tracked, const Tracked&> map;
        for (int i = 0; i < 50; i++)
            map.SetAt(i, Tracked(i));
        EXPECT_EQ(50, Tracked::live);
        map.RemoveKey(7);
        EXPECT_EQ(49, Tracked::live);
        Tracked found;
        EXPECT_TRUE(map.Lookup(8, found));
        EXPECT_EQ(8, found.value);
    }
    EXPECT_EQ(0, Tracked::live);
}

TEST(Collections, PointerAndWordMaps)
{
    int a = 1, b = 2;
    CMapPtrToPtr ptrs;
    ptrs.SetAt(&a, &b);
    void* found = nullptr;
    EXPECT_TRUE(ptrs.Lookup(&a, found));
    EXPECT_EQ(&b, found);
    EXPECT_FALSE(ptrs.Lookup(&b, found));

    CMapWordToPtr words;
    words[7] = &a;
    words[0xFFFF] = &b;
    EXPECT_EQ(&b, words[0xFFFF]);
    CMapPtrToWord back;
    back[&a] = 7;
    WORD w = 0;
    EXPECT_TRUE(back.Lookup(&a, w));
    EXPECT_EQ(7, w);

    CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
    typed.SetAt("a", &a);
    typed["b"] = &b;
    int* p = nullptr;
    EXPECT_TRUE(typed.Lookup("b", p));
    EXPECT_EQ(&b, p);
    POSITION pos = typed.GetStartPosition();
    int total = 0;
    while (pos != nullptr) {
        CString key;
        typed.GetNextAssoc(pos, key, p);
        total += *p;
    }
    EXPECT_EQ(3, total);
    EXPECT_TRUE(typed.IsKindOf(RUNTIME_CLASS(CMapStringToPtr)));
}

TEST(Collections, StringKeysHashTheirBytes)
{
    CString key("앨범 목록");
    char buffer[] = "앨범 목록";
    EXPECT_EQ(HashKey<LPCTSTR>("앨범 목록"), HashKey<const CString&>(key));
    EXPECT_EQ(HashKey<LPCTSTR>("앨범 목록"), HashKey<LPSTR>(buffer));
    EXPECT_NE(HashKey<LPCTSTR>("앨범 목록"), HashKey<LPCTSTR>("앨범 목록 "));
}

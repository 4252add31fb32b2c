// Dragged photo lists and the desktop's file URLs, both ways.
#include <gtest/gtest.h>

#include "mivo/dragtext.h"

#include <string>
#include <vector>

TEST(DragText, ListEntriesBecomeEscapedFileUrlsInOrder)
{
    struct Case {
        std::string text;
        std::vector<std::string> urls;
    } cases[] = {
        {"0\tC:\\tmp\\a b.jpg\r", {"file:///tmp/a%20b.jpg"}},
        {"105\tC:\\p\\x.jpg\r1\tC:\\p\\sub\r", {"file:///p/x.jpg", "file:///p/sub"}},
        // The CP949 name goes as UTF-8 bytes, escaped.
        {"0\tC:\\\xBB\xE7\xC1\xF8.jpg\r", {"file:///%EC%82%AC%EC%A7%84.jpg"}},
        {"0\tC:\\100% #1.jpg", {"file:///100%25%20%231.jpg"}},
        // A name Windows forbids has no place on the desktop either.
        {"0\tC:\\a?.jpg\r", {}},
        {"garbage\r0\t\r\r", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.urls, mivo::DragTextToFileUrls(c.text)) << c.text;
}

TEST(DragText, DroppedFileUrlsBecomeFileEntriesAndOthersAreLeftOut)
{
    struct Case {
        std::vector<std::string> urls;
        std::string text;
    } cases[] = {
        {{"file:///tmp/a%20b.jpg"}, "0\tC:\\tmp\\a b.jpg\r"},
        {{"file://localhost/p/x.jpg", "file:///p/y.jpg"}, "0\tC:\\p\\x.jpg\r0\tC:\\p\\y.jpg\r"},
        {{"file:///%EC%82%AC%EC%A7%84.jpg"}, "0\tC:\\\xBB\xE7\xC1\xF8.jpg\r"},
        {{"https://example.com/a.jpg", "file://otherhost/a.jpg", "file:///bad%2", "file:///nul%00.jpg", "file:"}, ""},
        {{"file:///a.jpg?x=1#top"}, "0\tC:\\a.jpg\r"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, mivo::FileUrlsToDragText(c.urls)) << c.urls.front();
}

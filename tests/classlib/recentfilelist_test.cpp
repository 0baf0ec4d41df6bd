// The recent-file list: newest first, a path named again moves up, and the names shown are
// relative to the current folder when the file lies inside it.
#include "afxwin.h"
#include <gtest/gtest.h>

TEST(RecentFileList, NewestFirstWithoutRepeatsAndNamesRelativeToTheCurrentFolder)
{
    CRecentFileList list(0, "Recent File List", "File%d", 3);
    EXPECT_EQ(3, list.GetSize());
    list.Add("C:\\work\\a.txt");
    list.Add("C:\\work\\sub\\b.txt");
    list.Add("D:\\c.txt");
    list.Add("c:\\WORK\\A.TXT");
    EXPECT_EQ("c:\\WORK\\A.TXT", list[0]);
    EXPECT_EQ("D:\\c.txt", list[1]);
    EXPECT_EQ("C:\\work\\sub\\b.txt", list[2]);
    list.Add("E:\\d.txt");   // the oldest drops out
    EXPECT_EQ("E:\\d.txt", list[0]);
    EXPECT_EQ("D:\\c.txt", list[2]);

    CString name;
    list.Remove(0);
    ASSERT_TRUE(list.GetDisplayName(name, 0, "C:\\work", 7));
    EXPECT_EQ("A.TXT", name);
    ASSERT_TRUE(list.GetDisplayName(name, 1, "C:\\work", 7));
    EXPECT_EQ("D:\\c.txt", name);
    EXPECT_FALSE(list.GetDisplayName(name, 2, "C:\\work", 7));
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_FALSE(list.GetDisplayName(name, 5, "C:\\work", 7));
}

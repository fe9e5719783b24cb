#include "channels/vnChannelList.h"

#include <gtest/gtest.h>

TEST(vnChannelList, AddNewAppendsDefaultChannelAtTheEnd)
{
    vnChannelList list;
    vnChannel* first = nullptr;
    list.AddNew(&first);
    vnChannel* second = nullptr;
    list.AddNew(&second);

    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0), first);
    EXPECT_EQ(list.GetAt(1), second);
    EXPECT_EQ(second->GetNumber(), 0);
    EXPECT_EQ(second->GetFrequency().GetMHz(), 0.0);
    EXPECT_TRUE(second->GetDescription().empty());
    EXPECT_TRUE(second->GetCarNumber().empty());
    EXPECT_FALSE(second->GetDelay());
    EXPECT_FALSE(second->GetLockout());
    EXPECT_FALSE(second->GetPriority());
}

TEST(vnChannelList, GetAtOutsideTheListIsNull)
{
    vnChannelList list;
    EXPECT_EQ(list.GetAt(0), nullptr);
    list.AddNew(nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_NE(list.GetAt(0), nullptr);
}

TEST(vnChannelList, RemoveAllEmptiesTheList)
{
    vnChannelList list;
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    for (int i = 0; i < 3; ++i)
        list.AddNew(nullptr);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
}

#include "audio/KernelStreaming/kslist.h"
#include "audio/KernelStreaming/node.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

TEST(KsPtrList, AddAndRemoveKeepHeadTailAndCount)
{
    CKsPtrList<int> list;
    int a = 1, b = 2, c = 3;
    ASSERT_NE(list.AddTail(&a), nullptr);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    EXPECT_EQ(list.GetCount(), 1u);
    int* out = nullptr;
    EXPECT_TRUE(list.RemoveHead(&out));
    EXPECT_EQ(out, &a);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_FALSE(list.RemoveHead(&out));

    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    EXPECT_FALSE(list.RemoveHead(nullptr));
    EXPECT_EQ(list.GetCount(), 3u);
    EXPECT_TRUE(list.Remove(&c));
    EXPECT_EQ(list.GetTail()->pData, &b);
    EXPECT_EQ(list.GetTail()->pNext, nullptr);
    EXPECT_EQ(list.GetHead()->pNext, list.GetTail());
    EXPECT_EQ(list.GetTail()->pPrev, list.GetHead());
    EXPECT_FALSE(list.Remove(&c));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_EQ(list.GetHead()->pData, &b);
    EXPECT_EQ(list.GetHead()->pPrev, nullptr);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(KsPtrList, DeleteAllDeletesElements)
{
    CKsPtrList<CKsTopologyNode> list;
    for (ULONG i = 0; i < 3; ++i)
        list.AddTail(new CKsTopologyNode(i, GUID_NULL, nullptr));
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.GetHead(), nullptr);
}

TEST(KsTopologyNode, TagReadsNone)
{
    HRESULT hr = E_FAIL;
    CKsTopologyNode node(7, KSCATEGORY_AUDIO, &hr);
    EXPECT_EQ(hr, S_OK);
    ULONG tag = node.GetTag();
    EXPECT_EQ(memcmp(&tag, "NONE", 4), 0);
}
} // namespace

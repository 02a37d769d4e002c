// The item group of a list section: display columns by key or caption, line texts in
// display order, alignments, and what deleting does.
#include "CBaseOrderItemGroup.h"
#include "CommonUtilities.h"
#include "host_fixture.h"

namespace {

class ItemGroupTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    for (const char* key : {"IDS_ORDER-ITEM_DATACOUNT", "IDS_ORDER-ITEM_STOCKCODE",
                            "IDS_ORDER-ITEM_COMSTOCK", "IDS_ORDER-ITEM_CURRENTPRICE"})
      ASSERT_TRUE(group_.bAddItem(key, nullptr, 0));
  }
  CBaseOrderItemGroup group_;
};

TEST_F(ItemGroupTest, LinesFollowTheDisplayOrderNotTheItemOrder) {
  group_.vAddDisplayTitle("IDS_ORDER-ITEM_CURRENTPRICE", 60, -1);
  group_.vAddDisplayTitle("IDS_ORDER-ITEM_DATACOUNT", 40, -1);
  // A section may name a column by its caption.
  group_.vAddDisplayTitle(s_LangGetLangString("IDS_ORDER-ITEM_COMSTOCK"), 90, -1);
  ASSERT_EQ(group_.iGetDisplayItemTitleCount(), 3);

  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_CURRENTPRICE"), 0);
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_DATACOUNT"), 1);
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_COMSTOCK"), 2);
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_STOCKCODE"), -1);
  EXPECT_EQ(group_.iGetDisplayItem("IDS_NOT-AN-ITEM"), -1);
  EXPECT_EQ(group_.strGetDisplayTitle(0), s_LangGetLangString("IDS_ORDER-ITEM_CURRENTPRICE"));
  EXPECT_EQ(group_.strGetDisplayTitle(2), s_LangGetLangString("IDS_ORDER-ITEM_COMSTOCK"));
  EXPECT_EQ(group_.strGetDisplayTitle(3), "");
  EXPECT_EQ(group_.wGetDisplayWidth(2), 90);

  EXPECT_TRUE(group_.bSetItemValue("IDS_ORDER-ITEM_CURRENTPRICE", "612.5", 0, 0));
  EXPECT_TRUE(group_.bSetItemValue("IDS_ORDER-ITEM_DATACOUNT", 3));
  EXPECT_TRUE(group_.bSetItemValue("IDS_ORDER-ITEM_COMSTOCK", "台積電(2330)"));
  // A value for an item that is not displayed is kept but not shown.
  EXPECT_TRUE(group_.bSetItemValue("IDS_ORDER-ITEM_STOCKCODE", "2330"));
  EXPECT_FALSE(group_.bSetItemValue("IDS_NOT-AN-ITEM", "x"));
  EXPECT_EQ(group_.strGetDisplayLineText(), "612.5\t3\t台積電(2330)");
  EXPECT_EQ(group_.strGetDisplayLineTextAligns(), "RCL");

  // Inserting a title before a column shifts the later columns.
  group_.vAddDisplayTitle("IDS_ORDER-ITEM_STOCKCODE", 50, 0);
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_STOCKCODE"), 0);
  EXPECT_EQ(group_.strGetDisplayLineText(), "2330\t612.5\t3\t台積電(2330)");
}

TEST_F(ItemGroupTest, DeletingItemsAndTitles) {
  group_.vAddDisplayTitle("IDS_ORDER-ITEM_STOCKCODE", 50, -1);
  group_.vAddDisplayTitle("Unknown caption", 30, -1);
  group_.bSetItemValue("IDS_ORDER-ITEM_STOCKCODE", "2330");
  EXPECT_EQ(group_.strGetDisplayLineText(), "2330\t");
  EXPECT_EQ(group_.strGetDisplayTitle(1), "Unknown caption");

  // A column whose item goes shows nothing; the item comes back by its key.
  EXPECT_TRUE(group_.bDeleteItem("IDS_ORDER-ITEM_STOCKCODE"));
  EXPECT_FALSE(group_.bDeleteItem("IDS_ORDER-ITEM_STOCKCODE"));
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_STOCKCODE"), -1);
  EXPECT_EQ(group_.strGetDisplayLineText(), "\t");
  EXPECT_TRUE(group_.bAddItem("IDS_ORDER-ITEM_STOCKCODE"));
  EXPECT_EQ(group_.iGetDisplayItem("IDS_ORDER-ITEM_STOCKCODE"), 0);
  EXPECT_FALSE(group_.bAddItem("IDS_ORDER-ITEM_STOCKCODE"));
  EXPECT_FALSE(group_.bAddItem(""));

  EXPECT_FALSE(group_.bDeleteDisplayTitle(2));
  EXPECT_TRUE(group_.bDeleteDisplayTitle(0));
  EXPECT_EQ(group_.iGetDisplayItemTitleCount(), 1);
  group_.vDeleteAllDisplayTitle();
  EXPECT_EQ(group_.strGetDisplayLineText(), "");
  EXPECT_EQ(group_.strGetDisplayLineTextAligns(), "");
  group_.vDeleteAllItem();
  EXPECT_EQ(group_.iGetItemCount(), 0);
  EXPECT_FALSE(group_.bSetItemValue("IDS_ORDER-ITEM_DATACOUNT", 1));
}

}  // namespace

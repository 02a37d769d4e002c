// The item keys of the positions list's section and the texts it shows.
#pragma once

namespace positions {

inline constexpr char kSection[] = "CTABFAINANCESTOCKUNOFFSET";

inline constexpr char kItemStockCode[] = "IDS_ORDER-ITEM_STOCKCODE";
inline constexpr char kItemCommodity[] = "IDS_ORDER-ITEM_COMSTOCK";
inline constexpr char kItemKind[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED9";
inline constexpr char kItemOpening[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED2";
inline constexpr char kItemPrice[] = "IDS_ORDER-ITEM_CURRENTPRICE";
inline constexpr char kItemMarketValue[] = "IDS_ORDER-TAB-FINANCE_MARTKETPRICE_STOCK";
inline constexpr char kItemChange[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED12";
inline constexpr char kItemUnoffset[] = "IDS_ORDER-TAB-FINANCE_TD_UNOFFSET_STOCK";
inline constexpr char kItemStatus[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED4";
inline constexpr char kItemQ3[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED22";
inline constexpr char kItemToday[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED23";
inline constexpr char kItemClosingOrder[] = "IDS_ORDER-ITEM_ORDERQTYSDK";
inline constexpr char kItemQ2[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED7";
inline constexpr char kItemDate[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED13";
inline constexpr char kItemActionClose[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED5";
inline constexpr char kItemActionOdd[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED6";
inline constexpr char kItemActionDayTrade[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED8";
inline constexpr char kItemLine[] = "IDS_ORDER-ITEM_DATACOUNT";

inline constexpr char kTextCash[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL4";
inline constexpr char kTextMargin[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL5";
inline constexpr char kTextShort[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL6";
inline constexpr char kTextCashSell[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL14";
inline constexpr char kTextOddSell[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL15";
inline constexpr char kTextMarginSell[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL16";
inline constexpr char kTextDayTradeSell[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL17";
inline constexpr char kTextShortCover[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL18";
inline constexpr char kTextDayTradeBuy[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL19";
inline constexpr char kTextRows[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL20";
inline constexpr char kTextShares[] = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_STOCK";
inline constexpr char kTextMarketValue[] = "IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC_MARKETVALUE";

}  // namespace positions

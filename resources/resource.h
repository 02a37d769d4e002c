// Ids of the module's dialog templates and of their controls. Plain #defines,
// so that a resource script can include this header too. One number may name
// different controls in different dialogs; each role has its own name.
#pragma once

// Dialog templates.
#define IDD_STOCK_INVENTORY 2253       // inventory dialog (JqzOrderStocksDlg)
#define IDD_STOCK_UNOFFSET 28233       // classic positions dialog (JqzFinanceStockUnoffsetDlg)
#define IDD_SET_AVG_DEAL_PRICE 28235   // average-cost dialog (CDlgSetAvgDealPrice)
#define IDD_STOCK_DIVIDEND_CALC 26017  // dividend dialog (JqzStockDividendCalcDlg)

// Shared by several dialogs, with the same role in each.
#define IDC_COMBO_ACCOUNT 2183     // account selector: 2253, 28233, 26017
#define IDC_STATIC_ANCHOR 2438     // resize reference at the top right: 2253, 28233, 26017
#define IDC_STATIC_STM_RATIO 2641  // whole-account maintenance ratio: 2253, 28233
#define IDC_STATIC_CODE 2486       // label of the stock-code filter: 2253, 26017
#define IDC_EDIT_CODE 2487         // stock-code filter: 2253, 26017

// Classic positions dialog (28233).
#define IDC_BTN_REFRESH 2162
#define IDC_BTN_SETAVGPRICE 2212
#define IDC_GROUP_MARKETVALUE 2362
#define IDC_STATIC_MARKETVALUE 2341
#define IDC_STATIC_TOTAL 2169
#define IDC_GROUP_ROWCOUNT 65535
#define IDC_STATIC_ROWCOUNT_CAPTION 2376
#define IDC_STATIC_ROWCOUNT 2343
#define IDC_GROUP_STM_RATIO 2665
#define IDC_STATIC_MSG 2036
#define IDC_LIST_UNOFFSET 2054
#define ID_DATA_EXPORT 32785  // the list's export command

// Inventory dialog (2253).
#define IDC_BTN_QUERY_STOCKS 2212
#define IDC_BTN_MARKETVALUE 2411
#define IDC_CHK_INCLUDE_ODD 2174
#define IDC_CHK_SELECT_ALL 2175
#define IDC_BTN_CLEAR_OUT 2412
#define IDC_BTN_KEEP 2004
#define IDC_BTN_DAY_TRADE 2213
#define IDC_BTN_PRINT 2410
#define IDC_BTN_EXPORT_EXCEL 2479
#define IDC_STATIC_COUNT_CAPTION 2041
#define IDC_STATIC_COUNT 2169
#define IDC_STATIC_COUNT_FRAME 2523
#define IDC_STATIC_NOTICE 2642
#define IDC_LIST_MAIN 2217
#define IDC_LIST_NAME 2712

// Average-cost dialog (28235); OK and Cancel are IDOK and IDCANCEL.
#define IDC_STATIC_SELECT_STOCK 2363
#define IDC_COMBO_STOCK 2370
#define IDC_STATIC_INPUT_PRICE 2366
#define IDC_EDIT_PRICE 2371

// Dividend dialog (26017).
#define IDC_STATIC_NOTE_CALC 2714
#define IDC_STATIC_NOTE_INVENTORY 2715
#define IDC_COMBO_DIVIDEND_TYPE 2713
#define IDC_STATIC_INTERVAL 2716
#define IDC_COMBO_INTERVAL 2717
#define IDC_STATIC_DATE_RANGE 2721
#define IDC_DATE_START 2722
#define IDC_STATIC_DATE_TO 2041
#define IDC_DATE_END 2723
#define IDC_BTN_QUERY_DIVIDEND 2162
#define IDC_STATIC_CASH_DIVIDEND_CAPTION 2718
#define IDC_STATIC_CASH_DIVIDEND 2719
#define IDC_RADIO_DIVIDEND_CALC 26000
#define IDC_RADIO_EX_DIVIDEND_STOCKS 26001
#define IDC_STATIC_UPDATE_TIME_CAPTION 2725
#define IDC_STATIC_UPDATE_TIME 2726
#define IDC_LIST_DIVIDEND 2724

// The broker's settings: board lots, the display sections of the lists and class-view
// switches.
#include <windows.h>
#include <commctrl.h>

#include "host/broker.h"

namespace host {
namespace {

struct Column {
  const char* key;
  WORD width;
  int format;
};

// The built-in sections show every item their lists fill, in the order a person reads
// them; a scenario may replace a section.
const Column kUnoffsetColumns[] = {
    {"IDS_ORDER-ITEM_DATACOUNT", 40, LVCFMT_RIGHT},
    {"IDS_ORDER-ITEM_STOCKCODE", 70, LVCFMT_LEFT},
    {"IDS_ORDER-ITEM_COMSTOCK", 110, LVCFMT_LEFT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED9", 50, LVCFMT_CENTER},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED2", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-ITEM_ORDERQTYSDK", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-FINANCE_TD_UNOFFSET_STOCK", 90, LVCFMT_RIGHT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED7", 90, LVCFMT_RIGHT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED22", 80, LVCFMT_RIGHT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED23", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-ITEM_CURRENTPRICE", 60, LVCFMT_RIGHT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED12", 110, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-FINANCE_MARTKETPRICE_STOCK", 90, LVCFMT_RIGHT},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED13", 80, LVCFMT_CENTER},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED5", 50, LVCFMT_CENTER},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED6", 50, LVCFMT_CENTER},
    {"IDS_CTABFINANCESTOCKUNOFFSET-STRING_OBT_RECVACCOUNTCHANGED8", 50, LVCFMT_CENTER},
};

const Column kDividendColumns[] = {
    {"IDS_ORDER-ITEM_DATACOUNT", 40, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", 110, LVCFMT_LEFT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_TYPE", 70, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT", 70, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_KEEPQTY", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_CRINT", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SQTY", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_NORATE", 70, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", 70, LVCFMT_LEFT},
};

const Column kExDividendColumns[] = {
    {"IDS_ORDER-ITEM_DATACOUNT", 40, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DIVIDENDDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_STOCKNAME", 110, LVCFMT_LEFT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_CASH", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DTINT_STOCK", 80, LVCFMT_RIGHT},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_PAYDAY", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_DDATE", 80, LVCFMT_CENTER},
    {"IDS_ORDER-TAB-STOCK-DIVIDENDCALC_SOURCE", 70, LVCFMT_LEFT},
};

template <size_t N>
DisplaySection MakeSection(const Column (&columns)[N], const Broker& broker) {
  DisplaySection section;
  for (const Column& c : columns) {
    section.items.emplace_back(c.key);
    Stru_Item item;
    item.m_strItem = c.key;
    item.m_strTitle = broker.LangText(c.key);
    item.m_wWidth = c.width;
    item.m_nFormat = c.format;
    section.columns.push_back(item);
  }
  return section;
}

std::optional<DisplaySection> BuiltInSection(const CString& name, const Broker& broker) {
  if (name == "CTABFAINANCESTOCKUNOFFSET") return MakeSection(kUnoffsetColumns, broker);
  if (name == "CTABDIVIDENDCALC_STOCK") return MakeSection(kDividendColumns, broker);
  if (name == "CTABDIVIDENDCALC_INVENTORY_STOCK") return MakeSection(kExDividendColumns, broker);
  return std::nullopt;
}

}  // namespace

int Broker::BoardLot(const CString& code) const {
  auto it = data_.boardLots.find(code.str());
  return it == data_.boardLots.end() ? 0 : it->second;
}

bool Broker::SectionItems(const CString& section, std::vector<CString>& items) const {
  auto it = data_.sections.find(section.str());
  if (it != data_.sections.end()) {
    items = it->second.items;
    return true;
  }
  auto builtIn = BuiltInSection(section, *this);
  if (!builtIn) return false;
  items = builtIn->items;
  return true;
}

bool Broker::SectionColumns(const CString& section, std::vector<Stru_Item>& columns) const {
  auto it = data_.sections.find(section.str());
  if (it != data_.sections.end()) {
    columns = it->second.columns;
    return true;
  }
  auto builtIn = BuiltInSection(section, *this);
  if (!builtIn) return false;
  columns = builtIn->columns;
  return true;
}

// On when the scenario switches it on, or when the file's section sets the class's key
// to 1 ("[section] class.key=1").
bool Broker::ClassView(const CString& cls, const CString& section, const CString& key,
                       const CString& file) const {
  std::string id = cls.str() + "|" + section.str() + "|" + key.str();
  for (const auto& on : data_.classViews) {
    if (on == id) return true;
  }
  if (file.IsEmpty()) return false;
  CString entry = cls;
  entry += ".";
  entry += key;
  return GetPrivateProfileIntA(section, entry, 0, file) == 1;
}

}  // namespace host

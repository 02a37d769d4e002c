// The host's layout store over an arbitrary stored file: reading the settings a view
// restores never fails loudly, and what was read saves and reads back unchanged.
#include <JqzCfgIO2.h>

#include <vector>

#include "fuzz_support.h"

namespace {

const char* const kLayout = "Fuzz";
const char* const kLists[] = {"Account", "SimpleInformation"};
const char* const kValues[] = {"View", "SyncType", "SelectAccount", "FollowChange",
                               "AccountKind", "Param", "Extra"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  JqzCfgIO2 store(CString(qzfuzz::ScratchDir().c_str()) + "/Layouts");
  static bool made = store.bSaveViewValue(kLayout, 0, "Made", "1");
  if (!made) qzfuzz::Fail("the layout directory cannot be made");
  qzfuzz::WriteWholeFile(store.strGetLayoutFile(kLayout).GetString(), data, size);

  for (int view = 0; view < 3; ++view) {
    for (const char* key : kValues) {
      CString value;
      store.bGetViewValue(kLayout, view, key, value);
      (void)store.iGetViewInt(kLayout, view, key, -1);
    }
    for (const char* key : kLists) {
      std::vector<CString> before;
      if (!store.bGetViewCommonInfo(kLayout, view, key, before)) continue;
      if (!store.SaveViewCommonInfo(kLayout, view, key, before)) qzfuzz::Fail("save refused");
      std::vector<CString> after;
      if (!store.bGetViewCommonInfo(kLayout, view, key, after) || after != before)
        qzfuzz::Fail("a list read back differently from what was saved");
    }
  }
  store.bDeleteView(kLayout, 1);
  return 0;
}

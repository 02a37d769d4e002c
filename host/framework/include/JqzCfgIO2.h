// JqzCfgIO2: the host's store of view settings, one profile file per layout under the
// layouts directory (<home>/Layouts/<layout>.ini), one section per view slot
// ("View<index>"). Values are texts; a missing or damaged file reads as defaults.
#pragma once

#include <afxstr.h>

#include <set>
#include <string>
#include <vector>

class JqzCfgIO2 {
 public:
  // Files under s_PathGetSysPath(1).
  JqzCfgIO2();
  // Files under strDirectory (created on the first save).
  explicit JqzCfgIO2(const CString& strDirectory);

  const CString& strGetDirectory() const { return m_strDirectory; }
  // Path of the layout's file.
  CString strGetLayoutFile(const CString& strLayout) const;

  // A list of texts under the key of the view slot; false when it could not be written.
  bool SaveViewCommonInfo(const CString& strLayout, int nViewIndex, const CString& strKey,
                          const std::vector<CString>& values);
  // Reads such a list back; false (and an empty list) when there is none.
  bool bGetViewCommonInfo(const CString& strLayout, int nViewIndex, const CString& strKey,
                          std::vector<CString>& values) const;

  // Single values of the view slot.
  bool bSaveViewValue(const CString& strLayout, int nViewIndex, const CString& strKey,
                      const CString& strValue);
  bool bGetViewValue(const CString& strLayout, int nViewIndex, const CString& strKey,
                     CString& strValue) const;
  int iGetViewInt(const CString& strLayout, int nViewIndex, const CString& strKey,
                  int nDefault) const;
  // Forgets every setting of the view slot.
  bool bDeleteView(const CString& strLayout, int nViewIndex);

  // The stand-in's own: the files a save could not write since this store was made (the
  // views do not check every save, so the host asks here).
  const std::set<std::string>& UnwrittenFiles() const { return m_unwritten; }

 private:
  bool bEnsureDirectory() const;
  // The result of a write, remembering the file when it failed.
  bool bWritten(BOOL bResult, const CString& strFile);
  CString m_strDirectory;
  std::set<std::string> m_unwritten;
};

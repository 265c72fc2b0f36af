// Asked by the storage for another volume of a spanned archive.
#pragma once

#include <string>

class CZipDiskCallback {
 public:
  virtual ~CZipDiskCallback() = default;
  // FALSE aborts (cause 104).
  virtual bool Callback(int code) = 0;

  std::string m_szExternalFile;
  int m_uDiskNumber = 0;
};

// Told of the progress of long operations; returning FALSE aborts them.
#pragma once

#include <string>

#include "zip/ZipTypes.h"

class CZipProgressCallback {
 public:
  enum Kind {
    cbAdd = 1, cbAddTmp = 2, cbAddStore = 4, cbExtract = 8, cbDeleteCnt = 16, cbDelete = 32,
    cbTest = 64, cbSave = 128, cbGet = 256, cbRename = 512, cbReplace = 1024,
  };

  virtual ~CZipProgressCallback() = default;
  virtual bool Callback(int progress) = 0;
  virtual void Init(const char* /*entryName*/, const char* /*targetPath*/) {}
  virtual void SetTotal(DWORD /*total*/) {}
  virtual void CallbackEnd() {}
  virtual bool RequestCallback(DWORD bytes) { return Callback(static_cast<int>(bytes)); }

  int m_iType = 0;
};

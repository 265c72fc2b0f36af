// The traditional encryption of the zip format: three keys stirred by the
// password and by every plain byte.
#pragma once

#include "zip/ZipTypes.h"

class CZipCryptograph {
 public:
  static constexpr DWORD kHeaderSize = 12;

  void Init(const BYTE* password, DWORD length);
  void Decode(BYTE* data, DWORD size);
  void Encode(BYTE* data, DWORD size);
  // A fresh encryption header: ten random bytes (getrandom) and the two
  // check bytes, encrypted in place.
  void MakeHeader(BYTE (&header)[kHeaderSize], BYTE checkLow, BYTE checkHigh);

 private:
  BYTE KeyByte() const;
  void Update(BYTE plain);

  DWORD m_keys[3] = {0, 0, 0};
};

#include "core/instrument/FrameInfo.h"

#include <algorithm>

void CFrameInfo::CopyFrom(const CFrameInfo& other) {
  if (this == &other) return;
  m_strResourceName = other.m_strResourceName;
  m_strHeader = other.m_strHeader;
  m_strTerminator = other.m_strTerminator;
  m_strSpecialKind = other.m_strSpecialKind;
  // A count outside the array (never set by the attach, but the field is
  // public) must not make the copy run past the bytes.
  const int count = std::clamp(other.m_nSyncByteCount, 0, kMaxSyncBytes);
  std::copy_n(other.m_SyncBytes.begin(), count, m_SyncBytes.begin());
  m_nSyncByteCount = other.m_nSyncByteCount;
  m_nFixedFrameSize = other.m_nFixedFrameSize;
  m_nFrameNumber = other.m_nFrameNumber;
  m_nErrorWord = other.m_nErrorWord;
  m_bAcquisitionEnabled = other.m_bAcquisitionEnabled;
  m_bContiguous = other.m_bContiguous;
  m_TimeStamp = other.m_TimeStamp;
  // The bytes past the count are this record's own: not the filler's.
  m_nTextsKey = 0;
}

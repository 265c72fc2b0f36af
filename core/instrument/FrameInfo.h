// What the frame search knows about one instrument on one communications
// resource. Every frame taken carries a copy of it (CFrameData), so a frame
// still tells its origin after the instrument's state has moved on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/sys/Time.h"

class CFrameInfo {
 public:
  static constexpr int kMaxSyncBytes = 12;

  // Copies every field; the synchronisation bytes as far as their count says.
  void CopyFrom(const CFrameInfo& other);

  std::string m_strResourceName;  // the resource the instrument is attached to
  std::string m_strHeader;        // synchronisation string every frame begins with
  std::string m_strTerminator;    // empty for fixed-length frames
  std::string m_strSpecialKind;   // BSI, HOBILABS_HS2_D ...; empty for ordinary instruments
  std::array<std::uint8_t, kMaxSyncBytes> m_SyncBytes{};
  int m_nSyncByteCount = 0;
  int m_nFixedFrameSize = 0;  // the instrument's frame size, at least the header's length
  int m_nFrameNumber = 0;     // 1 for the first frame taken
  int m_nErrorWord = 0;       // set when a value of the frame fails
  int m_bAcquisitionEnabled = 0;
  int m_bContiguous = 0;  // 0 for the first frame of a search pass, 1 after it
  sys::TimeStamp m_TimeStamp;
  // Which attached instrument's texts and synchronisation bytes the fields
  // above hold as its frame filler wrote them, so a record refilled for the
  // same instrument keeps them instead of copying them again; 0 when not
  // known (a copy, or fields set by hand).
  std::uint64_t m_nTextsKey = 0;
};

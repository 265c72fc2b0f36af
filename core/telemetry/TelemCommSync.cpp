// Synchronisation: finding where an instrument's frame begins in the
// received bytes, with the bytes in front of it discarded and counted.
#include <cstring>

#include "core/telemetry/BsiFrame.h"
#include "core/telemetry/HeaderSearch.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemCommSlot.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

constexpr char kHs2Pattern[] = "*D";

}  // namespace

bool CTelemComm::Synchronize() {
  if (m_nCurrentInstrument != -1) return true;
  if (IsSerial() && m_received.Empty()) return false;
  bool global = false;
  {
    Lock lock(m_stateLock);
    // A serial port with a synchronisation string searches for nothing else
    // until it has seen it.
    if (!m_bResourceSynchronized) {
      if (m_strSyncString.empty()) {
        m_bResourceSynchronized = true;
        return true;
      }
      global = true;
    }
  }
  std::uint32_t discarded = 0;
  const bool matched = RunSearch(global, discarded);
  // The synchronisation string belongs to no instrument: even a match that
  // is not acknowledged yet (a pause is reported) must not leave the bytes
  // at the head to be cut as some instrument's frame.
  if (global) m_nCurrentInstrument = -1;
  bool waiting_reported = false;
  if (discarded != 0) {
    Lock lock(m_listLock);
    m_nBytesDiscarded += discarded;
  }
  {
    Lock lock(m_stateLock);
    waiting_reported = m_bWaitingReported;
  }
  if (matched && !waiting_reported) {
    if (!global) return true;
    ReportMessage(sys::Format("Telemetry synchronized on %s.\r\n", m_strSyncString.c_str()), 0);
    {
      Lock lock(m_stateLock);
      m_bResourceSynchronized = true;
    }
    if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
    return true;
  }
  return global;
}

// Chooses and runs the search; TRUE when it matched.
bool CTelemComm::RunSearch(bool global, std::uint32_t& discarded) {
  // Reused from search to search: only one thread searches a resource's
  // bytes, and refilling it costs no allocation once it has grown.
  std::vector<std::string>& candidates = m_searchCandidates;
  candidates.clear();
  bool exclusive = false;
  std::string kind, header, terminator;
  std::uint8_t sync[12] = {};
  {
    Lock lock(m_listLock);
    if (global) {
      candidates.push_back(m_strSyncString);
    } else {
      for (const auto& slot : m_instruments)
        if (slot->description.enabled) candidates.push_back(slot->description.header);
    }
    exclusive = m_bExclusiveAttached && !m_instruments.empty();
    if (exclusive) {
      const FrameDescription& first = m_instruments.front()->description;
      kind = first.special_kind;
      header = first.header;
      terminator = first.terminator;
      std::memcpy(sync, first.sync_bytes, sizeof sync);
    }
  }
  if (candidates.empty()) {
    discarded = DiscardAll();
    return false;
  }
  if (!exclusive || global) discarded = SearchHeaders(candidates, global);
  else if (kind == "BSI") discarded = SearchBsiSync(sync);
  else if (kind == "HOBILABS_HS2_D") discarded = SearchHs2Sync();
  else discarded = SearchLine(header, terminator.empty() ? std::string("\r\n") : terminator);
  return m_nCurrentInstrument != -1;
}

std::uint32_t CTelemComm::DiscardAll() {
  // A file resource with nothing to search for still moves through its file,
  // so a conversion without an enabled instrument comes to its end.
  if (m_received.Empty() && CanReadMore()) ReadFileResource();
  const auto count = static_cast<std::uint32_t>(m_received.Size());
  m_received.Clear();
  return count;
}

std::uint32_t CTelemComm::SearchHeaders(const std::vector<std::string>& candidates, bool global) {
  if (m_received.Empty() && CanReadMore()) ReadFileResource();
  if (m_received.Empty()) return 0;
  for (;;) {
    // Only a file read to its end settles a header cut short; after a read
    // failure the bytes stay as they are.
    bool can_read = false;
    bool at_end = false;
    ReadFileState(can_read, at_end);
    const HeaderSearchResult r = SearchHeaderCandidates(m_received.Data(), m_received.Size(), candidates,
                                                        m_nSearchWindow, at_end);
    using Outcome = HeaderSearchResult::Outcome;
    if (r.outcome == Outcome::kMatched) {
      if (global) {
        m_nCurrentInstrument = 0;
        return 0;  // the instrument search runs over the same bytes
      }
      {
        // The search ran without the list lock: the caller's thread may
        // have detached or moved the instrument meanwhile, so its place is
        // taken by its header now.
        Lock lock(m_listLock);
        const int index = FindSlot(candidates[r.candidate]);
        const bool enabled =
            index >= 0 && m_instruments[static_cast<std::size_t>(index)]->description.enabled;
        m_nCurrentInstrument = enabled ? index : -1;
      }
      m_received.Consume(r.position);
      return static_cast<std::uint32_t>(r.position);
    }
    if (r.outcome == Outcome::kWindowReached) {
      m_received.Consume(r.position);
      return static_cast<std::uint32_t>(r.position);
    }
    if (can_read) {
      ReadFileResource();
      continue;
    }
    if (!at_end) return 0;  // a serial port waits for more bytes, a failed file stays
    // At the end of a file the bytes that can no longer start a header go;
    // a header prefix at the very end stays.
    m_received.Consume(r.position);
    return static_cast<std::uint32_t>(r.position);
  }
}

std::uint32_t CTelemComm::SearchLine(const std::string& header, const std::string& terminator) {
  std::uint8_t* data = m_received.MutableData();
  const std::size_t size = m_received.Size();
  std::uint32_t discarded = 0;
  // Bytes an earlier pass kept are clean and hold no terminator; the look
  // back over the kept bytes still finds one that ends after them.
  std::size_t kept = ScannedBefore(m_lineScan, terminator);
  std::size_t read = kept;
  bool found = false;
  // Bytes with bit 7 set are no part of a text line: they are dropped where
  // they stand, and the kept bytes close up in place.
  for (; read < size; ++read) {
    const std::uint8_t byte = data[read];
    if (byte & 0x80) {
      ++discarded;
      if (kept == 0 && read == 0) {
        ++read;
        break;
      }
      continue;
    }
    data[kept++] = byte;
    if (kept >= terminator.size() &&
        std::memcmp(data + kept - terminator.size(), terminator.data(), terminator.size()) == 0) {
      found = true;
      ++read;
      break;
    }
  }
  // Move the kept bytes up against the unread rest and drop the gap.
  const std::size_t gap = read - kept;
  if (gap > 0) {
    std::memmove(data + gap, data, kept);
    m_received.Consume(gap);
  }
  if (found) {
    m_received.Prepend(header.data(), header.size());
    m_nCurrentInstrument = 0;
  } else {
    MarkScanned(m_lineScan, terminator, kept);
  }
  return discarded;
}

std::uint32_t CTelemComm::SearchBsiSync(const std::uint8_t* sync_bytes) {
  const std::string pattern(reinterpret_cast<const char*>(sync_bytes), 2);
  const std::size_t checksum_position = BsiChecksumPosition(sync_bytes);
  std::uint32_t discarded = 0;
  while (m_nCurrentInstrument == -1) {
    bool partial = false;
    const std::size_t size = m_received.Size();
    const std::size_t start = FindPatternStart(m_received.Data(), size, 0, size, pattern, partial);
    // Bytes that cannot begin the pattern go at once, so a stream without it
    // does not pile up.
    m_received.Consume(start);
    discarded += static_cast<std::uint32_t>(start);
    if (start == size || partial) break;
    if (m_received.Size() <= checksum_position) break;
    if (BsiChecksumMatches(m_received.Data(), checksum_position)) {
      m_nCurrentInstrument = 0;
      break;
    }
    m_received.Consume(1);
    ++discarded;
  }
  return discarded;
}

std::uint32_t CTelemComm::SearchHs2Sync() {
  bool partial = false;
  const std::size_t size = m_received.Size();
  const std::size_t start = FindPatternStart(m_received.Data(), size, 0, size, kHs2Pattern, partial);
  m_received.Consume(start);
  if (start < size && !partial) m_nCurrentInstrument = 0;
  return static_cast<std::uint32_t>(start);
}

}  // namespace telemetry


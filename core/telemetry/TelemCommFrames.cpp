// Cutting frames out of the received bytes once a resource is synchronised,
// and the two drivers: the serial reader's and the processing thread's.
#include <algorithm>
#include <cstring>

#include "core/instrument/Instrument.h"
#include "core/telemetry/BsiFrame.h"
#include "core/telemetry/Hs2Frame.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemCommSlot.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

// The first whole terminator in [from, end), or null; the terminator is
// not empty. Frames end in a short terminator, mostly CR LF: a scan for its
// first byte finds it at a fraction of a general substring search's cost
// on a frame's few dozen bytes.
const std::uint8_t* FindTerminator(const std::uint8_t* from, const std::uint8_t* end, const std::string& terminator) {
  const std::size_t length = terminator.size();
  const auto first = static_cast<unsigned char>(terminator[0]);
  while (static_cast<std::size_t>(end - from) >= length) {
    const auto* hit =
        static_cast<const std::uint8_t*>(std::memchr(from, first, static_cast<std::size_t>(end - from) - length + 1));
    if (hit == nullptr) return nullptr;
    if (std::memcmp(hit + 1, terminator.data() + 1, length - 1) == 0) return hit;
    from = hit + 1;
  }
  return nullptr;
}

}  // namespace

bool CTelemComm::SearchFrames() {
  if (m_nCurrentInstrument == -1) {
    if (m_bSearchPassDone) return false;
    m_bSearchPassDone = true;
    return true;
  }
  // The description is copied: on a serial port the caller's thread may
  // detach the instrument while the reader cuts its frame.
  const InstrumentSlot* slot = nullptr;
  std::string kind, terminator;
  std::size_t frame_size = 0;
  std::size_t header_size = 0;
  {
    Lock lock(m_listLock);
    slot = CurrentSlot();
    if (slot == nullptr) return false;
    kind = slot->description.special_kind;
    terminator = slot->description.terminator;
    frame_size = slot->description.frame_size;
    header_size = slot->description.header.size();
  }
  if (kind == "BSI") return BuildBsiFrame(slot);
  if (kind == "HOBILABS_HS2_D") return BuildHs2Frame(slot);
  std::size_t length = 0;
  if (terminator.empty()) {
    if (!CutFixedFrame(length, frame_size)) return false;
  } else {
    const TerminatedCut cut = CutTerminatedFrame(length, terminator, header_size);
    if (cut == TerminatedCut::kGivenUp) {
      GiveUpFrame(slot, header_size);
      return true;
    }
    if (cut == TerminatedCut::kWaiting) return false;
  }
  bool notify = false;
  {
    Lock lock(m_listLock);
    InstrumentSlot* current = CurrentSlot();
    if (current != slot) return false;  // detached or disabled meanwhile: searched again
    StoreFrame(*current, m_received.Data(), length, false, notify);
    m_received.Consume(length);
    m_nCurrentInstrument = -1;
  }
  if (notify && m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return true;
}

void CTelemComm::CutContiguousFrames() {
  // A file's frames usually follow each other without a gap: those whose
  // header stands at the head of the bytes already read are cut in the same
  // pass, exactly as the search would find and cut them one by one, and
  // wait in the frame list for their requests. Only fixed frames of a file
  // with one enabled instrument take this road: with several, the search
  // decides which header wins. Reading more, and whatever a read reports,
  // stays with the search of the frame that needs it, and the list stays
  // below its depth limit.
  if (!IsFile()) return;
  InstrumentSlot* slot = FollowingSlot();
  if (slot == nullptr || !slot->description.terminator.empty()) return;
  const FrameDescription& d = slot->description;
  // A few dozen frames ahead spare nearly every search pass; their records
  // come back to the control's frame pool (which keeps as many) before the
  // next pass cuts more, so memory stays flat.
  constexpr std::size_t kFramesAhead = 63;
  const std::size_t depth = std::min(static_cast<std::size_t>(std::max(m_nMaxDepth, 0)), kFramesAhead);
  bool notify = false;
  while (m_frames.size() < depth && m_received.Size() >= d.frame_size &&
         std::memcmp(m_received.Data(), d.header.data(), d.header.size()) == 0) {
    StoreFrame(*slot, m_received.Data(), d.frame_size, false, notify, true);
    m_received.Consume(d.frame_size);
  }
}

CTelemComm::InstrumentSlot* CTelemComm::SoleOrdinarySlot() const {
  // With several enabled instruments the search decides which header wins;
  // the special kinds find or build their frames in ways of their own.
  if (m_bExclusiveAttached) return nullptr;
  InstrumentSlot* slot = nullptr;
  for (const auto& candidate : m_instruments) {
    if (!candidate->description.enabled) continue;
    if (slot != nullptr) return nullptr;
    slot = candidate.get();
  }
  if (slot == nullptr) return nullptr;
  const FrameDescription& d = slot->description;
  if (!d.special_kind.empty() || d.header.empty() || d.frame_size < d.header.size()) return nullptr;
  return slot;
}

CTelemComm::InstrumentSlot* CTelemComm::FollowingSlot() {
  if (m_nFollowingSlotChanges != m_nInstrumentChanges) {
    m_pFollowingSlot = SoleOrdinarySlot();
    m_nFollowingSlotChanges = m_nInstrumentChanges;
  }
  return m_pFollowingSlot;
}

std::size_t CTelemComm::HeldFrameLength(const FrameDescription& d) const {
  if (d.terminator.empty()) return HeldFixedFrameLength(d);
  const std::size_t size = m_received.Size();
  const std::uint8_t* bytes = m_received.Data();
  if (size < d.header.size() || std::memcmp(bytes, d.header.data(), d.header.size()) != 0) return 0;
  // The first terminator within the largest frame an instrument may have,
  // as the terminator search finds it; one not held yet is for that search.
  const std::size_t end = std::min(size, d.header.size() + CInstrument::kMaxFrameSize);
  const std::uint8_t* hit = FindTerminator(bytes, bytes + end, d.terminator);
  if (hit == nullptr) return 0;
  return static_cast<std::size_t>(hit - bytes) + d.terminator.size();
}

bool CTelemComm::CutFollowingFrame(CFrameData& record) {
  if (!IsFile()) return false;
  Lock list(m_listLock);
  // A failed read holds back every later frame; frames in the list go first.
  if (!m_frames.empty() || m_nFileErrorCause != 0 || m_bReadFailed) return false;
  // A header found whose frame could not be cut yet stays with the cut.
  if (m_nCurrentInstrument != -1) return false;
  InstrumentSlot* slot = FollowingSlot();
  if (slot == nullptr || !slot->found) return false;
  FrameDescription& d = slot->description;
  const std::size_t length = d.terminator.empty() ? HeldFixedFrameLength(d) : HeldFrameLength(d);
  if (length == 0) return false;
  // What the header search and the cut would do for a header at the front:
  // nothing discarded, nothing to report, the next frame number.
  ++d.frame_number;
  d.time_stamp = m_readStamp;
  d.contiguous = true;
  FillFrameInfo(record.Refill(m_received.Data(), length), d);
  m_received.Consume(length);
  m_bFramesReady = true;
  return true;
}

bool CTelemComm::CutFixedFrame(std::size_t& length, std::size_t frame_size) {
  while (m_received.Size() < frame_size && CanReadMore()) ReadFileResource();
  if (m_received.Size() < frame_size) return false;
  length = frame_size;
  return true;
}

CTelemComm::TerminatedCut CTelemComm::CutTerminatedFrame(std::size_t& length, const std::string& terminator,
                                                        std::size_t header_size) {
  // No instrument's frame is larger than this after its header: a stream
  // that never sends the terminator must not be held in memory whole.
  const std::size_t limit = header_size + CInstrument::kMaxFrameSize;
  const std::size_t scanned = CleanBefore(terminator);
  // A terminator may end just after the bytes already scanned.
  std::size_t from = scanned >= terminator.size() ? scanned - terminator.size() + 1 : 0;
  for (;;) {
    const std::size_t size = m_received.Size();
    const std::size_t end = std::min(size, limit);
    if (end >= from + terminator.size()) {
      const std::uint8_t* hit = FindTerminator(m_received.Data() + from, m_received.Data() + end, terminator);
      if (hit != nullptr) {
        length = static_cast<std::size_t>(hit - m_received.Data()) + terminator.size();
        return TerminatedCut::kCut;
      }
    }
    if (size >= limit) {
      // The bytes behind this header are searched for the next one, and its
      // own terminator search then goes on where this one stopped.
      MarkClean(terminator, std::max(limit, scanned));
      return TerminatedCut::kGivenUp;
    }
    if (!CanReadMore()) {
      MarkClean(terminator, size);
      return TerminatedCut::kWaiting;
    }
    // A terminator split across chunks is found: the scan resumes just
    // before the old end.
    from = size >= terminator.size() ? size - terminator.size() + 1 : 0;
    ReadFileResource();
  }
}

void CTelemComm::GiveUpFrame(const InstrumentSlot* slot, std::size_t header_size) {
  // Only the header goes, as garbage: the bytes behind it are searched for
  // headers again, so the frames that follow are still found.
  Lock lock(m_listLock);
  if (CurrentSlot() != slot) return;  // detached or disabled meanwhile: searched again
  m_received.Consume(header_size);
  m_nBytesDiscarded += static_cast<std::uint32_t>(header_size);
  m_nCurrentInstrument = -1;
}

std::size_t CTelemComm::ScannedBefore(const ScanMark& mark, const std::string& terminator) const {
  if (mark.head_changes != m_received.HeadChanges() || mark.terminator != terminator) return 0;
  return std::min(mark.scanned, m_received.Size());
}

void CTelemComm::MarkScanned(ScanMark& mark, const std::string& terminator, std::size_t scanned) {
  mark.head_changes = m_received.HeadChanges();
  mark.terminator = terminator;
  mark.scanned = scanned;
}

std::size_t CTelemComm::CleanBefore(const std::string& terminator) const {
  const TerminatorMark& mark = m_frameScan;
  const std::uint64_t head = m_received.HeadPosition();
  if (mark.prepends != m_received.Prepends() || mark.terminator != terminator || mark.clean_from > head ||
      mark.clean_to <= head)
    return 0;
  return static_cast<std::size_t>(std::min<std::uint64_t>(mark.clean_to - head, m_received.Size()));
}

void CTelemComm::MarkClean(const std::string& terminator, std::size_t scanned) {
  TerminatorMark& mark = m_frameScan;
  mark.prepends = m_received.Prepends();
  mark.terminator = terminator;
  mark.clean_from = m_received.HeadPosition();
  mark.clean_to = mark.clean_from + scanned;
}

// A frame dropped at the depth limit makes a state notification due only
// for the built kinds (drop_notifies).
void CTelemComm::StoreFrame(InstrumentSlot& slot, const std::uint8_t* bytes, std::size_t length,
                            bool drop_notifies, bool& notify, bool contiguous) {
  FrameDescription& d = slot.description;
  ++d.frame_number;
  d.time_stamp = IsFile() ? m_readStamp : m_frameClock.Now();
  d.contiguous = contiguous;
  if (m_frames.size() > static_cast<std::size_t>(m_nMaxDepth)) {
    ReportMessage(sys::Format("%s frame buffer exceeded maximum depth.\r\n", m_strName.c_str()), 0);
    m_nBytesDiscarded += FrameDataSize(*m_frames.front());
    m_frames.pop_front();
    if (drop_notifies) notify = true;
  }
  // Only an instrument not found yet asks whether the wait was reported:
  // every later frame of it goes without the state lock.
  bool waiting_reported = false;
  if (!slot.found) {
    Lock lock(m_stateLock);
    waiting_reported = m_bWaitingReported;
  }
  if (!slot.found && !waiting_reported) {
    ReportMessage(sys::Format("%s found on %s.\r\n", d.header.c_str(), m_strName.c_str()), 0);
    slot.found = true;
    notify = true;
  }
  // A record the control got back from the frame's receiver is refilled.
  m_frames.push_back(RefillFrameData(m_pControl != nullptr ? m_pControl->TakeSpareFrame() : nullptr, bytes, length, d));
  m_bFramesReady = true;
}

bool CTelemComm::BuildBsiFrame(const InstrumentSlot* expected) {
  bool notify = false;
  {
    Lock lock(m_listLock);
    InstrumentSlot* slot = CurrentSlot();
    if (slot == nullptr || slot != expected) return false;
    if (m_received.Size() < m_nBsiFrameLength) return false;
    const FrameDescription& d = slot->description;
    BuildBsiFrameBytes(m_received.Data(), d.sync_bytes, static_cast<std::size_t>(d.sync_count),
                       d.header.size(), m_frameBuffer);
    m_received.Consume(m_nBsiFrameLength);
    StoreFrame(*slot, m_frameBuffer.data(), m_frameBuffer.size(), true, notify);
    m_nCurrentInstrument = -1;
  }
  if (notify && m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return true;
}

bool CTelemComm::BuildHs2Frame(const InstrumentSlot* expected) {
  bool notify = false;
  {
    Lock lock(m_listLock);
    InstrumentSlot* slot = CurrentSlot();
    if (slot == nullptr || slot != expected) return false;
    if (m_received.Size() < kHs2RecordLength) return false;
    BuildHs2FrameBytes(m_received.Data(), slot->description.header.size(), m_frameBuffer);
    m_received.Consume(kHs2RecordLength);
    StoreFrame(*slot, m_frameBuffer.data(), m_frameBuffer.size(), true, notify);
    m_nCurrentInstrument = -1;
  }
  if (notify && m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return true;
}

void CTelemComm::ProcessReceived() {
  m_bSearchPassDone = false;
  while (Synchronize() && SearchFrames()) {
  }
  if (m_bFramesReady && m_nKind == kKindSerialWithControl) Queue(kCommandFramesReady);
  m_bFramesReady = false;
}

std::unique_ptr<CFrameData> CTelemComm::GetNextFrame() {
  if (m_nKind == kKindNone) {
    ReportMessage("Unable to retrieve frames.\r\n", kResNotInitialized);
    return nullptr;
  }
  // A file is searched and cut only here, on the processing thread, so one
  // pass holds both locks (in their usual order) and every step inside it
  // re-enters them: taking each one afresh cost more than cutting the frame.
  // Messages and commands still go out from inside, as they take only the
  // message and queue locks that come after these.
  Lock list(m_listLock);
  if (IsFile()) {
    // Frames cut in an earlier pass are handed out first, in order.
    if (m_frames.empty()) {
      Lock state(m_stateLock);
      m_bSearchPassDone = false;
      if (Synchronize()) SearchFrames();
      if (!m_frames.empty()) CutContiguousFrames();
    }
    // A failed read holds back the frames cut before it too.
    if (m_nFileErrorCause != 0 || m_bReadFailed) return nullptr;
  }
  if (m_frames.empty()) return nullptr;
  std::unique_ptr<CFrameData> frame = std::move(m_frames.front());
  m_frames.pop_front();
  return frame;
}

}  // namespace telemetry

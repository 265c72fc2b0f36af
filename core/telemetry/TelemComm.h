// One communications resource: a log file that is already open (a file
// resource) or a serial port. It owns the bytes received from it, one frame
// description per attached instrument, the frames cut from the bytes and
// the message lines it reports for the processing thread.
#pragma once

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/telemetry/CommandSink.h"
#include "core/telemetry/FrameFactory.h"
#include "core/telemetry/FrameTimeStamp.h"
#include "core/telemetry/ReceivedBytes.h"
#include "core/telemetry/ResourceSettings.h"
#include "core/telemetry/SerialDevice.h"
#include "platform/sys/CriticalSection.h"
#include "platform/sys/Time.h"
#include "platform/sys/Types.h"

namespace telemetry {

class SerialLink;

// Resource kinds; only the kinds with a control queue commands.
enum ResourceKind : int {
  kKindNone = 0,
  kKindFile = 1,
  kKindFileWithControl = 2,
  kKindSerial = 3,
  kKindSerialWithControl = 4,
};

// Resource state codes (GetState).
enum ResourceState : int {
  kStateNotConnected = 0,
  kStateWaiting = 1,
  kStateReading = 2,
  kStateSynchronized = 3,
  kStateAborted = 4,
  kStateNotSerial = 5,
};

class CTelemComm {
 public:
  // `control` may be null (a standalone resource queues nothing); `id` is
  // the resource's identity in the commands it queues.
  explicit CTelemComm(CommandSink* control, std::uint64_t id = 0);
  ~CTelemComm();
  CTelemComm(const CTelemComm&) = delete;
  CTelemComm& operator=(const CTelemComm&) = delete;

  std::uint32_t InitFile(const FileSettings& settings);
  std::uint32_t InitSerial(const SerialSettings& settings);

  std::uint32_t AttachInstrument(const CInstrumentAttachment& record);
  std::uint32_t DetachInstrument(const std::string& header);
  std::uint32_t EnableAcquisition(const std::string& header);
  std::uint32_t DisableAcquisition(const std::string& header);

  int GetKind() const { return m_nKind; }
  int GetState() const;
  int GetInstrumentState(const std::string& header) const;
  int GetInstrumentCount() const;
  void GetInstrumentHeader(std::string& out, int index) const;
  const std::string& GetName() const { return m_strName; }
  std::uint64_t GetId() const { return m_nId; }
  std::uint32_t GetBytesDiscarded() const;
  void ResetBytesDiscarded();
  // The count and its reset under one lock: a byte the serial reader drops
  // between a separate read and reset would be lost from the count.
  std::uint32_t TakeBytesDiscarded();
  std::uint32_t TakeAbortCode();
  int TakeFileError();
  bool IsEndOfFile() const;
  bool IsFileOpen() const;
  bool GetFileSettings(FileSettings& out) const;
  bool GetSerialSettings(SerialSettings& out) const;
  void TakeMessage(std::string& out);

  // Finding where a frame begins, and cutting it.
  bool Synchronize();
  bool SearchFrames();
  // How many received bytes the resource holds, not yet cut into frames;
  // asked on the thread that searches them.
  std::size_t GetReceivedSize() const { return m_received.Size(); }
  void ProcessReceived();
  std::unique_ptr<CFrameData> GetNextFrame();
  // The next frame of a file cut straight into `record` (a frame of this
  // resource that its receiver has read and handed back), when it follows
  // the last one directly in the bytes already read: one enabled ordinary
  // instrument, its header at the front and its whole frame held, no frame
  // waiting in the list. Numbered, stamped and counted exactly as the
  // search and the cut would; false changes nothing, and GetNextFrame then
  // searches, reads and reports as usual.
  bool CutFollowingFrame(CFrameData& record);
  void ReadFileResource();

  // Serial ports.
  bool PortExists() const;
  std::uint32_t Connect();
  std::uint32_t Disconnect();
  void AppendBytes(const std::uint8_t* bytes, std::size_t count);

  // The port a serial resource connects through; the operating system's
  // serial port unless a test puts a scripted device in its place.
  void SetSerialDeviceFactory(SerialDeviceFactory factory) { m_deviceFactory = std::move(factory); }

 private:
  using Lock = std::lock_guard<sys::CCriticalSection>;

  struct InstrumentSlot;

  // How far a scan for a terminator got without finding one, while the
  // front of the received bytes has not changed: a stream that withholds
  // its terminator is then scanned once, not again on every read.
  struct ScanMark {
    std::uint64_t head_changes = ~std::uint64_t{0};
    std::string terminator;
    std::size_t scanned = 0;
  };

  // Where in the stream of received bytes a scan for a terminator found
  // none: no whole terminator lies in [clean_from, clean_to). Kept by
  // stream position, not by the front of the bytes, so that the headers
  // given up one after the other behind a frame that never ends do not
  // each scan the same bytes again: the search stays linear in the log.
  struct TerminatorMark {
    std::uint64_t prepends = ~std::uint64_t{0};
    std::string terminator;
    std::uint64_t clean_from = 0;
    std::uint64_t clean_to = 0;
  };

  // current_error is the error of the call that just failed, for the codes
  // whose reason names it.
  void ReportMessage(const std::string& text, std::uint32_t code, int current_error = errno);
  void Queue(int type);
  bool IsFile() const { return m_nKind == kKindFile || m_nKind == kKindFileWithControl; }
  bool IsSerial() const { return m_nKind == kKindSerial || m_nKind == kKindSerialWithControl; }
  bool CanReadMore() const;
  // Whether a file can still give bytes, and whether it was read to its end.
  void ReadFileState(bool& can_read, bool& at_end) const;
  int FindSlot(const std::string& header) const;
  // Under the list lock: the description being cut, or null.
  InstrumentSlot* CurrentSlot() const;
  std::uint32_t SetAcquisition(const std::string& header, bool enable);

  // Searches; each returns the bytes it discarded.
  std::uint32_t SearchHeaders(const std::vector<std::string>& candidates, bool global);
  std::uint32_t SearchLine(const std::string& header, const std::string& terminator);
  std::uint32_t SearchBsiSync(const std::uint8_t* sync_bytes);
  std::uint32_t SearchHs2Sync();
  std::uint32_t DiscardAll();
  bool RunSearch(bool global, std::uint32_t& discarded);

  // Frame cutting.
  bool CutFixedFrame(std::size_t& length, std::size_t frame_size);
  enum class TerminatedCut { kCut, kWaiting, kGivenUp };
  // kGivenUp: no terminator within the largest frame an instrument may
  // have after its header, so the header was no frame's beginning.
  TerminatedCut CutTerminatedFrame(std::size_t& length, const std::string& terminator, std::size_t header_size);
  void GiveUpFrame(const InstrumentSlot* slot, std::size_t header_size);
  std::size_t ScannedBefore(const ScanMark& mark, const std::string& terminator) const;
  void MarkScanned(ScanMark& mark, const std::string& terminator, std::size_t scanned);
  // How many bytes from the front are known to hold no whole terminator.
  std::size_t CleanBefore(const std::string& terminator) const;
  void MarkClean(const std::string& terminator, std::size_t scanned);
  bool BuildBsiFrame(const InstrumentSlot* expected);
  bool BuildHs2Frame(const InstrumentSlot* expected);
  // contiguous: cut in the same pass as the frame before it.
  void StoreFrame(InstrumentSlot& slot, const std::uint8_t* bytes, std::size_t length,
                  bool drop_notifies, bool& notify, bool contiguous = false);
  // Under both locks, after the search of a request cut a frame.
  void CutContiguousFrames();
  // Under the list lock: the one enabled instrument whose frames can follow
  // each other without a search, or null.
  InstrumentSlot* SoleOrdinarySlot() const;
  // SoleOrdinarySlot, found again only after the attached instruments or
  // their acquisition changed: a conversion asks for it with every frame.
  InstrumentSlot* FollowingSlot();
  // The length of that instrument's frame standing whole at the front of
  // the bytes held, or 0.
  std::size_t HeldFrameLength(const FrameDescription& d) const;
  // The same for fixed frames, inline as it is asked for every frame: one
  // is whole once its size is held (never less than its header's), then
  // one compare of the header where it must stand.
  std::size_t HeldFixedFrameLength(const FrameDescription& d) const {
    const bool held = m_received.Size() >= d.frame_size &&
                      std::memcmp(m_received.Data(), d.header.data(), d.header.size()) == 0;
    return held ? d.frame_size : 0;
  }

  // Serial port internals.
  std::uint32_t SetPortState();
  void ResetPort();
  bool StartReader();
  void JoinReader();
  void ReaderThread();
  bool ReaderTurn(std::vector<std::uint8_t>& buffer, int& idle_count);
  void DeclareIdle();
  std::uint32_t CheckCommStatus(sys::DWORD line_errors);
  void AbortReader(std::uint32_t code, int os_error);

  bool m_bPortOpen = false;
  bool m_bWaiting = true;
  bool m_bClosing = false;
  bool m_bEndOfFile = false;
  std::atomic<bool> m_bConnecting{false};  // read by the reader while it starts
  bool m_bFramesReady = false;
  bool m_bResourceSynchronized = false;
  bool m_bExclusiveAttached = false;
  bool m_bWaitingReported = false;
  bool m_bSearchPassDone = false;
  // A failed read stops the file for good. The failure and its cause are
  // set under the state lock but read without it as each frame goes out.
  std::atomic<bool> m_bReadFailed{false};
  std::atomic<int> m_dwLastError{0};  // written by the reader, read for reason texts
  std::uint32_t m_nAbortCode = 0;
  // Added to under the list lock; taken without it, once per frame.
  std::atomic<std::uint32_t> m_nBytesDiscarded{0};
  std::int64_t m_nFileLength = 0;
  std::uint32_t m_nSearchWindow = 1024;
  std::uint32_t m_nBsiFrameLength = 0;
  std::atomic<int> m_nFileErrorCause{0};
  int m_nInstrumentCount = 0;
  // Read by the searches without the list lock, changed by enabling and
  // detaching under it.
  std::atomic<int> m_nCurrentInstrument{-1};
  int m_nIdleLimit = 15;
  int m_nMaxDepth = 200;
  int m_nFramingErrors = 0;
  int m_nBreakErrors = 0;
  std::string m_strSyncString;
  std::string m_strName;
  std::deque<std::string> m_messages;
  mutable sys::CCriticalSection m_listLock;
  mutable sys::CCriticalSection m_stateLock;
  mutable sys::CCriticalSection m_messageLock;
  ReceivedBytes m_received;
  CommandSink* m_pControl;
  std::uint64_t m_nId;
  sys::CFile* m_pFile = nullptr;
  std::vector<std::uint8_t> m_readBuffer;
  std::vector<std::uint8_t> m_frameBuffer;
  TerminatorMark m_frameScan;  // the terminator of the frame being cut
  ScanMark m_lineScan;   // the line search (its scanned bytes are also clean)
  std::deque<std::unique_ptr<CFrameData>> m_frames;
  FrameTimeStamp m_frameClock;  // stamps the frames as they are cut
  // A file's frames carry the time of the read that brought their bytes:
  // one clock read per chunk, not one per frame.
  sys::TimeStamp m_readStamp;
  std::vector<std::string> m_searchCandidates;  // the headers one search looks for
  std::vector<std::unique_ptr<InstrumentSlot>> m_instruments;
  // Counts the changes to m_instruments and their acquisition, under the
  // list lock, and the count at which m_pFollowingSlot was found.
  std::uint64_t m_nInstrumentChanges = 0;
  std::uint64_t m_nFollowingSlotChanges = ~std::uint64_t{0};
  InstrumentSlot* m_pFollowingSlot = nullptr;
  SerialSettings m_serialSettings;
  FileSettings m_fileSettings;
  int m_nKind = kKindNone;
  std::uint32_t m_nReadSize = 2048;
  std::unique_ptr<SerialLink> m_pLink;
  SerialDeviceFactory m_deviceFactory;
};

}  // namespace telemetry

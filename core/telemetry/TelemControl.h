// The registry of one telemetry document's communications resources and
// loaded instruments, and the owner of the processing thread that delivers
// every result to the document's callbacks in queue order.
//
// Lock order, outermost first: control, instruments, resources, then a
// resource's own locks, then the command queue. The processing thread holds
// the control lock for a whole pass; callbacks run under it and may call
// the control again (the locks are re-entrant).
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/instrument/Instrument.h"
#include "core/telemetry/CommandSink.h"
#include "core/telemetry/FramePool.h"
#include "core/telemetry/ProcessCommand.h"
#include "core/telemetry/ResourceSettings.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemetryCallbacks.h"
#include "platform/sys/CriticalSection.h"
#include "platform/sys/Event.h"
#include "platform/sys/Thread.h"

namespace telemetry {

class CTelemControl : public CommandSink {
 public:
  // Starts the processing thread and waits until it runs.
  explicit CTelemControl(TelemetryCallbacks* document);
  ~CTelemControl() override;
  CTelemControl(const CTelemControl&) = delete;
  CTelemControl& operator=(const CTelemControl&) = delete;

  void QueueCommand(const std::string& resource_name, std::uint64_t resource_id, int type) override;
  void ReportMessage(const std::string& text, std::uint32_t code);
  void Shutdown();

  // Resources.
  std::uint32_t AddSerialResource(const SerialSettings& settings);
  std::uint32_t AddFileResource(const FileSettings& settings);
  std::uint32_t RemoveResource(const std::string& name);
  std::uint32_t ModifyResource(const std::string& name, const SerialSettings& settings);
  bool ResourceExists(int index);
  std::uint32_t ConnectResource(int index);
  std::uint32_t DisconnectResource(int index);
  std::uint32_t GetBytesDiscarded(std::uint32_t& count, int index);
  std::uint32_t ResetBytesDiscarded(int index);
  // GetBytesDiscarded and ResetBytesDiscarded in one step, with nothing
  // counted between them lost.
  std::uint32_t TakeBytesDiscarded(std::uint32_t& count, int index);
  std::uint32_t GetSerialInfo(SerialSettings& out, int index);
  std::uint32_t GetFileInfo(FileSettings& out, int index);
  std::uint32_t GetAbortCode(std::uint32_t& code, int index);
  bool GetResourceName(std::string& out, int index);
  int GetResourceCount();
  int FindResource(const std::string& name);
  // Asked for by the callback of a frame of the same resource, the request
  // is answered by that delivery, without the queue; inline, as it is asked
  // for every frame of a conversion.
  std::uint32_t RetrieveFrame(int index) { return TakeRequestInPlace(index) ? 0 : QueueFrameRequest(index); }
  // Inside the callback of a lent frame, which wants the next frame of the
  // resource at index: when RetrieveFrame would answer in place and that
  // frame follows in the bytes already read, it is cut into the same
  // record, the request answered by it (the caller handles it as if lent
  // anew). False changes nothing: the caller then asks with RetrieveFrame,
  // which searches, reads, queues or refuses as usual.
  bool CutNextLentFrame(int index, CFrameData& frame) {
    if (!DeliveringFrameOf(index) || m_bStopRequested || m_nQueuedCommands != 0) return false;
    return m_pDeliveringResource->CutFollowingFrame(frame);
  }
  // Hands a delivered frame, read and no longer needed, back for a later
  // frame to be cut into. Only the processing thread, where the frames are
  // delivered, keeps it; elsewhere it is freed.
  void RecycleFrame(std::unique_ptr<CFrameData> frame) {
    if (OnProcessingThread()) m_framePool.Give(std::move(frame));
  }
  std::unique_ptr<CFrameData> TakeSpareFrame() override;
  bool TakeResourceMessage(std::string& line) override;

  // Instruments.
  // `stop_requested` (may be empty) can end the loading of the definition.
  std::uint32_t AddInstrument(const std::string& path, const std::function<bool()>& stop_requested = {});
  std::uint32_t RemoveInstrument(const std::string& header);
  std::uint32_t AttachInstrument(const std::string& header, const std::string& resource, bool special);
  std::uint32_t DetachInstrument(const std::string& header);
  std::uint32_t StartAcquisition(int index);
  std::uint32_t StopAcquisition(int index);
  std::uint32_t GetInstrumentFileType(std::string& out, int index);
  std::uint32_t GetInstrumentFileName(std::string& out, int index);
  std::uint32_t GetInstrumentSerialNumber(std::string& out, int index);
  bool GetInstrumentResource(std::string& out, int index);
  bool GetInstrumentHeader(std::string& out, int index);
  int GetInstrumentCount();
  int FindInstrument(const std::string& header);
  int FindSensor(int index, const char* type, int after);
  CSensor* GetSensor(int index, int sensor);
  int GetInstrumentLinesRead(int index);
  int GetInstrumentFrameSize(int index);
  int GetInstrumentSensorCount(int index);

  bool IsThreadRunning() const { return m_bThreadRunning; }

 private:
  using Lock = std::lock_guard<sys::CCriticalSection>;

  // The processing thread.
  bool StartThread();
  void StopThread();
  sys::DWORD ThreadBody();
  // Whether the caller runs on this control's processing thread: asked
  // several times for every frame, so answered from a thread-local mark
  // its thread sets, without asking for the thread's identity.
  bool OnProcessingThread() const { return s_pProcessingControl == this; }
  bool ProcessCommands();
  void Dispatch(const CProcessCommand& command);
  void DeliverFrame(const CProcessCommand& command);
  // The frame that answers a request taken in place: cut straight into the
  // record lent (or one handed back) when it can be, else as a queued
  // request gets it.
  std::unique_ptr<CFrameData> NextFrameInPlace(CTelemComm& resource, std::unique_ptr<CFrameData> record);
  // True when a frame request for the resource at index is answered by the
  // delivery in progress instead of a queued command (or refused like one
  // after the stop); only on the processing thread.
  bool TakeRequestInPlace(int index) {
    if (!DeliveringFrameOf(index)) return false;
    // Both are set under the queue lock; read here without it. A command
    // queued just after the look waits for the next frame, as it would had
    // it come just after the lock.
    if (m_bStopRequested) return true;  // refused, as QueueCommand refuses it
    if (m_nQueuedCommands != 0) return false;  // it waits behind those
    m_bRequestInPlace = true;
    return true;
  }
  // Whether this is the processing thread, delivering a frame of the
  // resource at index whose callback has not asked for the next one yet.
  // The resource list changes only under the control lock, which that
  // thread holds for its whole pass: it is read here without the resource
  // lock.
  bool DeliveringFrameOf(int index) {
    return OnProcessingThread() && m_pDeliveringResource != nullptr && !m_bRequestInPlace &&
           ResourceAt(index) == m_pDeliveringResource;
  }
  // A frame request that goes through the queue, checked and reported.
  std::uint32_t QueueFrameRequest(int index);
  CTelemComm* FindCommandResource(const CProcessCommand& command);
  void DeliverState(CTelemComm& resource);
  void DeliverMessages(CTelemComm* resource);

  // Helpers under the caller's locks.
  CTelemComm* ResourceAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_resources.size()) return nullptr;
    return m_resources[static_cast<std::size_t>(index)].get();
  }
  // The resource at index, or null once failure has been reported with the
  // invalid-resource code.
  CTelemComm* ResourceOrReport(int index, const char* failure);
  CInstrument* InstrumentAt(int index);
  // Starts or stops an attached instrument's acquisition on its resource.
  std::uint32_t SetAcquisition(int index, bool enable, const char* failure);
  std::uint32_t AddResource(std::unique_ptr<CTelemComm> resource, const std::string& name,
                            std::uint32_t init_code);
  std::uint32_t DetachAt(std::size_t instrument);
  void MoveResourceMessages(CTelemComm& resource);
  CInstrumentAttachment BuildAttachment(CInstrument& instrument, bool special);
  std::uint32_t InstrumentQuery(int index, const char* failure, std::string& out,
                                const std::string& (CInstrument::*get)() const);

  std::atomic<bool> m_bStopRequested{false};
  bool m_bThreadStopped = true;
  std::atomic<bool> m_bThreadRunning{false};
  bool m_bActive = true;
  int m_nInstrumentCount = 0;
  int m_nResourceCount = 0;
  sys::CCriticalSection m_resourceLock;
  sys::CCriticalSection m_instrumentLock;
  sys::CCriticalSection m_controlLock;
  sys::CCriticalSection m_queueLock;
  sys::CEvent m_queueEvent;
  sys::CEvent m_stopEvent;
  sys::CEvent m_threadEnded;
  sys::CEvent m_threadStarted;
  std::vector<int> m_resourceOfInstrument;
  std::vector<std::string> m_resourceNames;
  std::vector<std::string> m_instrumentHeaders;
  // The log text waiting for the processing thread, oldest first, under
  // the queue lock: a resource's line per entry, the control's own lines
  // reported one after another gathered into one entry.
  std::deque<std::string> m_pendingMessages;
  bool m_bLastPendingIsOwn = false;
  TelemetryCallbacks* m_pDocument;
  std::unique_ptr<CTelemComm> m_pRemovedResource;
  // Removed resources a shutdown on the processing thread could not wait
  // for: the pass in progress may still be delivering to them, so they go
  // when it ends.
  std::vector<std::unique_ptr<CTelemComm>> m_retiredResources;
  sys::Thread m_thread;
  // The control whose processing thread the current thread is, if any.
  static inline constinit thread_local const CTelemControl* s_pProcessingControl = nullptr;
  // The resource whose frame the processing thread is delivering (null:
  // none), and whether the callback asked for the next frame of the same
  // resource while nothing else was waiting. Only that thread touches them.
  CTelemComm* m_pDeliveringResource = nullptr;
  bool m_bRequestInPlace = false;
  std::vector<std::unique_ptr<CTelemComm>> m_resources;
  std::vector<std::unique_ptr<CInstrument>> m_instruments;
  std::deque<CProcessCommand> m_commands;
  // The size of m_commands, set with it under m_queueLock, for a look
  // without the lock.
  std::atomic<std::size_t> m_nQueuedCommands{0};
  // Name strings of delivered commands, kept for the next ones: a
  // conversion queues a request per frame, and a path copied into a kept
  // string costs no allocation. Guarded by m_queueLock.
  std::vector<std::string> m_spareNames;
  std::uint64_t m_nNextResourceId = 1;
  // Frames handed back; used on the processing thread alone.
  FramePool m_framePool;
};

}  // namespace telemetry

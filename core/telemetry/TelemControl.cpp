// The control object, its command queue and its processing thread.
#include "core/telemetry/TelemControl.h"

#include <chrono>
#include <thread>

#include "core/telemetry/TelemetryCodes.h"
#include "core/telemetry/TelemetryReason.h"

namespace telemetry {

namespace {

constexpr sys::DWORD kPassWaitMs = 500;
constexpr auto kRemovalRetry = std::chrono::milliseconds(5);
// Enough for the commands one pass sees at a time; memory stays flat.
constexpr std::size_t kMaxSpareNames = 16;

}  // namespace

CTelemControl::CTelemControl(TelemetryCallbacks* document) : m_pDocument(document) { StartThread(); }

CTelemControl::~CTelemControl() {
  if (m_bActive) Shutdown();
  // A shutdown asked for from a callback could not wait for the thread;
  // it must be gone before the members it uses.
  StopThread();
  m_commands.clear();
}

void CTelemControl::QueueCommand(const std::string& resource_name, std::uint64_t resource_id, int type) {
  {
    // Tested under the lock the thread sets it under: a command is either
    // queued before the stop (and delivered by the last pass) or refused.
    Lock lock(m_queueLock);
    if (m_bStopRequested) return;
    std::string name;
    if (!m_spareNames.empty()) {
      name = std::move(m_spareNames.back());
      m_spareNames.pop_back();
    }
    name.assign(resource_name);
    m_commands.push_back({std::move(name), resource_id, type});
    m_nQueuedCommands = m_commands.size();
  }
  // A command queued by a callback is taken by the pass it runs in, which
  // goes on until the queue is empty: waking the thread would only cost a
  // wake-up of every waiting thread per frame of a conversion.
  if (!m_thread.IsCurrentThread()) m_queueEvent.SetEvent();
}

void CTelemControl::ReportMessage(const std::string& text, std::uint32_t code) {
  {
    Lock lock(m_queueLock);
    if (m_pendingMessages.empty() || !m_bLastPendingIsOwn) m_pendingMessages.emplace_back();
    m_pendingMessages.back() += text;
    m_pendingMessages.back() += ControlReasonText(code);
    m_bLastPendingIsOwn = true;
  }
  QueueCommand(std::string(), 0, kCommandMessages);
}

bool CTelemControl::TakeResourceMessage(std::string& line) {
  Lock lock(m_queueLock);
  m_pendingMessages.push_back(std::move(line));
  m_bLastPendingIsOwn = false;
  return true;
}

void CTelemControl::Shutdown() {
  while (GetResourceCount() > 0) {
    std::string name;
    GetResourceName(name, 0);
    if (RemoveResource(name) != kCtlRemovalPending) continue;
    // Only a running processing thread, outside its own pass, ever deletes
    // a pending resource; anywhere else waiting for it would never end.
    if (!m_bThreadRunning) {
      Lock lock(m_controlLock);
      m_pRemovedResource.reset();
    } else if (m_thread.IsCurrentThread()) {
      Lock lock(m_controlLock);
      m_retiredResources.push_back(std::move(m_pRemovedResource));
    } else {
      std::this_thread::sleep_for(kRemovalRetry);
    }
  }
  StopThread();
  m_bActive = false;
}

bool CTelemControl::StartThread() {
  if (!m_thread.Start([this] { return ThreadBody(); })) return false;
  m_threadStarted.Lock();
  m_bThreadRunning = true;
  m_bThreadStopped = false;
  return true;
}

void CTelemControl::StopThread() {
  if (!m_bThreadRunning) return;
  m_stopEvent.SetEvent();
  // A callback that shuts its own control down cannot wait for the pass it
  // runs in; the thread ends after this pass.
  if (m_thread.IsCurrentThread()) return;
  m_threadEnded.Lock();
  m_thread.Join();
  m_bThreadStopped = true;
  m_bThreadRunning = false;
  {
    Lock lock(m_controlLock);
    m_pRemovedResource.reset();
    m_retiredResources.clear();
  }
}

sys::DWORD CTelemControl::ThreadBody() {
  s_pProcessingControl = this;
  m_threadStarted.SetEvent();
  while (ProcessCommands()) {
  }
  s_pProcessingControl = nullptr;
  m_threadEnded.SetEvent();
  return 0;
}

bool CTelemControl::ProcessCommands() {
  // After the stop nothing more can be queued, so the last pass only takes
  // what is already there; waiting for stragglers would only delay every
  // program exit.
  const sys::DWORD wait_ms = m_bStopRequested ? 0 : kPassWaitMs;
  const int which = sys::WaitForAnyEvent({&m_queueEvent, &m_stopEvent}, wait_ms);
  if (which == 1) {
    Lock lock(m_queueLock);
    m_bStopRequested = true;
    return true;
  }
  if (which == 0) {
    Lock pass(m_controlLock);
    CProcessCommand command;
    for (;;) {
      {
        Lock lock(m_queueLock);
        if (!command.m_strResourceName.empty() && m_spareNames.size() < kMaxSpareNames)
          m_spareNames.push_back(std::move(command.m_strResourceName));
        if (m_commands.empty()) break;
        command = std::move(m_commands.front());
        m_commands.pop_front();
        m_nQueuedCommands = m_commands.size();
      }
      Dispatch(command);
    }
    m_pRemovedResource.reset();
    m_retiredResources.clear();
  }
  return !m_bStopRequested;
}

CTelemComm* CTelemControl::FindCommandResource(const CProcessCommand& command) {
  if (command.m_nResourceId == 0) return nullptr;
  if (m_pRemovedResource && m_pRemovedResource->GetId() == command.m_nResourceId) return m_pRemovedResource.get();
  for (const auto& retired : m_retiredResources)
    if (retired->GetId() == command.m_nResourceId) return retired.get();
  Lock lock(m_resourceLock);
  for (const auto& resource : m_resources)
    if (resource->GetId() == command.m_nResourceId) return resource.get();
  return nullptr;
}

// Every frame request is answered exactly once: a request whose resource
// has gone answers "no frame", so a conversion waiting on it comes to its
// end instead of waiting for ever. A conversion asks for its next frame
// from inside the callback: when that request would be the only command
// waiting, the pass would take it next, so it is answered here at once
// instead of going through the queue, and a file's frame that follows the
// last one in the bytes already read is cut straight into the record the
// callback has just read (lent, or handed back). The frames of a read
// buffer so go out in one loop; a refill, a search, or any other command
// waiting ends it.
void CTelemControl::DeliverFrame(const CProcessCommand& command) {
  // Looked up once for all the requests answered in place: a resource
  // removed meanwhile stays, as the removed one, until the pass ends.
  CTelemComm* resource = nullptr;
  std::unique_ptr<CFrameData> frame;
  {
    Lock lock(m_resourceLock);
    resource = FindCommandResource(command);
    if (resource != nullptr) frame = resource->GetNextFrame();
  }
  m_pDeliveringResource = resource;
  // A receiver that only reads its frames is lent each one; the record
  // stays here, to be refilled for the next.
  const bool lend = m_pDocument->ReadsLentFrames();
  for (;;) {
    m_bRequestInPlace = false;
    if (frame && lend) {
      m_pDocument->OnFrameLent(command.m_strResourceName, *frame);
    } else {
      m_pDocument->OnFrameReceived(command.m_strResourceName, std::move(frame));
    }
    if (!m_bRequestInPlace) break;
    frame = NextFrameInPlace(*resource, std::move(frame));
  }
  m_framePool.Give(std::move(frame));
  m_pDeliveringResource = nullptr;
}

std::unique_ptr<CFrameData> CTelemControl::NextFrameInPlace(CTelemComm& resource, std::unique_ptr<CFrameData> record) {
  // The cut of a following frame touches only what the resource's own list
  // lock guards, and a file resource is never changed through this control
  // (its kind stays, it refuses a serial set-up, and it is removed only
  // under the control lock this thread holds): it goes without the
  // resource lock, which the search and the read still take.
  if (!record) record = m_framePool.Take();
  if (record && resource.CutFollowingFrame(*record)) return record;
  m_framePool.Give(std::move(record));
  Lock lock(m_resourceLock);
  return resource.GetNextFrame();
}

void CTelemControl::Dispatch(const CProcessCommand& command) {
  if (command.m_nType == kCommandDeliverFrame) {
    DeliverFrame(command);
    return;
  }
  CTelemComm* resource = FindCommandResource(command);
  const std::string& name = command.m_strResourceName;
  switch (command.m_nType) {
    case kCommandStateChanged:
      if (resource != nullptr) DeliverState(*resource);
      break;
    case kCommandFileEvent:
      if (resource != nullptr) {
        int cause = 0, end = 0, open = 0;
        {
          Lock lock(m_resourceLock);
          cause = resource->TakeFileError();
          end = resource->IsEndOfFile() ? 1 : 0;
          open = resource->IsFileOpen() ? 1 : 0;
        }
        m_pDocument->OnCommEvent(name, cause, end, open);
      }
      break;
    case kCommandMessages:
      DeliverMessages(resource);
      break;
    case kCommandFramesReady:
      while (resource != nullptr) {
        std::unique_ptr<CFrameData> frame;
        {
          Lock lock(m_resourceLock);
          frame = resource->GetNextFrame();
        }
        if (!frame) break;
        m_pDocument->OnFrameReceived(name, std::move(frame));
      }
      break;
    default:
      break;
  }
}

void CTelemControl::DeliverState(CTelemComm& resource) {
  int state = 0, count = 0;
  {
    Lock lock(m_resourceLock);
    state = resource.GetState();
    count = resource.GetInstrumentCount();
  }
  m_pDocument->OnResourceState(resource.GetName(), state);
  for (int i = 0; i < count; ++i) {
    std::string header;
    int instrument_state = 3;  // an empty header is never attached
    {
      Lock lock(m_resourceLock);
      resource.GetInstrumentHeader(header, i);
      if (!header.empty()) instrument_state = resource.GetInstrumentState(header);
    }
    m_pDocument->OnResourceInfo(header, instrument_state);
  }
}

// Every messages command delivers all the log text waiting, the control's
// and its resources' alike, in the order it was reported: which command
// comes first, and whether its resource is still listed, then changes only
// how the text is split between calls, never the order of the lines.
void CTelemControl::DeliverMessages(CTelemComm* resource) {
  std::deque<std::string> pending;
  {
    Lock lock(m_queueLock);
    pending.swap(m_pendingMessages);
    m_bLastPendingIsOwn = false;
  }
  if (pending.empty() && resource == nullptr) pending.emplace_back();
  for (std::string& text : pending) m_pDocument->OnTelemetryMessage(text);
  if (resource == nullptr) return;
  // Lines a resource kept itself (reported before it had this control).
  for (;;) {
    std::string line;
    {
      Lock lock(m_resourceLock);
      resource->TakeMessage(line);
    }
    if (line.empty()) return;
    m_pDocument->OnTelemetryMessage(line);
  }
}

}  // namespace telemetry

// Synchronise-and-cut of a file resource on hostile log bytes, with the
// example fixed-frame instrument, the example variable-frame instrument, or
// both attached, and every sensor of every cut frame turned into output
// text as a conversion would. The first input byte picks the instruments,
// the read chunk and the number format; the rest is the log file.
//
// Each frame must begin with its instrument's header, a fixed frame must
// have the instrument's size, and a terminated frame must end with the
// terminator.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/instrument/Instrument.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "core/telemetry/TelemComm.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

struct LoadedInstrument {
  std::unique_ptr<CInstrument> instrument = std::make_unique<CInstrument>();
  telemetry::CInstrumentAttachment record;
};

LoadedInstrument Load(const char* file) {
  LoadedInstrument loaded;
  const std::string path = std::string(BRIVEN_EXAMPLES) + "/" + file;
  if (loaded.instrument->LoadInstrumentFile(path) != 0) fuzz::Fail("example instrument does not load", path);
  loaded.record.header = loaded.instrument->GetHeader();
  loaded.record.frame_size = loaded.instrument->GetFrameSize();
  loaded.record.terminator = loaded.instrument->GetTerminator();
  return loaded;
}

std::vector<LoadedInstrument>& Instruments() {
  static std::vector<LoadedInstrument> instruments = [] {
    std::vector<LoadedInstrument> list;
    list.push_back(Load("NMBP0417.tdf"));  // fixed 22-byte binary frames
    list.push_back(Load("NMAC0093.tdf"));  // comma-separated text, CR LF
    return list;
  }();
  return instruments;
}

// Chunks from one byte (every header and terminator split) to the
// conversion's header-mode 256 bytes.
constexpr std::uint32_t kChunks[] = {1, 2, 3, 7, 16, 22, 64, 256};

CSensorFormat FormatFrom(std::uint8_t choice) {
  CSensorFormat format;
  format.m_nApplyFit = (choice >> 5) & 1;
  format.m_nHexFormat = (choice >> 6) & 1;
  format.m_nWidth = (choice >> 7) ? 12 : -1;
  return format;
}

void CheckFrame(const CFrameData& frame, const LoadedInstrument& loaded) {
  const CFrameData::Bytes& bytes = frame.GetBytes();
  const std::string& header = loaded.record.header;
  if (bytes.size() < header.size() || !std::equal(header.begin(), header.end(), bytes.begin()))
    fuzz::Fail("a frame without its header", header);
  const std::string& terminator = loaded.record.terminator;
  if (terminator.empty()) {
    if (bytes.size() != loaded.record.frame_size) fuzz::Fail("a fixed frame of the wrong size", header);
  } else if (bytes.size() < header.size() + terminator.size() ||
             !std::equal(terminator.rbegin(), terminator.rend(), bytes.rbegin())) {
    fuzz::Fail("a terminated frame without its terminator", header);
  }
}

void FormatEveryValue(CQelTelemetryDoc& doc, LoadedInstrument& loaded, CFrameData& frame,
                      const CSensorFormat& format, std::string& row) {
  row.clear();
  for (int i = 0; i < loaded.instrument->GetSensorCount(); ++i)
    doc.AppendSensorValue(row, loaded.instrument->GetSensor(i), &frame, format);
}

LoadedInstrument* Owner(const CFrameData& frame, std::vector<LoadedInstrument*>& attached) {
  for (LoadedInstrument* loaded : attached)
    if (loaded->record.header == frame.GetHeader()) return loaded;
  fuzz::Fail("a frame of an instrument that is not attached", frame.GetHeader());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  std::vector<LoadedInstrument>& instruments = Instruments();
  std::vector<LoadedInstrument*> attached;
  const int which = choice & 3;  // 0 and 3 both, 1 fixed, 2 variable
  if (which != 2) attached.push_back(&instruments[0]);
  if (which != 1) attached.push_back(&instruments[1]);

  const std::string path = fuzz::Scratch::Get().Write("log.raw", data + 1, size - 1);
  sys::CFile file(path, sys::CFile::modeRead);
  telemetry::CTelemComm resource(nullptr);
  if (resource.InitFile({&file, kChunks[(choice >> 2) & 7]}) != 0) fuzz::Fail("InitFile refused a log file");
  for (LoadedInstrument* loaded : attached) {
    if (resource.AttachInstrument(loaded->record) != 0) fuzz::Fail("attach refused", loaded->record.header);
    if (resource.EnableAcquisition(loaded->record.header) != 0) fuzz::Fail("enable refused");
  }

  CQelTelemetryDoc doc;
  const CSensorFormat format = FormatFrom(choice);
  std::string row;
  std::size_t frames = 0;
  std::size_t empty_pulls = 0;
  bool pulled_at_end = false;
  // A pull may give nothing while frames still follow (a window of garbage
  // was dropped), so pulls go on until one after the end of the file; each
  // empty pull before it reads a chunk, so there are at most as many as
  // bytes.
  std::string message;
  for (;;) {
    std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
    // The control takes the resource's messages after every pull.
    do resource.TakeMessage(message);
    while (!message.empty());
    if (frame) {
      LoadedInstrument& owner = *Owner(*frame, attached);
      CheckFrame(*frame, owner);
      FormatEveryValue(doc, owner, *frame, format, row);
      // Every frame holds at least one byte of the file, so more frames
      // than bytes means the resource hands out the same bytes again.
      if (++frames > size) fuzz::Fail("more frames than bytes in the log");
      continue;
    }
    if (pulled_at_end) break;
    if (resource.IsEndOfFile()) pulled_at_end = true;
    if (++empty_pulls > size + 2) fuzz::Fail("pulls make no progress through the log");
  }
  return 0;
}

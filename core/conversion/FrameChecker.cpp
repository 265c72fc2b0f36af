#include "core/conversion/FrameChecker.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/instrument/FieldDecoding.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Sensor.h"
#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "platform/sys/Format.h"

namespace {

// The sum of count bytes, eight at a time: the byte pairs of a word are
// added side by side in its 16-bit lanes (at most 510 each), and one
// multiplication adds the four lanes into the top one.
std::uint64_t SumOfBytes(const std::uint8_t* bytes, std::size_t count) {
  constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
  constexpr std::uint64_t kLanes = 0x0001000100010001ull;
  std::uint64_t sum = 0;
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + i, sizeof word);
    const std::uint64_t pairs = (word & kLowBytes) + ((word >> 8) & kLowBytes);
    sum += (pairs * kLanes) >> 48;
  }
  const std::size_t rest = count - i;
  if (rest == 0) return sum;
  if (std::endian::native == std::endian::little && count >= 8) {
    // The last bytes in one word: the eight that end the run, shifted so
    // that only those not summed yet stay.
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + count - 8, sizeof word);
    word >>= 8 * (8 - rest);
    const std::uint64_t pairs = (word & kLowBytes) + ((word >> 8) & kLowBytes);
    return sum + ((pairs * kLanes) >> 48);
  }
  for (; i < count; ++i) sum += bytes[i];
  return sum;
}

void LogFrameMessage(CQelTelemetryDoc& doc, const char* format, const CFrameData& frame) {
  doc.LogMessage(sys::Format(format, static_cast<unsigned>(frame.GetFrameNumber())));
}

std::string MissingSensorText(const char* kind, const std::string& file_type, const std::string& header,
                              const char* check) {
  return sys::Format("No valid %s sensor found in the %s for %s. No %s error checking will occur for the instrument.",
                     kind, file_type.c_str(), header.c_str(), check);
}

}  // namespace

CFrameChecker::FixedField CFrameChecker::PlanFixedField(const CSensor* sensor) {
  FixedField field;
  if (sensor == nullptr || sensor->GetDataType() != instrument::kDataBU || sensor->IsVariable() ||
      !sensor->HasValue() || sensor->GetFitType() == instrument::kFitOptic3)
    return field;
  field.fixed = true;
  field.offset = sensor->GetOffset();
  field.length = sensor->GetFieldLength();
  return field;
}

// Reads a check field: unsigned for BU (or when asked), else signed. A
// fixed binary unsigned field inside the frame is read in place: the value
// the sensor's reader gives, without its checks of kind and its record of
// the last value. Inline, as it runs for every frame; the sensor's reader
// stays out of line.
inline int CFrameChecker::ReadCheckValue(CSensor& sensor, const FixedField& field, const CFrameData& frame,
                                         std::size_t readable, bool force_unsigned, long& value) {
  if (field.fixed && field.offset + field.length <= readable) {
    const std::uint8_t* bytes = frame.GetBytes().data() + field.offset;
    // Frame counters and check sums are nearly always one byte.
    value = static_cast<long>(field.length == 1 ? bytes[0] : instrument::DecodeBigEndian(bytes, field.length));
    return 0;
  }
  return ReadCheckValueBySensor(sensor, frame, force_unsigned, value);
}

int CFrameChecker::ReadCheckValueBySensor(CSensor& sensor, const CFrameData& frame, bool force_unsigned,
                                          long& value) {
  if (force_unsigned || sensor.GetDataType() == instrument::kDataBU) {
    std::uint32_t raw = 0;
    const int result = sensor.ExtractUnsigned(&raw, &frame);
    value = static_cast<long>(raw);
    return result;
  }
  std::int32_t raw = 0;
  const int result = sensor.ExtractSigned(&raw, &frame);
  value = raw;
  return result;
}

void CFrameChecker::Reset() { *this = CFrameChecker(); }

std::string CFrameChecker::FindFrameCounterCheck(CQelTelemetryDoc& doc, const CBrivenParameters& params,
                                                 const std::string& file_type, const std::string& header) {
  if (!params.m_nFrameCounterChecking) return {};
  m_nFrameCounterIndex = doc.FindFrameCounterSensor(0);
  if (m_nFrameCounterIndex != -1) {
    m_pFrameCounter = doc.GetSensor(0, m_nFrameCounterIndex);
    m_frameCounterField = PlanFixedField(m_pFrameCounter);
    return {};
  }
  std::string text = MissingSensorText("FRAME COUNTER", file_type, header, "frame counter");
  doc.LogMessage(text + "\r\n");
  return text;
}

std::string CFrameChecker::FindCheckSumCheck(CQelTelemetryDoc& doc, const CBrivenParameters& params,
                                             const std::string& file_type, const std::string& header) {
  if (!params.m_nCheckSumChecking) return {};
  m_nCheckSumIndex = doc.FindCheckSumSensor(0);
  m_nNmeaCheckSumIndex = doc.FindNmeaCheckSumSensor(0);
  if (m_nCheckSumIndex != -1) m_pCheckSum = doc.GetSensor(0, m_nCheckSumIndex);
  if (m_nNmeaCheckSumIndex != -1) m_pNmeaCheckSum = doc.GetSensor(0, m_nNmeaCheckSumIndex);
  m_checkSumField = PlanFixedField(m_pCheckSum);
  m_nmeaCheckSumField = PlanFixedField(m_pNmeaCheckSum);
  if (m_nCheckSumIndex != -1 || m_nNmeaCheckSumIndex != -1) return {};
  std::string text = MissingSensorText("CHECK SUM", file_type, header, "check sum");
  doc.LogMessage(text + "\r\n");
  return text;
}

// The checks of one frame are defined before the frame's entry, which
// they are inlined into: each runs for every frame its switch asks for, and
// only then.
inline bool CFrameChecker::CheckFrameCounter(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable,
                                             ConversionCounters& counters) {
  long value = 0;
  if (ReadCheckValue(*m_pFrameCounter, m_frameCounterField, frame, readable, false, value) != 0) {
    LogFrameMessage(doc, "Frame counter sensor error for frame index %u.\r\n", frame);
    ++counters.frame_counter_errors;
    return false;
  }
  if (m_bResynchronize) {
    m_nExpectedFrameCounter = static_cast<int>(value);
    m_bResynchronize = false;
  } else if (value != m_nExpectedFrameCounter) {
    LogFrameMessage(doc, "Frame counter error detected for frame index %u.\r\n", frame);
    m_bResynchronize = true;
    ++counters.frame_counter_errors;
  }
  // The counter is 8 bits wide whatever the field holds.
  m_nExpectedFrameCounter = m_nExpectedFrameCounter == 255 ? 0 : m_nExpectedFrameCounter + 1;
  return true;
}

inline bool CFrameChecker::CheckSum(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable,
                                    ConversionCounters& counters) {
  long value = 0;
  const int result = ReadCheckValue(*m_pCheckSum, m_checkSumField, frame, readable, false, value);
  if (result != 0) {
    LogFrameMessage(doc, "Check sum sensor error for frame index %u.\r\n", frame);
    m_nResidueError = result;
    ++counters.check_sum_errors;
    return false;
  }
  // The sum never reaches past the frame, whatever offset the field has.
  const CFrameData::Bytes& bytes = frame.GetBytes();
  const std::size_t offset = m_checkSumField.fixed ? m_checkSumField.offset : m_pCheckSum->GetOffset();
  const std::size_t end = std::min<std::size_t>(offset, bytes.size());
  const unsigned long sum = static_cast<unsigned long>(value) + SumOfBytes(bytes.data(), end);
  m_nCheckSumResidue = static_cast<int>(sum & 0xFFu);
  m_bResidueTested = true;
  if (m_nCheckSumResidue != 0) {
    LogFrameMessage(doc, "Check sum error detected for frame index %u.\r\n", frame);
    m_bResynchronize = true;
    ++counters.check_sum_errors;
  }
  return true;
}

bool CFrameChecker::CheckNmeaSum(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable,
                                 ConversionCounters& counters) {
  long value = 0;
  const int result = ReadCheckValue(*m_pNmeaCheckSum, m_nmeaCheckSumField, frame, readable, true, value);
  if (result != 0) {
    LogFrameMessage(doc, "NMEA Check sum sensor error for frame index %u.\r\n", frame);
    // The plain sum, when there is one, was read and tested before: its
    // residue stays what it is.
    ++counters.check_sum_errors;
    return false;
  }
  // The characters between the leading "$" and the "*" before the field,
  // kept inside the frame.
  const CFrameData::Bytes& bytes = frame.GetBytes();
  const std::size_t offset = m_pNmeaCheckSum->GetOffset();
  const std::size_t end = std::min<std::size_t>(offset > 0 ? offset - 1 : 0, bytes.size());
  unsigned sum = 0;
  for (std::size_t i = 1; i < end; ++i) sum ^= bytes[i];
  if (static_cast<long>(sum) != value) {
    LogFrameMessage(doc, "NMEA Check sum error detected for frame index %u.\r\n", frame);
    m_bResynchronize = true;
    ++counters.check_sum_errors;
  }
  return true;
}

inline void CFrameChecker::StepDepth(const CBrivenParameters& params) {
  const int depth = std::max(params.m_nProcessDepth, 1);
  ++m_nDepthCounter;
  if (m_nDepthCounter >= depth) {
    m_bWrite = true;
    m_nDepthCounter = 0;
  } else {
    m_bWrite = false;
  }
}

void CFrameChecker::CheckFrame(CQelTelemetryDoc& doc, const CFrameData& frame, const CBrivenParameters& params,
                               ConversionCounters& counters) {
  counters.frames_processed = static_cast<std::uint32_t>(frame.GetFrameNumber());
  const int frame_size = frame.GetFrameSize();
  m_nFrameSize = frame_size;
  // Each frame shows its own residue or none: never the last frame's.
  m_bResidueTested = false;
  m_nResidueError = 0;
  m_nCheckSumResidue = 0;
  // The bytes of the frame's size that it really holds, which the field
  // readers may read.
  const std::size_t readable = std::min<std::size_t>(std::max(frame_size, 0), frame.GetBytes().size());
  // A check sensor that cannot be read ends the checks of the frame; the
  // frame keeps the previous write decision. A check the switches leave
  // off has no sensor.
  if (m_pFrameCounter != nullptr && !CheckFrameCounter(doc, frame, readable, counters)) return;
  if (m_pCheckSum != nullptr && !CheckSum(doc, frame, readable, counters)) return;
  if (m_pNmeaCheckSum != nullptr && !CheckNmeaSum(doc, frame, readable, counters)) return;
  StepDepth(params);
}

std::uint32_t CFrameChecker::TakeSkippedBytes(CQelTelemetryDoc& doc) {
  std::uint32_t discarded = 0;
  if (doc.TakeBytesDiscarded(discarded, 0) != 0) discarded = 0;
  return discarded;
}

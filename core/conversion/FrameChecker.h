// The checks every frame passes before its row is built: frame counter,
// check sum and NMEA check sum, the Process Depth decision, and the byte
// accounting that keeps the log file position of the current frame (where
// its time tag lies) and counts resynchronisations.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/ConversionState.h"

class CFrameData;
class CQelTelemetryDoc;
class CSensor;

class CFrameChecker {
 public:
  // Bytes of the time tag that follows each frame of a time-tagged log.
  static constexpr std::uint32_t kTimeTagBytes = 7;

  void Reset();

  // Finds the check sensors of instrument 0 for the checks the parameters
  // ask for. Returns the warning text to show when a wanted sensor is
  // missing (empty when none); it is logged here already.
  std::string FindFrameCounterCheck(CQelTelemetryDoc& doc, const CBrivenParameters& params,
                                    const std::string& file_type, const std::string& header);
  std::string FindCheckSumCheck(CQelTelemetryDoc& doc, const CBrivenParameters& params,
                                const std::string& file_type, const std::string& header);

  // Tests one frame and decides whether it is written.
  void CheckFrame(CQelTelemetryDoc& doc, const CFrameData& frame, const CBrivenParameters& params,
                  ConversionCounters& counters);

  // Adds the frame and the bytes the resource skipped before it to the
  // position in the log file. A frame size of 0 accounts skipped bytes
  // only (no frame came). A frame that follows the last one without a gap
  // (cut in the same pass over the bytes read) has nothing skipped before
  // it, so the resource is not asked.
  void AccountDiscardedBytes(CQelTelemetryDoc& doc, std::uint32_t frame_size, bool done, bool time_tags,
                             ConversionCounters& counters, bool follows_last = false) {
    // Inline, as it runs for every frame.
    const std::uint32_t discarded = follows_last ? 0 : TakeSkippedBytes(doc);
    counters.bytes_discarded = discarded;
    counters.bytes_consumed += static_cast<std::uint64_t>(frame_size) + discarded;
    // The time tag behind the previous frame is skipped like any stray byte;
    // only what lies beyond it means the header was lost.
    const std::uint32_t tag_part = std::min(discarded, m_nTagBytesExpected);
    m_nTagBytesExpected -= tag_part;
    const std::uint32_t lost = discarded - tag_part;
    if (!done && counters.frames_processed > 1 && lost > 0) ++counters.resynchronizations;
    if (frame_size > 0) m_nTagBytesExpected = time_tags ? kTimeTagBytes : 0;
  }

  int GetFrameCounterIndex() const { return m_nFrameCounterIndex; }
  int GetCheckSumIndex() const { return m_nCheckSumIndex; }
  int GetNmeaCheckSumIndex() const { return m_nNmeaCheckSumIndex; }
  bool ShouldWrite() const { return m_bWrite; }
  int GetFrameSize() const { return m_nFrameSize; }
  // The residue of this frame's check sum, valid when ResidueKnown; else
  // ResidueError is the code to show (0 when the sum was not tested).
  bool ResidueKnown() const { return m_nResidueError == 0 && m_bResidueTested; }
  int GetResidue() const { return m_nCheckSumResidue; }
  int GetResidueError() const { return m_nResidueError; }

 private:
  // Each check of a frame whose sensor there is; readable: the bytes of
  // the frame's size that it holds.
  bool CheckFrameCounter(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable,
                         ConversionCounters& counters);
  bool CheckSum(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable, ConversionCounters& counters);
  bool CheckNmeaSum(CQelTelemetryDoc& doc, const CFrameData& frame, std::size_t readable,
                    ConversionCounters& counters);
  void StepDepth(const CBrivenParameters& params);
  // Asks the resource what it skipped before the frame; 0 when it cannot tell.
  static std::uint32_t TakeSkippedBytes(CQelTelemetryDoc& doc);

  // Where a check sensor's value stands when it is the form nearly every
  // frame counter and check sum has, a fixed binary unsigned field: settled
  // when the sensor is found, so a frame's value is read in place.
  struct FixedField {
    bool fixed = false;
    std::size_t offset = 0;
    std::size_t length = 0;
  };
  static FixedField PlanFixedField(const CSensor* sensor);
  static int ReadCheckValue(CSensor& sensor, const FixedField& field, const CFrameData& frame, std::size_t readable,
                            bool force_unsigned, long& value);
  static int ReadCheckValueBySensor(CSensor& sensor, const CFrameData& frame, bool force_unsigned, long& value);

  int m_nFrameCounterIndex = -1;
  int m_nCheckSumIndex = -1;
  int m_nNmeaCheckSumIndex = -1;
  // The instrument owns its sensors for the whole conversion; looked up
  // once, not through the control for every frame.
  CSensor* m_pFrameCounter = nullptr;
  CSensor* m_pCheckSum = nullptr;
  CSensor* m_pNmeaCheckSum = nullptr;
  FixedField m_frameCounterField;
  FixedField m_checkSumField;
  FixedField m_nmeaCheckSumField;
  bool m_bResynchronize = true;
  int m_nExpectedFrameCounter = 0;
  int m_nCheckSumResidue = 0;
  int m_nResidueError = 0;
  bool m_bResidueTested = false;
  int m_nFrameSize = 0;
  bool m_bWrite = true;
  int m_nDepthCounter = 0;
  // Time-tag bytes still expected among the skipped bytes behind the last
  // accounted frame: they are part of the log's layout, not lost sync.
  std::uint32_t m_nTagBytesExpected = 0;
};

#include "core/conversion/ConversionLogText.h"

#include "platform/sys/Format.h"

namespace conversion {

namespace {

void AppendOptionLines(std::string& text, const CBrivenParameters& p) {
  const bool fit = p.m_format.m_nApplyFit != 0;
  if (fit) text += "\r\n\tCalibration coefficients applied.";
  if (fit && p.m_nImmersed) text += "\r\n\tImmersion coefficients applied.";
  if (!fit && p.m_format.m_nHexFormat && !p.m_nSuppressStrings) text += "\r\n\tHexadecimal integer output enabled.";
  if (p.m_nTimeTags) text += "\r\n\tTime Tag output enabled.";
  if (p.m_nFrameCounterChecking) text += "\r\n\tFrame error checking enabled.";
  if (p.m_nCheckSumChecking) text += "\r\n\tCheck Sum error checking enabled.";
  if (p.m_nSensorErrorFrames) text += "\r\n\tSensor error frame output enabled.";
  if (p.m_nSuppressStrings) text += "\r\n\tNon numerical output suppression enabled.";
}

}  // namespace

std::string StartBlockText(const ConversionFiles& files, const CBrivenParameters& params, bool header_mode) {
  std::string text;
  if (header_mode) {
    text = sys::Format("Begin header conversion.\r\n\tLog File: \"%s\"\r\n\tOutput File: \"%s\"",
                       files.log_path.c_str(), files.output_path.c_str());
  } else {
    text = sys::Format("Begin instrument conversion.\r\n\tLog File: \"%s\"\r\n\tOutput File: \"%s\"\r\n\tInstrument "
                       "File: \"%s\"",
                       files.log_path.c_str(), files.output_path.c_str(), files.instrument_path.c_str());
    AppendOptionLines(text, params);
  }
  text += "\r\n";
  return text;
}

std::string SummaryText(const SummaryInput& in) {
  std::string text;
  if (in.aborted)
    text = "Conversion aborted.\r\n";
  else if (in.failed)
    text = in.not_found ? sys::Format("Conversion aborted.\r\n\t%s not found.\r\n", in.instrument_header.c_str())
                        : std::string("Conversion aborted.\r\n");
  else
    text = in.not_found ? sys::Format("Conversion complete.\r\n\t%s not found.\r\n", in.instrument_header.c_str())
                        : std::string("Conversion complete.\r\n");
  const ConversionCounters& c = in.counters;
  if (c.frames_processed == 0) return text;
  sys::AppendFormat(text, "\tFrames processed: %u\r\n\tResynchronizations required: %u\r\n", c.frames_processed,
                    c.resynchronizations);
  if (in.frame_counter_checked) sys::AppendFormat(text, "\tFrame counter errors: %u\r\n", c.frame_counter_errors);
  if (in.check_sum_checked) sys::AppendFormat(text, "\tCheck sum errors: %u\r\n", c.check_sum_errors);
  return text;
}

}  // namespace conversion

// The load report: line errors while reading, then one final message.
#include "core/instrument/FileErrorText.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/InstrumentTexts.h"
#include "core/instrument/ResultCodes.h"
#include "platform/sys/Format.h"

using namespace instrument;

std::string CInstrument::NamedFileMessage(const char* message) const {
  return sys::Format(message, file_type_.c_str(), file_type_.c_str(), file_path_.c_str());
}

void CInstrument::ReportLineError(int error, int action) {
  sys::AppendFormat(load_report_, "\tLine %d: ", lines_read_);
  load_report_ += LineErrorText(error);
  load_report_ += ActionText(action);
  ++error_count_;
}

void CInstrument::SetLoadReport(const std::string& message, int code) {
  if (code != kInstrumentLoaded) {
    load_report_ = message;
    if (code == kInstrumentOpenFailed || code == kInstrumentReadFailed) {
      load_report_ += "\t" + GetFileErrorText() + "\tInstrument processing aborted.\r\n";
    } else {
      load_report_ += AbortText(code);
    }
    return;
  }
  std::string line_errors;
  line_errors.swap(load_report_);
  load_report_ = message;
  // Path and header are appended as they are: either may hold any byte.
  load_report_ += "\tFile name: \"" + file_path_ + "\"\r\n";
  sys::AppendFormat(load_report_, "\tLines read: %d\r\n", lines_read_);
  sys::AppendFormat(load_report_, "\tNumber of sensors: %d\r\n", GetSensorCount());
  sys::AppendFormat(load_report_, "\tFrame type: %s\r\n", variable_frame_ ? "Variable" : "Fixed");
  if (!variable_frame_) sys::AppendFormat(load_report_, "\tFrame size: %d bytes\r\n", static_cast<int>(frame_size_));
  load_report_ += "\r\n";
  load_report_ += "\t" + header_;
  sys::AppendFormat(load_report_, " - %d error(s)\r\n", error_count_);
  if (!line_errors.empty()) {
    load_report_ += "\r\n";
    load_report_ += line_errors;
  }
}

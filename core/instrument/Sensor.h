// One field of an instrument's telemetry frame: where it lies, how its bytes
// are encoded, and the calibration fit that turns its raw value into a
// physical value. The definition is fixed once the instrument is loaded;
// reads run on the processing thread while the user-interface thread may
// change the Immersed flag. The flag and the last numeric values are
// atomic, so reading a field takes no lock (a conversion reads millions);
// the last text and the integration time are kept under the sensor's lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <string_view>

#include "core/instrument/SensorDefinition.h"
#include "core/instrument/VariableFieldIndex.h"
#include "core/instrument/VariableFieldLayout.h"

class CFrameData;

class CSensor {
 public:
  CSensor() = default;
  explicit CSensor(SensorDefinition definition);
  CSensor(const CSensor&) = delete;
  CSensor& operator=(const CSensor&) = delete;

  // Raw readers. Each returns 0 or a value result code and writes 0 to the
  // out value on failure. The unsigned reader takes BU, HU, HS, AU, BULE;
  // HS gives a signed number as its two's complement image (see
  // HasSignedRawValue). The signed reader takes BS, AI, BSLE, the real
  // reader BF, BD, AF, the text reader AS.
  int ExtractUnsigned(std::uint32_t* value, const CFrameData* frame);
  int ExtractSigned(std::int32_t* value, const CFrameData* frame);
  int ExtractReal(double* value, const CFrameData* frame);
  int ExtractString(std::string* text, const CFrameData* frame);
  // OPTIC3: reads and fits the linked integration-time sensor.
  int ReadIntegrationTime(const CFrameData* frame);

  // Calibration fits of a raw value read by the matching reader.
  int ApplyFit(double* value, std::uint32_t raw);
  int ApplyFit(double* value, std::int32_t raw);
  int ApplyFit(double* value, double raw);
  int FormatTimeFit(std::string* text, std::uint32_t raw) const;
  int FormatTimeFit(std::string* text, std::int32_t raw) const;
  int FormatTimeFit(std::string* text, double raw) const;

  void SetImmersed(int immersed);
  // Inline: the column writers read it for every value of a conversion.
  int GetImmersed() const { return immersed_.load(std::memory_order_relaxed); }

  // Coefficients, each tagged with the coefficient line it came from.
  void StartCoefficientLine() { ++last_coefficient_line_; }
  int AddCoefficient(double value);
  bool GetCoefficient(double* out, int gain_range, int index) const;
  int GetCoefficientCount() const { return static_cast<int>(coefficients_.size()); }
  // Every coefficient in the order read, whatever its line.
  const std::vector<double>& GetCoefficients() const { return coefficients_; }
  int GetLastCoefficientLine() const { return last_coefficient_line_; }

  using VariableFieldLayout = instrument::VariableFieldLayout;
  // Set when the instrument's TERMINATOR line is read. The layout is shared,
  // not copied: a definition with thousands of fields would otherwise hold
  // the whole delimiter string once per field.
  void SetVariableFieldLayout(std::shared_ptr<const VariableFieldLayout> layout, int field_index);
  void SetVariableFieldLayout(const std::string& field_delimiters, const std::string& terminator, int field_index);

  const std::string& GetType() const { return def_.type; }
  const std::string& GetId() const { return def_.id; }
  const std::string& GetUnits() const { return def_.units; }
  const std::string& GetFileName() const { return def_.file_path; }
  const std::string& GetHeader() const { return def_.header; }
  void SetHeader(const std::string& header) { def_.header = header; }
  const std::string& GetFieldDelimiters() const { return layout_->field_delimiters; }
  const std::string& GetTerminator() const { return layout_->terminator; }
  unsigned GetFieldLength() const { return def_.field_length; }
  // For a variable-length field, the start found by the last read.
  unsigned GetOffset() const { return offset_.load(); }
  int GetGainRanges() const { return static_cast<int>(def_.gain_ranges); }
  int GetLineNumber() const { return def_.line_number; }
  int GetDataType() const { return def_.data_type; }
  int GetFitType() const { return def_.fit_type; }
  int IsVariable() const { return def_.variable ? 1 : 0; }
  int GetVariableFieldIndex() const { return variable_field_index_; }
  const std::shared_ptr<const VariableFieldLayout>& GetVariableFieldLayout() const { return layout_; }
  // This sensor's variable-length field in frame_text, whose fields under
  // this sensor's layout `fields` found: its raw text, "^" escapes and all.
  // False when the frame does not have it.
  // Inline: a conversion asks for every value of every frame.
  bool FindVariableField(const instrument::VariableFieldIndex& fields, std::string_view frame_text,
                         std::string_view& field) const {
    std::size_t start = 0;
    std::size_t end = 0;
    if (variable_field_index_ < 0 || !fields.Find(static_cast<std::size_t>(variable_field_index_), start, end))
      return false;
    field = frame_text.substr(start, end - start);
    return true;
  }
  const CSensor* GetIntegrationTimeSensor() const { return def_.integration_time_sensor; }

  // The raw values of the last successful read of each kind.
  std::uint32_t GetLastUnsigned() const;
  std::int32_t GetLastSigned() const;
  double GetLastReal() const;
  std::string GetLastText() const;
  double GetIntegrationTime() const;

  bool IsUnsignedKind() const;
  bool IsSignedKind() const;
  bool IsRealKind() const;
  bool IsStringKind() const;
  // The raw value is a signed number: the signed kind, and HS, whose
  // sign-and-magnitude digits the unsigned reader returns as an image.
  bool HasSignedRawValue() const;
  bool HasValue() const;
  bool IsCountFit() const;
  bool IsCalibratedFit() const;
  bool IsOpticalFit() const;
  bool IsTimeFit() const;

 private:
  bool FixedFieldFits(const CFrameData& frame) const;
  unsigned FixedFieldBytes() const;
  const std::uint8_t* FixedFieldStart(const CFrameData& frame) const;
  // A field's text as a view: of the frame's own bytes where they stand as
  // they are, else of storage, which then holds the decoded text.
  int ReadVariableField(const CFrameData& frame, std::string& storage, std::string_view& field);
  int ReadFieldView(const CFrameData& frame, std::string& storage, std::string_view& text);
  int ReadFieldText(const CFrameData& frame, std::string& text);
  int ReadUnsignedField(const CFrameData& frame, std::uint32_t& value);
  int ReadSignedField(const CFrameData& frame, std::int32_t& value);
  int ReadRealField(const CFrameData& frame, double& value);
  void ReadOptic3IntegrationTime(const CFrameData& frame);

  double Coefficient(int gain_range, int index) const;
  double ImmersionCoefficient(int gain_range) const;
  int FitOptic1(double* value, int gain_range, double x);
  int FitUngained(double* value, double x);

  SensorDefinition def_;
  std::shared_ptr<const VariableFieldLayout> layout_ = std::make_shared<const VariableFieldLayout>();
  int variable_field_index_ = -1;
  std::atomic<unsigned> offset_{0};

  std::atomic<int> immersed_{0};
  std::atomic<std::uint32_t> last_unsigned_{0};
  std::atomic<std::int32_t> last_signed_{0};
  std::atomic<double> last_real_{0.0};
  // Guards the last text and the integration time.
  mutable std::recursive_mutex lock_;
  std::string last_text_;
  int integration_time_status_ = 0x20000009;
  double integration_time_ = 0.0;

  int last_coefficient_line_ = -1;
  std::vector<int> coefficient_lines_;
  std::vector<double> coefficients_;
};

#include "core/instrument/Instrument.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/ResultCodes.h"

namespace {

using namespace instrument;
using instrument_test::MakeFrame;
using instrument_test::TempFolder;

// Loads definition text written to a fresh file and keeps what is needed
// to compare the report byte for byte.
class InstrumentLoad : public ::testing::Test {
 protected:
  int Load(const std::string& text, const std::string& name = "test.cal") {
    path_ = folder_.Write(name, text);
    return instrument_.LoadInstrumentFile(path_);
  }

  // The report of a successful load, built from its documented layout.
  std::string Success(const std::string& kind, int lines, int sensors, int frame_size, const std::string& header,
                      int errors, const std::string& line_errors = "") const {
    std::string report = kind + " read successfully.\r\n";
    report += "\tFile name: \"" + path_ + "\"\r\n";
    report += "\tLines read: " + std::to_string(lines) + "\r\n";
    report += "\tNumber of sensors: " + std::to_string(sensors) + "\r\n";
    report += frame_size < 0 ? "\tFrame type: Variable\r\n" : "\tFrame type: Fixed\r\n";
    if (frame_size >= 0) report += "\tFrame size: " + std::to_string(frame_size) + " bytes\r\n";
    report += "\r\n\t" + header + " - " + std::to_string(errors) + " error(s)\r\n";
    if (!line_errors.empty()) report += "\r\n" + line_errors;
    return report;
  }

  static std::string LineError(int line, const std::string& message, const std::string& action) {
    return "\tLine " + std::to_string(line) + ": " + message + "\r\n\t\t> " + action + ".\r\n";
  }

  std::string Abort(const std::string& first_line, const std::string& reason, const std::string& kind = "Calibration File") const {
    return first_line + "\r\n\t" + kind + " Name: \"" + path_ + "\".\r\n" + reason;
  }

  TempFolder folder_;
  std::string path_;
  CInstrument instrument_;
};

constexpr const char* kHeaderLines = "INSTRUMENT RADX '' 4 AS 0 NONE\nSN 0123 '' 4 AS 0 COUNT\n";

TEST_F(InstrumentLoad, CommentsAndBlankLinesOnlyLoadWithNoSensors) {
  EXPECT_EQ(Load("# a comment\n\n   \t# indented comment\r\n"), 0);
  EXPECT_EQ(instrument_.GetLoadReport(), Success("Calibration File", 3, 0, 0, "", 0));
  EXPECT_EQ(instrument_.GetFrameSize(), 0u);
}

TEST_F(InstrumentLoad, HeaderAndSerialNumberLinesFormTheHeaderAndShiftTheFirstSensor) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "PRES NONE 'dbar' 2 BU 0 COUNT # depth\n"), 0);
  EXPECT_EQ(instrument_.GetHeader(), "RADX0123");
  EXPECT_EQ(instrument_.GetSerialNumber(), "0123");
  ASSERT_EQ(instrument_.GetSensorCount(), 1);
  const CSensor* pres = instrument_.GetSensor(0);
  EXPECT_EQ(pres->GetOffset(), 8u);
  EXPECT_EQ(pres->GetId(), "");
  EXPECT_EQ(pres->GetUnits(), "dbar");
  EXPECT_EQ(pres->GetHeader(), "RADX0123");
  EXPECT_EQ(pres->GetLineNumber(), 3);
  // A load without line errors ends with the header line, no blank line after it.
  EXPECT_EQ(instrument_.GetLoadReport(), Success("Calibration File", 3, 1, 10, "RADX0123", 0));
}

TEST_F(InstrumentLoad, InstrumentAndSerialLineFailuresAbortWithTheirReason) {
  struct Case {
    std::string text;
    int code;
    const char* first_line;
    const char* reason;
  };
  const Case cases[] = {
      {"INSTRUMENT RADX '' 5 AS 0 NONE\n", kLineBadFieldLength, "Invalid INSTRUMENT definition line found.",
       "\tThe field length parameter is invalid.\r\n"},
      {"instrument RADX '' 4 BU 0 NONE\n", kLineBadDataType, "Invalid INSTRUMENT definition line found.",
       "\tThe data type parameter is invalid.\r\n"},
      {"INSTRUMENT RADX '' 4 AS 1 NONE\n", kLineBadGainRanges, "Invalid INSTRUMENT definition line found.",
       "\tThe gain range parameter is invalid.\r\n"},
      {"INSTRUMENT RADX '' 4 AS 0 POLYU\n", kInstrumentBadHeaderFit, "Invalid INSTRUMENT definition line found.",
       "\tThe fit type parameter is invalid.\r\n"},
      {"INSTRUMENT RADX '' 4 AS 0 NONE\nSN 01 '' 2 AF 0 NONE\n", kLineBadDataType,
       "Invalid SN (Serial Number) definition line found.", "\tThe data type parameter is invalid.\r\n"},
      {"PRES NONE 'dbar' 2 BU 0 COUNT\n", kInstrumentLineNotFound, "INSTRUMENT definition line not found.", ""},
  };
  for (const Case& c : cases) {
    CInstrument fresh;
    path_ = folder_.Write("abort.cal", c.text);
    EXPECT_EQ(fresh.LoadInstrumentFile(path_), c.code) << c.text;
    EXPECT_EQ(fresh.GetLoadReport(),
              Abort(c.first_line, std::string(c.reason) + "\tInstrument processing aborted.\r\n"))
        << c.text;
  }
}

TEST_F(InstrumentLoad, SerialNumberMayBeAsciiIntegerAndZeroLengthLinesPrecedeInstrument) {
  ASSERT_EQ(Load("STAMP NONE '' 0 AS 0 NONE\nINSTRUMENT RADX '' 4 AS 0 NONE\nSN 12 '' 2 AI 0 NONE\n"
                 "T NONE 'C' 2 BU 0 COUNT\n"),
            0);
  EXPECT_EQ(instrument_.GetHeader(), "RADX12");
  ASSERT_EQ(instrument_.GetSensorCount(), 2);
  EXPECT_EQ(instrument_.GetSensor(0)->GetFitType(), kFitNone);  // zero-length field in a fixed frame
  EXPECT_EQ(instrument_.GetSensor(1)->GetOffset(), 6u);
}

TEST_F(InstrumentLoad, HeaderFollowedOnlyByZeroLengthLinesStillBecomesTheHeader) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "STAMP NONE '' 0 AS 0 NONE\n"), 0);
  EXPECT_EQ(instrument_.GetHeader(), "RADX0123");
  EXPECT_EQ(instrument_.GetSensor(0)->GetHeader(), "RADX0123");
  EXPECT_EQ(instrument_.GetLoadReport(), Success("Calibration File", 3, 1, 8, "RADX0123", 0));
}

TEST_F(InstrumentLoad, TokenCountErrorsAreIgnoredUntilTheTenthAborts) {
  std::string text = kHeaderLines;
  text += "T NONE 'C' 2 BU 0\n";                        // six tokens
  text += "T NONE 'C' 2 BU 0 COUNT extra words\n";      // nine: kept
  ASSERT_EQ(Load(text), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 1);
  EXPECT_EQ(instrument_.GetErrorCount(), 2);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 4, 1, 10, "RADX0123", 2,
                    LineError(3, "Unexpected sensor definition line format.", "Sensor ignored") +
                        LineError(4, "Unexpected sensor definition line format.",
                                  "Extra sensor definition line parameters ignored")));

  std::string nine_bad = kHeaderLines;
  for (int i = 0; i < 9; ++i) nine_bad += "bad line\n";
  CInstrument nine;
  EXPECT_EQ(nine.LoadInstrumentFile(folder_.Write("nine.cal", nine_bad)), 0);
  EXPECT_EQ(nine.GetErrorCount(), 9);

  CInstrument ten;
  path_ = folder_.Write("ten.cal", nine_bad + "T NONE 'C' 2 BU 0 COUNT extra\n");
  EXPECT_EQ(ten.LoadInstrumentFile(path_), kInstrumentTooManyBadLines);
  EXPECT_EQ(ten.GetLoadReport(),
            Abort("An error occured reading the Calibration File.",
                  "\tThe file format is invalid or corrupted.\r\n\tInstrument processing aborted.\r\n"));
}

TEST_F(InstrumentLoad, CorrectionsKeepTheSensorAndTheWrittenOffsets) {
  std::string text = kHeaderLines;
  text += "LU 412 'uW/cm^2/nm' 2 BF 1 OPTIC2\n";
  text += "100 0.5 1.2\n";
  text += "T NONE 'C' 2 BU 0 COUNT\n";
  text += "P NONE 'dbar' 6 BU 0 COUNT\n";
  text += "D NONE 'm' 8 BD 3 COUNT\n";
  text += "S NONE 'x' 2 AS 1 OPTIC2\n";
  text += "1 2 3\n";
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 5);
  EXPECT_EQ(instrument_.GetSensor(0)->GetFieldLength(), 4u);
  EXPECT_EQ(instrument_.GetSensor(1)->GetOffset(), 10u);  // advanced by the 2 written
  EXPECT_EQ(instrument_.GetSensor(2)->GetFieldLength(), 4u);
  EXPECT_EQ(instrument_.GetSensor(3)->GetGainRanges(), 0);
  EXPECT_EQ(instrument_.GetSensor(4)->GetDataType(), kDataAF);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 9, 5, 28, "RADX0123", 4,
                    LineError(3, "The field length parameter is invalid.", "Field length set to 4") +
                        LineError(6, "The field length parameter is invalid.", "Field length set to 4") +
                        LineError(7, "The gain range parameter is invalid.", "Gain ranges set to 0") +
                        LineError(8, "The data type parameter is invalid.", "Data type set to AF")));
}

TEST_F(InstrumentLoad, Optic1TakesAtMostFourCoefficientLines) {
  std::string text = kHeaderLines;
  text += "ES 412 'uW' 2 BU 6 OPTIC1\n";
  for (int i = 0; i < 6; ++i) text += "1 2 3\n";
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 1);
  EXPECT_EQ(instrument_.GetSensor(0)->GetGainRanges(), 4);
  EXPECT_EQ(instrument_.GetSensor(0)->GetLastCoefficientLine(), 3);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 9, 1, 10, "RADX0123", 3,
                    LineError(3, "The gain range parameter is invalid.", "Gain ranges set to 4") +
                        LineError(8, "Unexpected sensor definition line format.", "Sensor ignored") +
                        LineError(9, "Unexpected sensor definition line format.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, RejectedSensorLeavesItsCoefficientLineToTheDefinitionParser) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "T NONE 'C' 2 BU 1 NOSUCHFIT\n0.5 1\n"), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 0);
  EXPECT_EQ(instrument_.GetFrameSize(), 10u);  // the rejected field keeps its room
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 4, 0, 10, "RADX0123", 2,
                    LineError(3, "The fit type parameter is invalid.", "Sensor ignored") +
                        LineError(4, "Unexpected sensor definition line format.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, LineErrorsOfTheParameters) {
  std::string text = kHeaderLines;
  text += "A NONE 'C 2 BU 0 COUNT\n";       // units without closing quote: kept
  text += "B NONE 'C' V BU 0 COUNT\n";      // variable length in a fixed frame
  text += "C NONE 'C' 2x BU 0 COUNT\n";     // bad length
  text += "D NONE 'C' 2 XX 0 COUNT\n";      // bad data type: offset still advances
  text += "E NONE 'C' 2 BU -1 COUNT\n";     // gain ranges 4294967295
  text += "F NONE 'C' 2 AS 0 DELIMITER\n";  // delimiter in a fixed frame
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 1);
  EXPECT_EQ(instrument_.GetSensor(0)->GetUnits(), "");
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 8, 1, 16, "RADX0123", 6,
                    LineError(3, "The units parameter format is invalid.", "Sensor units ignored") +
                        LineError(4, "Variable field length parameter found in a fixed frame length format.",
                                  "Sensor ignored") +
                        LineError(5, "The field length parameter is invalid.", "Sensor ignored") +
                        LineError(6, "The data type parameter is invalid.", "Sensor ignored") +
                        LineError(7, "The gain range parameter is invalid.", "Sensor ignored") +
                        LineError(8, "Invalid use of the DELIMITER fit type.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, MissingCoefficientLinesAtEndOfFile) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "ES 412 'uW' 2 BU 2 OPTIC1\n1 2 3\n"), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 0);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 4, 0, 10, "RADX0123", 1,
                    LineError(4, "More gain ranges expected before the end of file.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, SensorDroppedForABadCoefficientLineStillCountsOffItsLines) {
  // The second coefficient line is only counted off, never read as a sensor
  // line; the third is missing, and the end of the file says so.
  ASSERT_EQ(Load(std::string(kHeaderLines) + "ES 412 'uW' 2 BU 3 OPTIC1\n1 2 x\n1 2 3 OPTIC1 x y\n"), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 0);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 5, 0, 10, "RADX0123", 3,
                    LineError(4, "Invalid gain coefficient found in gain range line.", "Gain coefficient ignored") +
                        LineError(4, "Unexpected number of gain coefficients found in gain range line.",
                                  "Sensor ignored") +
                        LineError(5, "More gain ranges expected before the end of file.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, CoefficientLinesAreTaggedWithTheirGainRange) {
  std::string text = kHeaderLines;
  text += "ES 412 'uW' 2 BU 2 OPTIC1\n";
  text += "1 2 3 4\n";
  text += "5 6 1e999 7\n";
  ASSERT_EQ(Load(text), 0);
  const CSensor* es = instrument_.GetSensor(0);
  ASSERT_NE(es, nullptr);
  double c = 0;
  EXPECT_TRUE(es->GetCoefficient(&c, 1, 2));
  EXPECT_EQ(c, 7.0);
  EXPECT_FALSE(es->GetCoefficient(&c, 0, 4));
  EXPECT_EQ(c, 0.0);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 5, 1, 10, "RADX0123", 2,
                    LineError(4, "Unexpected number of gain coefficients found in gain range line.",
                              "Extra gain coefficients ignored") +
                        LineError(5, "Invalid gain coefficient found in gain range line.", "Gain coefficient ignored")));
}

constexpr const char* kVariableHeader = "VLF_INSTRUMENT SATX '' 4 AS 0 NONE\nVLF_SN 0001 '' 4 AI 0 NONE\n";

TEST_F(InstrumentLoad, VariableFrameReadsItsFieldsByDelimiters) {
  std::string text = kVariableHeader;
  text += "FIELD NONE ',' 1 AS 0 DELIMITER\n";
  text += "TEMP NONE 'C' V AF 0 COUNT\n";
  text += "FIELD NONE '\\x2C' 1 AS 0 DELIMITER\n";
  text += "COND NONE 'S' v HS 0 COUNT\n";
  text += "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";
  ASSERT_EQ(Load(text, "sat.tdf"), 0);
  EXPECT_EQ(instrument_.GetLoadReport(), Success("Telemetry Definition File", 7, 2, -1, "SATX0001", 0));
  EXPECT_EQ(instrument_.GetFieldDelimiters(), ",,");
  EXPECT_EQ(instrument_.GetTerminator(), "\r\n");
  EXPECT_TRUE(instrument_.IsVariableFrame());

  CSensor* temp = instrument_.GetSensor(0);
  CSensor* cond = instrument_.GetSensor(1);
  EXPECT_EQ(cond->GetVariableFieldIndex(), 1);
  const CFrameData frame = MakeFrame("SATX0001,12.5,4003\r\n", "SATX0001", 0, "\r\n");
  double t = 0;
  std::uint32_t image = 0;
  EXPECT_EQ(temp->ExtractReal(&t, &frame), 0);
  EXPECT_EQ(t, 12.5);
  EXPECT_EQ(cond->ExtractUnsigned(&image, &frame), 0);
  double fitted = 0;
  EXPECT_EQ(cond->ApplyFit(&fitted, image), 0);
  EXPECT_EQ(fitted, -3.0);
}

TEST_F(InstrumentLoad, VariableFrameLineErrors) {
  std::string text = kVariableHeader;
  text += "FIELD NONE '' 0 AS 0 DELIMITER\n";            // 3: empty FIELD text becomes a comma
  text += "A NONE 'C' V BU 0 COUNT\n";                   // 4: binary in a variable field
  text += "B NONE 'C' V AI 0 COUNT\n";                   // 5: no FIELD pending, variable: kept
  text += "C NONE 'C' 2 AI 0 COUNT\n";                   // 6: sized, no FIELD pending
  text += "FIELD NONE ',' 2 AS 0 DELIMITER\n";           // 7: length differs from the text
  text += "D NONE 'C' 2 AI 0 COUNT\n";                   // 8: sized while a FIELD is pending
  text += "E NONE 'C' V AS 0 DELIMITER\n";               // 9: delimiter in place of the field
  text += "OTHER NONE ';' 1 AS 0 DELIMITER\n";           // 10: sized while a FIELD is pending
  text += "G NONE 'C' V AI 0 COUNT\n";                   // 11: takes the pending FIELD
  text += "TERMINATOR NONE '\\x0D' 2 AS 0 DELIMITER\n";  // 12: length differs
  text += "F NONE 'C' V AI 0 COUNT\n";                   // 13: after the terminator
  ASSERT_EQ(Load(text, "v.tdf"), 0);
  EXPECT_EQ(instrument_.GetTerminator(), "\r\n");
  EXPECT_EQ(instrument_.GetFieldDelimiters(), ",,");
  ASSERT_EQ(instrument_.GetSensorCount(), 3);
  EXPECT_EQ(instrument_.GetSensor(0)->GetDataType(), kDataAS);
  EXPECT_EQ(instrument_.GetSensor(2)->GetVariableFieldIndex(), 2);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Telemetry Definition File", 13, 3, -1, "SATX0001", 9,
                    LineError(3, "The FIELD delimiter field length is invalid.", "FIELD delimiter set to \",\"") +
                        LineError(4, "The data type parameter is invalid.", "Data type set to AS") +
                        LineError(6, "Invalid DELIMITER definition line.", "Sensor ignored") +
                        LineError(7, "The field length parameter is invalid.", "Field length set to actual length") +
                        LineError(8, "The field length parameter does not specify a variable length field.",
                                  "Sensor ignored") +
                        LineError(9, "Invalid use of the DELIMITER fit type.", "Sensor ignored") +
                        LineError(10, "The field length parameter does not specify a variable length field.",
                                  "Sensor ignored") +
                        LineError(12, "The TERMINATOR delimiter field length is invalid.",
                                  "TERMINATOR delimiter set to \"\\x0D\\x0A\"") +
                        LineError(13, "Cannot have sensors defined after the TERMINATOR delimiter.",
                                  "Sensor ignored")));
}

TEST_F(InstrumentLoad, VariableOptic1FieldBecomesAnAsciiIntegerNotBinary) {
  // A binary type could never be cut out of a variable frame's text, so a
  // variable OPTIC1 field of another type is read as an ASCII integer.
  std::string text = kVariableHeader;
  text += "FIELD NONE ',' 1 AS 0 DELIMITER\n";
  text += "ES 412 'uW' V AF 1 OPTIC1\n";
  text += "100 0.5 1.2\n";
  text += "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";
  ASSERT_EQ(Load(text, "v.tdf"), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 1);
  CSensor* es = instrument_.GetSensor(0);
  EXPECT_EQ(es->GetDataType(), kDataAI);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Telemetry Definition File", 6, 1, -1, "SATX0001", 1,
                    LineError(4, "The data type parameter is invalid.", "Data type set to AI")));
  const CFrameData frame = MakeFrame("SATX0001,300\r\n", "SATX0001", 0, "\r\n");
  std::int32_t raw = 0;
  ASSERT_EQ(es->ExtractSigned(&raw, &frame), 0);
  double value = 0;
  EXPECT_EQ(es->ApplyFit(&value, raw), 0);
  EXPECT_EQ(value, 100.0);
}

TEST_F(InstrumentLoad, VariableFrameWithoutTerminatorFails) {
  std::string text = kVariableHeader;
  text += "FIELD NONE ',' 1 AS 0 DELIMITER\nTEMP NONE 'C' V AF 0 COUNT\n";
  EXPECT_EQ(Load(text, "v.tdf"), kInstrumentNoTerminator);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Abort("An error occured reading the Telemetry Definition File.",
                  "\tThe TERMINATOR delimiter could not be found.\r\n\tInstrument processing aborted.\r\n",
                  "Telemetry Definition File"));
}

TEST_F(InstrumentLoad, Optic3NeedsAnIntegrationTimeSensorDefinedBeforeIt) {
  std::string text = kHeaderLines;
  text += "LU 412 'uW' 2 BU 1 OPTIC3\n1 2 3 4\n";             // none yet: ignored, line 4 then bad
  text += "INTTIME LU 'SEC' 2 BU 1 POLYU\n0 0.001\n";
  text += "INTTIME LU 'sec' 2 BU 1 POLYU\n0 0.002\n";         // not the first: never chosen
  text += "lu 412 'uW' 2 BU 1 OPTIC3\n1 2 3 4\n";
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 3);
  EXPECT_EQ(instrument_.GetSensor(2)->GetIntegrationTimeSensor(), instrument_.GetSensor(0));
  EXPECT_EQ(instrument_.GetSensor(2)->GetOffset(), 14u);
  EXPECT_EQ(instrument_.GetLoadReport(),
            Success("Calibration File", 10, 3, 16, "RADX0123", 2,
                    LineError(3, "No valid integration time sensor was found.", "Sensor ignored") +
                        LineError(4, "Unexpected sensor definition line format.", "Sensor ignored")));
}

TEST_F(InstrumentLoad, FindSensorAndGetSensor) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "T A 'C' 1 BU 0 COUNT\nP NONE 'd' 1 BU 0 COUNT\nt B 'C' 1 BU 0 COUNT\n"),
            0);
  EXPECT_EQ(instrument_.FindSensor("T", -1), 0);
  EXPECT_EQ(instrument_.FindSensor("t", 0), 2);
  EXPECT_EQ(instrument_.FindSensor("T", 2), -1);
  EXPECT_EQ(instrument_.FindSensor("X", -1), -1);
  EXPECT_EQ(instrument_.FindSensor("T", -7), 0);
  EXPECT_EQ(instrument_.FindSensor("T", 2147483647), -1);
  EXPECT_EQ(instrument_.GetSensor(3), nullptr);
  EXPECT_EQ(instrument_.GetLoadReport(), "Cannot access instrument sensors.\r\n\tThe sensor reference is invalid.\r\n");
}

TEST_F(InstrumentLoad, ReloadEmptyNameAndOpenFailures) {
  ASSERT_EQ(Load(kHeaderLines), 0);
  EXPECT_EQ(instrument_.LoadInstrumentFile(path_), kInstrumentAlreadyLoaded);
  EXPECT_EQ(instrument_.GetLoadReport(),
            "Unable to reload instrument.\r\n\tThe instrument has already been defined.\r\n"
            "\tInstrument processing aborted.\r\n");

  CInstrument unnamed;
  EXPECT_EQ(unnamed.LoadInstrumentFile(""), kInstrumentNoFileName);
  EXPECT_EQ(unnamed.GetLoadReport(),
            "Unable to load instrument.\r\n\tThe Calibration or Telemetry Definition File was not specified.\r\n"
            "\tInstrument processing aborted.\r\n");

  CInstrument missing;
  path_ = folder_.Path("missing.CAL");
  EXPECT_EQ(missing.LoadInstrumentFile(path_), kInstrumentOpenFailed);
  EXPECT_EQ(missing.GetFileErrorCause(), 2);
  EXPECT_EQ(missing.GetLoadReport(), Abort("An error occured opening the Calibration File.",
                                           "\tThe file could not be found.\r\n\tInstrument processing aborted.\r\n"));
  EXPECT_EQ(missing.GetFileName(), "");

  CInstrument folder;
  path_ = folder_.Path("");
  EXPECT_EQ(folder.LoadInstrumentFile(path_), kInstrumentOpenFailed);
  EXPECT_EQ(folder.GetLoadReport(),
            Abort("An error occured opening the Instrument File.",
                  "\tThe file could not be accessed.\r\n\tInstrument processing aborted.\r\n", "Instrument File"));
}

TEST_F(InstrumentLoad, ReadErrorReportsTheFileErrorText) {
  // Reading this process's memory from address 0 fails with an I/O error.
  CInstrument unreadable;
  path_ = "/proc/self/mem";
  const int result = unreadable.LoadInstrumentFile(path_);
  if (result == kInstrumentOpenFailed) GTEST_SKIP() << "cannot open " << path_;
  EXPECT_EQ(result, kInstrumentReadFailed);
  EXPECT_EQ(unreadable.GetLoadReport(),
            Abort("An error occured reading the Instrument File.",
                  "\tThere was a hardware error.\r\n\tInstrument processing aborted.\r\n", "Instrument File"));
}

TEST_F(InstrumentLoad, FileKindComesFromTheLastThreeCharacters) {
  EXPECT_EQ(Load("", "a.TDF"), 0);
  EXPECT_EQ(instrument_.GetFileType(), "Telemetry Definition File");
  CInstrument other;
  EXPECT_EQ(other.LoadInstrumentFile(folder_.Write("a.txt", "")), 0);
  EXPECT_EQ(other.GetFileType(), "Instrument File");
}

}  // namespace

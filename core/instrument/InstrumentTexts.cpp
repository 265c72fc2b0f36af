#include "core/instrument/InstrumentTexts.h"

#include "core/instrument/ResultCodes.h"

namespace instrument {

const char* LineErrorText(int code) {
  switch (code) {
    case kResultOk: return "No error.\r\n";
    case kLineBadFormat: return "Unexpected sensor definition line format.\r\n";
    case kLineBadUnits: return "The units parameter format is invalid.\r\n";
    case kLineBadFitType: return "The fit type parameter is invalid.\r\n";
    case kLineMissingGainRanges: return "More gain ranges expected before the end of file.\r\n";
    case kLineBadCoefficient: return "Invalid gain coefficient found in gain range line.\r\n";
    case kLineCoefficientCount: return "Unexpected number of gain coefficients found in gain range line.\r\n";
    case kLineBadFieldLength: return "The field length parameter is invalid.\r\n";
    case kLineBadDataType: return "The data type parameter is invalid.\r\n";
    case kLineBadGainRanges: return "The gain range parameter is invalid.\r\n";
    case kLineVariableInFixedFrame:
      return "Variable field length parameter found in a fixed frame length format.\r\n";
    case kLineAfterTerminator: return "Cannot have sensors defined after the TERMINATOR delimiter.\r\n";
    case kLineBadDelimiterLine: return "Invalid DELIMITER definition line.\r\n";
    case kLineNotVariableField: return "The field length parameter does not specify a variable length field.\r\n";
    case kLineBadFieldDelimiterLength: return "The FIELD delimiter field length is invalid.\r\n";
    case kLineBadTerminatorLength: return "The TERMINATOR delimiter field length is invalid.\r\n";
    case kLineMisusedDelimiterFit: return "Invalid use of the DELIMITER fit type.\r\n";
    case kLineNoIntegrationTimeSensor: return "No valid integration time sensor was found.\r\n";
    default: return "Unknown error.\r\n";
  }
}

const char* ActionText(int code) {
  switch (code) {
    case kActionNone: return "\t\t> No action taken.\r\n";
    case kActionSensorIgnored: return "\t\t> Sensor ignored.\r\n";
    case kActionUnitsIgnored: return "\t\t> Sensor units ignored.\r\n";
    case kActionExtraParametersIgnored: return "\t\t> Extra sensor definition line parameters ignored.\r\n";
    case kActionCoefficientIgnored: return "\t\t> Gain coefficient ignored.\r\n";
    case kActionExtraCoefficientsIgnored: return "\t\t> Extra gain coefficients ignored.\r\n";
    case kActionFitSetToNone: return "\t\t> Fit type set to NONE.\r\n";
    case kActionDataTypeSetToBU: return "\t\t> Data type set to BU.\r\n";
    case kActionDataTypeSetToAF: return "\t\t> Data type set to AF.\r\n";
    case kActionDataTypeSetToAS: return "\t\t> Data type set to AS.\r\n";
    case kActionDataTypeSetToAI: return "\t\t> Data type set to AI.\r\n";
    case kActionDataTypeSetToAU: return "\t\t> Data type set to AU.\r\n";
    case kActionGainRangesSetTo0: return "\t\t> Gain ranges set to 0.\r\n";
    case kActionGainRangesSetTo1: return "\t\t> Gain ranges set to 1.\r\n";
    case kActionGainRangesSetTo4: return "\t\t> Gain ranges set to 4.\r\n";
    case kActionFieldLengthSetTo1: return "\t\t> Field length set to 1.\r\n";
    case kActionFieldLengthSetTo4: return "\t\t> Field length set to 4.\r\n";
    case kActionFieldLengthSetTo8: return "\t\t> Field length set to 8.\r\n";
    case kActionFieldLengthSetToV: return "\t\t> Field length set to V (variable).\r\n";
    case kActionFieldLengthSetToActual: return "\t\t> Field length set to actual length.\r\n";
    case kActionFieldDelimiterSetToComma: return "\t\t> FIELD delimiter set to \",\".\r\n";
    case kActionTerminatorSetToCrLf: return "\t\t> TERMINATOR delimiter set to \"\\x0D\\x0A\".\r\n";
    default: return "\t\t> Unknown action.\r\n";
  }
}

const char* AbortText(int code) {
  switch (code) {
    case kInstrumentNoFileName:
      return "\tThe Calibration or Telemetry Definition File was not specified.\r\n\tInstrument processing aborted.\r\n";
    case kInstrumentAlreadyLoaded:
      return "\tThe instrument has already been defined.\r\n\tInstrument processing aborted.\r\n";
    case kInstrumentOpenFailed:
    case kInstrumentReadFailed:
      return "";
    case kInstrumentTooManyBadLines:
      return "\tThe file format is invalid or corrupted.\r\n\tInstrument processing aborted.\r\n";
    case kInstrumentLineNotFound:
      return "\tInstrument processing aborted.\r\n";
    case kInstrumentNoTerminator:
      return "\tThe TERMINATOR delimiter could not be found.\r\n\tInstrument processing aborted.\r\n";
    case kInstrumentBadHeaderFit:
      return "\tThe fit type parameter is invalid.\r\n\tInstrument processing aborted.\r\n";
    case kLineBadFieldLength:
      return "\tThe field length parameter is invalid.\r\n\tInstrument processing aborted.\r\n";
    case kLineBadDataType:
      return "\tThe data type parameter is invalid.\r\n\tInstrument processing aborted.\r\n";
    case kLineBadGainRanges:
      return "\tThe gain range parameter is invalid.\r\n\tInstrument processing aborted.\r\n";
    case kInstrumentLoadStopped:
      return "\tThe load was stopped.\r\n\tInstrument processing aborted.\r\n";
    case kSensorIndexInvalid:
      return "\tThe sensor reference is invalid.\r\n";
    case kSensorNotFound:
      return "\tThe sensor could not be found.\r\n";
    case kResultOk:
      return "\tNo error.\r\n";
    default:
      return "\tUnknown error.\r\n";
  }
}

}  // namespace instrument

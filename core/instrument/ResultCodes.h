// The result codes of value extraction and fits (0x2000xxxx) and of
// instrument definition files (0x3000xxxx). Both families travel as plain
// ints so that callers can pass them on to the telemetry result texts.
#pragma once

namespace instrument {

inline constexpr int kResultOk = 0;

// Value extraction and fits.
inline constexpr int kValueWrongDataType = 0x20000001;
inline constexpr int kValueFieldPastFrame = 0x20000002;
inline constexpr int kValueGainRangeMissing = 0x20000003;
inline constexpr int kValueNone = 0x20000004;
inline constexpr int kValueNoFrame = 0x20000005;
inline constexpr int kValueNotANumber = 0x20000006;
inline constexpr int kValueNotFinite = 0x20000007;
inline constexpr int kValueFieldNotFound = 0x20000008;
inline constexpr int kValueNoIntegrationTime = 0x20000009;

// Instrument file aborts and status.
inline constexpr int kInstrumentNoFileName = 0x30000000;
inline constexpr int kInstrumentAlreadyLoaded = 0x30000001;
inline constexpr int kInstrumentOpenFailed = 0x30000002;
inline constexpr int kInstrumentReadFailed = 0x30000003;
inline constexpr int kInstrumentTooManyBadLines = 0x30000004;
inline constexpr int kInstrumentLineNotFound = 0x30000005;
inline constexpr int kInstrumentNoTerminator = 0x30000006;
inline constexpr int kInstrumentBadHeaderFit = 0x30000007;
// A file that is no definition file at all (empty, not a regular file, a
// line or the file beyond sane sizes) is refused like a corrupted one.
inline constexpr int kInstrumentInvalidFile = kInstrumentTooManyBadLines;

// Line errors (some also abort an INSTRUMENT or SN line).
inline constexpr int kLineBadFormat = 0x30000008;
inline constexpr int kLineBadUnits = 0x30000009;
inline constexpr int kLineBadFitType = 0x3000000a;
inline constexpr int kLineMissingGainRanges = 0x3000000b;
inline constexpr int kLineBadCoefficient = 0x3000000c;
inline constexpr int kLineCoefficientCount = 0x3000000d;
inline constexpr int kLineBadFieldLength = 0x3000000e;
inline constexpr int kLineBadDataType = 0x3000000f;
inline constexpr int kLineBadGainRanges = 0x30000010;
inline constexpr int kSensorIndexInvalid = 0x30000011;
inline constexpr int kSensorNotFound = 0x30000012;
inline constexpr int kLineVariableInFixedFrame = 0x30000013;
inline constexpr int kLineAfterTerminator = 0x30000014;
inline constexpr int kLineBadDelimiterLine = 0x30000015;
inline constexpr int kLineNotVariableField = 0x30000016;
inline constexpr int kLineBadFieldDelimiterLength = 0x30000017;
inline constexpr int kLineBadTerminatorLength = 0x30000018;
inline constexpr int kLineMisusedDelimiterFit = 0x30000019;
inline constexpr int kLineNoIntegrationTimeSensor = 0x3000001a;

// Actions that follow a line error.
inline constexpr int kActionNone = 0;
inline constexpr int kActionSensorIgnored = 0x30000020;
inline constexpr int kActionUnitsIgnored = 0x30000021;
inline constexpr int kActionExtraParametersIgnored = 0x30000022;
inline constexpr int kActionCoefficientIgnored = 0x30000023;
inline constexpr int kActionExtraCoefficientsIgnored = 0x30000024;
inline constexpr int kActionFitSetToNone = 0x30000025;
inline constexpr int kActionDataTypeSetToBU = 0x30000026;
inline constexpr int kActionDataTypeSetToAF = 0x30000027;
inline constexpr int kActionDataTypeSetToAS = 0x30000028;
inline constexpr int kActionDataTypeSetToAI = 0x30000029;
inline constexpr int kActionDataTypeSetToAU = 0x3000002a;
inline constexpr int kActionGainRangesSetTo0 = 0x3000002b;
inline constexpr int kActionGainRangesSetTo1 = 0x3000002c;
inline constexpr int kActionGainRangesSetTo4 = 0x3000002d;
inline constexpr int kActionFieldLengthSetTo1 = 0x3000002e;
inline constexpr int kActionFieldLengthSetTo4 = 0x3000002f;
inline constexpr int kActionFieldLengthSetTo8 = 0x30000030;
inline constexpr int kActionFieldLengthSetToV = 0x30000031;
inline constexpr int kActionFieldLengthSetToActual = 0x30000032;
inline constexpr int kActionFieldDelimiterSetToComma = 0x30000033;
inline constexpr int kActionTerminatorSetToCrLf = 0x30000034;

inline constexpr int kInstrumentLoaded = 0x30000040;
// Internal: the INSTRUMENT/SN rules left the line to the ordinary sensor path.
inline constexpr int kInstrumentLineNotConsumed = 0x30000041;
// The load was stopped by its caller (a signal during an unattended run).
inline constexpr int kInstrumentLoadStopped = 0x30000042;

}  // namespace instrument

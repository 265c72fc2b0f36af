// The result codes of the telemetry side: 0 for success, 0x1000xxxx for the
// communications resources, 0x4000xxxx for the telemetry control, and
// 0x50000000 for a document without a control. The low digits count in
// decimal style (0x10000009 is followed by 0x10000010), as stored logs and
// callers know them, so the gaps are not mistakes. The reason text of each
// code comes from TelemetryReason.h.
#pragma once

#include <cstdint>

namespace telemetry {

inline constexpr std::uint32_t kResultOk = 0;

// Serial reader failures; the reason names the error the reader stored.
inline constexpr std::uint32_t kResReadError = 0x10000001;
inline constexpr std::uint32_t kResStatusEventError = 0x10000002;
inline constexpr std::uint32_t kResOverlappedReadError = 0x10000003;
inline constexpr std::uint32_t kResOverlappedStatusError = 0x10000004;
inline constexpr std::uint32_t kResReadInitError = 0x10000005;
inline constexpr std::uint32_t kResBufferInitError = 0x10000006;
inline constexpr std::uint32_t kResCommStatusError = 0x10000007;
// Reported by no message at all.
inline constexpr std::uint32_t kResPortOpenFailed = 0x10000008;
// Port set-up failures; the reason names the error of the failed call.
inline constexpr std::uint32_t kResGetTimeoutsFailed = 0x10000009;
inline constexpr std::uint32_t kResSetTimeoutsFailed = 0x10000010;
inline constexpr std::uint32_t kResGetStateFailed = 0x10000011;
inline constexpr std::uint32_t kResSetStateFailed = 0x10000012;
inline constexpr std::uint32_t kResSetupFailed = 0x10000013;
inline constexpr std::uint32_t kResSetMaskFailed = 0x10000014;
// Reported by no message at all.
inline constexpr std::uint32_t kResReaderNotStarted = 0x10000015;
// Restoring time-outs or purging failed.
inline constexpr std::uint32_t kResResetFailed = 0x10000016;
// Instrument and resource state.
inline constexpr std::uint32_t kResNotAttached = 0x10000017;
inline constexpr std::uint32_t kResAlreadyAttached = 0x10000018;
inline constexpr std::uint32_t kResNotInitialized = 0x10000019;
// Its message goes out with code 0, so it has no reason text.
inline constexpr std::uint32_t kResWrongKind = 0x10000020;
inline constexpr std::uint32_t kResNotConnected = 0x10000021;
inline constexpr std::uint32_t kResStillConnected = 0x10000022;
inline constexpr std::uint32_t kResInvalidFile = 0x10000023;
inline constexpr std::uint32_t kResInvalidPort = 0x10000024;
// A warning: the serial initialisation still succeeds.
inline constexpr std::uint32_t kResNoGlobalSync = 0x10000025;
inline constexpr std::uint32_t kResAbortPending = 0x10000026;
// The reason is the text of the resource's stored file error cause.
inline constexpr std::uint32_t kResFileError = 0x10000027;
inline constexpr std::uint32_t kResFileNotOpen = 0x10000028;
inline constexpr std::uint32_t kResExclusiveAttached = 0x10000029;
inline constexpr std::uint32_t kResExclusiveRefused = 0x10000030;
inline constexpr std::uint32_t kResBsiSyncInvalid = 0x10000031;

// The telemetry control.
inline constexpr std::uint32_t kCtlResourceNotFound = 0x40000001;
inline constexpr std::uint32_t kCtlResourceDefined = 0x40000002;
inline constexpr std::uint32_t kCtlResourceInvalid = 0x40000003;
inline constexpr std::uint32_t kCtlInstrumentNotFound = 0x40000004;
inline constexpr std::uint32_t kCtlInstrumentDefined = 0x40000005;
inline constexpr std::uint32_t kCtlInstrumentInvalid = 0x40000006;
inline constexpr std::uint32_t kCtlNotFile = 0x40000007;
inline constexpr std::uint32_t kCtlNotSerial = 0x40000008;
// Results only, with no reason text: the instrument loaded with errors (the
// loader's own result too), and a removed resource still pending.
inline constexpr std::uint32_t kCtlLoadedWithErrors = 0x40000009;
inline constexpr std::uint32_t kCtlRemovalPending = 0x4000000A;

// Every operation of a telemetry document that has no control.
inline constexpr std::uint32_t kNoControl = 0x50000000;

}  // namespace telemetry

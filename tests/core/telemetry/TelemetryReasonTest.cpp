#include "core/telemetry/TelemetryReason.h"

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "core/telemetry/TelemetryCodes.h"

namespace {

using namespace telemetry;

const std::string kNoEntry = "No such file or directory\r\n";
const std::string kDenied = "Permission denied\r\n";
const std::string kFailed = "\tConnection failed.\r\n";

struct ResourceCase {
  std::uint32_t code;
  bool connecting;
  std::string reason;
};

// Stored error ENOENT, current error EACCES, file cause 2 throughout, so
// each row shows which of them its code reads.
TEST(ResourceReasonTextTest, EachCodeAppendsItsReasonAndUnknownCodesNothing) {
  const ResourceCase cases[] = {
      {kResReadError, false, "\tRead error: " + kNoEntry},
      {kResReadError, true, "\tRead error: " + kNoEntry + kFailed},
      {kResStatusEventError, false, "\tStatus event error: " + kNoEntry},
      {kResOverlappedReadError, true, "\tOverlapped read error: " + kNoEntry + kFailed},
      {kResOverlappedStatusError, false, "\tOverlapped status event error: " + kNoEntry},
      {kResReadInitError, false, "\tOverlapped read initialization error: " + kNoEntry},
      {kResBufferInitError, false, "\tRead buffer initialization error: " + kNoEntry},
      {kResCommStatusError, true, "\tCommunications status error: " + kNoEntry + kFailed},
      {kResGetTimeoutsFailed, false, "\t" + kDenied + kFailed},
      {kResSetTimeoutsFailed, true, "\t" + kDenied + kFailed},
      {kResGetStateFailed, false, "\t" + kDenied + kFailed},
      {kResSetStateFailed, false, "\t" + kDenied + kFailed},
      {kResSetupFailed, false, "\t" + kDenied + kFailed},
      {kResSetupFailed, true, "\t" + kDenied + kFailed},
      {kResSetMaskFailed, false, "\t" + kDenied + kFailed},
      {kResResetFailed, true, "\t" + kDenied},
      {kResNotAttached, false, "\tThe instrument has not been attached or defined.\r\n"},
      {kResAlreadyAttached, false, "\tThe instrument has already been attached.\r\n"},
      {kResNotInitialized, false, "\tThe communications resource has not been initialized.\r\n"},
      {kResNotConnected, false, "\tThe serial port has not been connected.\r\n"},
      {kResStillConnected, false, "\tThe serial port is still connected.\r\n"},
      {kResInvalidFile, false, "\tInvalid file resource.\r\n"},
      {kResInvalidPort, false, "\tInvalid serial port identification.\r\n"},
      {kResNoGlobalSync, false, "\tGlobal synchronization has been deactivated.\r\n"},
      {kResAbortPending, false, "\tThe telemetry abort code has not been reset.\r\n"},
      {kResFileError, true, "\tThe file could not be found.\r\n"},
      {kResFileNotOpen, false, "\tThe file resource is not open.\r\n"},
      {kResExclusiveAttached, false,
       "\tThere is already an instrument attached to this\r\n"
       "\tresource with no frame synchronization string defined.\r\n"
       "\tOnly one of these instruments can be attached to the resource.\r\n"},
      {kResExclusiveRefused, false,
       "\tThe instrument specifies that no frame synchronization\r\n"
       "\tstring will be found in the telemetry.\r\n"
       "\tOnly one of these instruments can be attached to the resource.\r\n"},
      {kResBsiSyncInvalid, false,
       "\tA BSI instrument must be specified with multiples of \r\n"
       "\ttwo-byte data synchronization arrays, using the SPECIAL \r\n"
       "\tsensor definition line.\r\n"},
      // No reason: success, the silent codes, the gaps of the decimal-style
      // numbering, other families and codes past the table.
      {kResultOk, true, ""},
      {kResPortOpenFailed, true, ""},
      {kResReaderNotStarted, true, ""},
      {kResWrongKind, false, ""},
      {0x1000000A, true, ""},
      {0x1000000F, true, ""},
      {0x10000000, true, ""},
      {0x10000032, false, ""},
      {kCtlResourceNotFound, false, ""},
      {kNoControl, false, ""},
      {0xFFFFFFFF, false, ""},
  };
  for (const ResourceCase& c : cases)
    EXPECT_EQ(ResourceReasonText(c.code, ENOENT, c.connecting, 2, EACCES), c.reason)
        << std::hex << c.code << (c.connecting ? " connecting" : "");
}

TEST(ResourceReasonTextTest, CurrentErrorDefaultsToErrnoWhereTheCallerStands) {
  errno = EACCES;
  EXPECT_EQ(ResourceReasonText(kResSetStateFailed, ENOENT, false, 0), "\t" + kDenied + kFailed);
}

TEST(ResourceReasonTextTest, FileErrorReasonFollowsTheStoredCause) {
  EXPECT_EQ(ResourceReasonText(kResFileError, 0, false, 12, 0),
            "\tThere was an attempt to lock a region that was already locked.\r\n");
  EXPECT_EQ(ResourceReasonText(kResFileError, 0, false, 99, 0), "\tAn unknown file error occured.\r\n");
}

TEST(ControlReasonTextTest, EachCodeAppendsItsReasonAndUnknownCodesNothing) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {kCtlResourceNotFound, "\tThe communications resource could not be found.\r\n"},
      {kCtlResourceDefined, "\tThe communications resource has already been defined.\r\n"},
      {kCtlResourceInvalid, "\tThe communications resource reference is invalid.\r\n"},
      {kCtlInstrumentNotFound, "\tThe instrument could not be found.\r\n"},
      {kCtlInstrumentDefined, "\tThe instrument has already been defined.\r\n"},
      {kCtlInstrumentInvalid, "\tThe instrument reference is invalid.\r\n"},
      {kCtlNotFile, "\tThe specified communications resource is not a file.\r\n"},
      {kCtlNotSerial, "\tThe specified communications resource is not a serial port.\r\n"},
      {kCtlLoadedWithErrors, ""},
      {kCtlRemovalPending, ""},
      {kResultOk, ""},
      {0x4000000B, ""},
      {0x40000010, ""},
      {kResNotAttached, ""},
      {kNoControl, ""},
  };
  for (const auto& [code, reason] : cases) EXPECT_EQ(ControlReasonText(code), reason) << std::hex << code;
}

TEST(TelemetryFileErrorTextTest, EveryCauseHasItsSentenceWithALineEnd) {
  const std::pair<int, std::string> cases[] = {
      {0, "No error occurred.\r\n"},
      {1, "An unspecified error occurred.\r\n"},
      {2, "The file could not be found.\r\n"},
      {3, "All or part of the path is invalid.\r\n"},
      {4, "The permitted number of open files was exceeded.\r\n"},
      {5, "The file could not be accessed.\r\n"},
      {6, "There was an attempt to use an invalid file handle.\r\n"},
      {7, "The current working directory cannot be removed.\r\n"},
      {8, "There are no more directory entries.\r\n"},
      {9, "There was an error trying to set the file pointer.\r\n"},
      {10, "There was a hardware error.\r\n"},
      {11, "SHARE.EXE was not loaded, or a shared region was locked.\r\n"},
      {12, "There was an attempt to lock a region that was already locked.\r\n"},
      {13, "The disk is full.\r\n"},
      {14, "The end of file was reached.\r\n"},
      {15, "An unknown file error occured.\r\n"},
      {-1, "An unknown file error occured.\r\n"},
      {1000, "An unknown file error occured.\r\n"},
  };
  for (const auto& [cause, text] : cases) EXPECT_EQ(GetFileErrorText(cause), text) << cause;
}

TEST(TelemetrySystemMessageTest, GivesThePlatformTextWithALineEnd) {
  EXPECT_EQ(FormatSystemMessage(ENOENT), kNoEntry);
  EXPECT_EQ(FormatSystemMessage(EIO), "Input/output error\r\n");
  EXPECT_EQ(FormatSystemMessage(99999), "Unknown error 99999\r\n");
}

}  // namespace

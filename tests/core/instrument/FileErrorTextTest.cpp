#include "core/instrument/FileErrorText.h"

#include <gtest/gtest.h>

namespace {

using instrument::FileErrorText;
using instrument::InstrumentFileErrorText;

TEST(FileErrorText, EveryCauseHasItsText) {
  const char* expected[] = {
      "No error occurred.",
      "An unspecified error occurred.",
      "The file could not be found.",
      "All or part of the path is invalid.",
      "The permitted number of open files was exceeded.",
      "The file could not be accessed.",
      "There was an attempt to use an invalid file handle.",
      "The current working directory cannot be removed.",
      "There are no more directory entries.",
      "There was an error trying to set the file pointer.",
      "There was a hardware error.",
      "A sharing violation occured, or a shared region was locked.",
      "There was an attempt to lock a region that was already locked.",
      "The disk is full.",
      "The end of file was reached.",
  };
  for (int cause = 0; cause < 15; ++cause) EXPECT_STREQ(FileErrorText(cause), expected[cause]) << cause;
  EXPECT_STREQ(FileErrorText(15), "An unknown file error orrured.");
  EXPECT_STREQ(FileErrorText(-1), "An unknown file error orrured.");
}

TEST(FileErrorText, TheInstrumentReportFormEndsInCrLfAndKeepsItsOwnSharingText) {
  EXPECT_EQ(InstrumentFileErrorText(2), "The file could not be found.\r\n");
  EXPECT_EQ(InstrumentFileErrorText(11), "SHARE.EXE was not loaded, or a shared region was locked.\r\n");
  EXPECT_EQ(InstrumentFileErrorText(12), "There was an attempt to lock a region that was already locked.\r\n");
  EXPECT_EQ(InstrumentFileErrorText(99), "An unknown file error orrured.\r\n");
}

}  // namespace

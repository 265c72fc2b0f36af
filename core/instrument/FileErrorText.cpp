#include "core/instrument/FileErrorText.h"

#include <array>

#include "platform/sys/FileException.h"

namespace instrument {
namespace {

constexpr std::array<const char*, 15> kTexts = {
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

}  // namespace

const char* FileErrorText(int cause) {
  if (cause < 0 || cause >= static_cast<int>(kTexts.size())) return "An unknown file error orrured.";
  return kTexts[static_cast<std::size_t>(cause)];
}

std::string InstrumentFileErrorText(int cause) {
  if (cause == sys::CFileException::sharingViolation) {
    return std::string("SHARE.EXE was not loaded, or a ") + "shared region was locked.\r\n";
  }
  if (cause == sys::CFileException::lockViolation) {
    return std::string("There was an attempt to lock a region ") + "that was already locked.\r\n";
  }
  return std::string(FileErrorText(cause)) + "\r\n";
}

}  // namespace instrument

// Path, file, directory and drive operations that the view, the output
// naming, the package unpacking and the conversion log share. The class is
// stateless: every listing runs its own walk, so one object may serve any
// number of callers, even from inside another listing.
//
// Path texts split on both "\" and "/" (names typed or stored on other
// systems keep working); joined paths use "/". The file-system calls take
// the path as the system spells it. There is one drive: the root "/".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/File.h"
#include "platform/sys/Time.h"
#include "platform/sys/Types.h"

class QVTFileSystem {
 public:
  using StringList = std::vector<std::string>;

  // Attribute masks of the listing operations.
  static constexpr sys::DWORD kMaskNormal = 0x80;  // plain files only, as mask 0
  static constexpr sys::DWORD kMaskDirectory = sys::kAttrDirectory;
  static constexpr sys::DWORD kMaskAll = 0xFFFFFFFF;

  // What GetDriveType reports.
  enum DriveType : unsigned { kDriveUnknown = 0, kDriveNoRootDir = 1, kDriveFixed = 3 };

  // The chunk size of the copies and comparisons that take no buffer size.
  static constexpr std::size_t kChunkSize = 10240;

  // --- path texts --------------------------------------------------------
  static std::string GetFileName(const std::string& path);
  static std::string GetPath(const std::string& path, bool includeDrive = true);
  static std::string GetExtension(const std::string& path);
  static std::string GetBaseFileName(const std::string& path);
  static std::string GetFullPathName(const std::string& path);
  static std::string AppendPaths(const std::string& path, const std::string& name);
  static std::string GetDrive(const std::string& path);

  // --- file status -------------------------------------------------------
  static bool FileExists(const std::string& path);
  static bool DirectoryExists(const std::string& path);
  static bool GetFileStatus(const std::string& path, sys::CFileStatus& status);
  static bool GetFileSize(const std::string& path, std::int64_t& size);
  static bool GetFileModifyTime(const std::string& path, sys::CTime& time);
  static bool GetFileCreateTime(const std::string& path, sys::CTime& time);
  static bool GetFileAccessTime(const std::string& path, sys::CTime& time);
  static bool GetFileAttribute(const std::string& path, sys::BYTE& attribute);
  // Times as automation dates: days since 30 December 1899, local time.
  static bool GetFileCreateTimeOle(const std::string& path, double& date);
  static bool GetFileAccessTimeOle(const std::string& path, double& date);
  static bool GetFileWriteTimeOle(const std::string& path, double& date);

  // --- listing -----------------------------------------------------------
  // Full paths (directory part of the pattern + name) of the matching
  // entries, a directory's own matches before those of its subdirectories.
  static StringList GetFileList(const std::string& pattern, sys::DWORD attributeMask, bool recurse);
  static void GetFileList(const std::string& pattern, sys::DWORD attributeMask, bool recurse, StringList& list);
  static bool DeleteFiles(const std::string& pattern, sys::DWORD attributeMask);
  static std::int64_t GetDirectorySize(const std::string& path, const std::string& pattern = "*.*",
                                       bool recursive = false);
  static void SortStringList(StringList& list, bool caseSensitive);

  // Adds every string, in list order, through the control's AddString
  // (LB_ADDSTRING, resp. CB_ADDSTRING).
  template <class ListBox>
  static void FillListBox(ListBox& listBox, const StringList& list) {
    for (const std::string& text : list) listBox.AddString(text);
  }
  template <class ComboBox>
  static void FillComboBox(ComboBox& comboBox, const StringList& list) {
    for (const std::string& text : list) comboBox.AddString(text);
  }

  // --- files -------------------------------------------------------------
  static bool RenameFile(const std::string& oldName, const std::string& newName);
  static bool CloseFile(sys::CFile& file);
  static bool CopyFile(const std::string& source, const std::string& target, std::size_t bufferSize = kChunkSize);
  static bool CopyFiles(const std::string& pattern, const std::string& targetFolder);
  static bool CompareFiles(const std::string& first, const std::string& second,
                           std::size_t bufferSize = kChunkSize);

  // --- directories -------------------------------------------------------
  static bool ChangeDirectory(const std::string& path);
  static bool MakeDirectory(const std::string& path);
  static bool MakePath(const std::string& path);
  static bool DeleteDirectory(const std::string& path, bool recursive);
  static bool RenameDirectory(const std::string& oldName, const std::string& newName);
  static bool IsReadOnly(const std::string& directory);
  static bool CompareDirectories(const std::string& first, const std::string& second);
  // The current directory; empty when the drive is not the root or the
  // directory cannot be read.
  static std::string GetCurrentDirectory(const std::string& drive = {});

  // --- drives ------------------------------------------------------------
  static std::string GetCurrentDrive();
  static bool ChangeDrive(const std::string& drive);
  static StringList GetDriveList();
  static bool IsValidDrive(const std::string& drive);
  static unsigned GetDriveType(const std::string& drive);
  static std::string GetVolumeLabel(const std::string& drive);
  // Bytes of the file system that holds the path; -1 on failure.
  static std::int64_t GetFreeSpace(const std::string& path);
  static std::int64_t GetTotalSpace(const std::string& path);
  static std::int64_t GetFreeSpace64(const std::string& path);
  static std::int64_t GetTotalSpace64(const std::string& path);
};

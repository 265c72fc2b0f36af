// The file lists: which files a folder gives (filters without case, plain
// files only, linked folders never entered), their stable order, the
// selection a list keeps, and what a dropped file does to each list.
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/FileListBox.h"
#include "app/FileListing.h"
#include "app/ConversionLogDlg.h"
#include "platform/sys/Notify.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "tests/app/AppTestFolder.h"
#include "zip/ZipArchive.h"
#include "zip/ZipMemoryFile.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<app::ListedFile>& files) {
  std::vector<std::string> names;
  for (const app::ListedFile& file : files) names.push_back(file.name);
  return names;
}

TEST(FileListing, FiltersIgnoreCaseAndLinkedFoldersAreNotEntered) {
  apptest::TempFolder folder;
  for (const char* name : {"a.RAW", "b.raw", "c.txt", "noext", "sub/d.raw", "sub/deep/e.Raw"}) {
    fs::create_directories(fs::path(folder.Path(name)).parent_path());
    apptest::WriteFile(folder.Path(name), name);
  }
  fs::create_directory_symlink(folder.Path("sub"), folder.Path("linked"));
  fs::create_directory(folder.Path("folder.raw"));  // a folder is no file, whatever its name
  struct Case {
    const char* filter;
    bool recursive;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"*.raw", false, {"a.RAW", "b.raw"}},
      {"*.RAW", false, {"a.RAW", "b.raw"}},
      {"*.raw", true, {"a.RAW", "b.raw", "sub/d.raw", "sub/deep/e.Raw"}},
      {"*.*", false, {"a.RAW", "b.raw", "c.txt", "noext"}},
      {"?.txt", false, {"c.txt"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names = Names(app::ListFolderFiles(folder.path(), c.filter, c.recursive));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.names) << c.filter << (c.recursive ? " recursive" : "");
  }
  EXPECT_TRUE(app::ListFolderFiles(folder.Path("missing"), "*.*", false).empty());
  // Each file's size and time come with the listing.
  const std::vector<app::ListedFile> files = app::ListFolderFiles(folder.path(), "b.raw", false);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].size, 5);
  EXPECT_TRUE(files[0].modified_known);
}

TEST(FileListing, SortsAreStable) {
  auto file = [](const char* name, std::int64_t size, std::int64_t time) {
    app::ListedFile f;
    f.name = name;
    f.size = size;
    f.modified_ns = time;
    f.modified_known = true;
    return f;
  };
  const std::vector<app::ListedFile> listing = {file("c.raw", 30, 200), file("a.raw", 10, 100),
                                                file("b.raw", 30, 100), file("d.raw", 20, 300)};
  struct Case {
    int type, direction;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {0, 0, {"a.raw", "b.raw", "c.raw", "d.raw"}},
      {0, 1, {"d.raw", "c.raw", "b.raw", "a.raw"}},
      {1, 0, {"a.raw", "b.raw", "c.raw", "d.raw"}},  // equal times keep the listing's order
      {1, 1, {"d.raw", "c.raw", "a.raw", "b.raw"}},  // newest first, the equal pair still in order
      {2, 0, {"a.raw", "d.raw", "c.raw", "b.raw"}},
      {2, 1, {"c.raw", "b.raw", "d.raw", "a.raw"}},
      {7, 0, {"c.raw", "a.raw", "b.raw", "d.raw"}},  // no such sort: the listing's order
  };
  for (const Case& c : cases) {
    std::vector<app::ListedFile> files = listing;
    app::SortListedFiles(files, c.type, c.direction);
    EXPECT_EQ(Names(files), c.order) << c.type << "/" << c.direction;
  }
  // A size that could not be read compares equal to any.
  app::ListedFile unknown = file("x", -1, 0);
  EXPECT_EQ(app::CompareListedFiles(unknown, listing[0], 2, 0), 0);
}

std::string MakePackage(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  CZipArchive zip;
  zip.Open(path, CZipArchive::zipCreate);
  for (const auto& [name, data] : entries) {
    CZipMemoryFile source;
    source.Write(data.data(), static_cast<UINT>(data.size()));
    EXPECT_TRUE(zip.AddNewFile(source, name, 9));
  }
  zip.Close();
  return path;
}

class FileListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetClock(&clock_);
    previous_sink_ = sys::SetNoticeSink([this](const sys::Notice& notice) {
      notices_.push_back(sys::FoldToOneLine(notice.text));
      return sys::DefaultAnswer(notice);
    });
    parent_ = ui::CreateWindowEx(0, "Static", "", ui::WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr);
    for (const char* name : {"logs/a.raw", "logs/b.raw", "logs/c.raw", "cal/a.CAL", "cal/b.cal", "cal/notes.txt",
                             "logs/NOEXT"}) {
      fs::create_directories(fs::path(folder_.Path(name)).parent_path());
      apptest::WriteFile(folder_.Path(name), name);
    }
  }
  void TearDown() override {
    for (CFileListBox* list : {&log_, &instruments_})
      if (list->m_hWnd) list->UnsubclassWindow();
    ui::DestroyWindow(parent_);
    sys::SetNoticeSink(previous_sink_);
    ui::SetClock(nullptr);
  }
  // A list of `kind` over a headless list box control.
  void Make(CFileListBox& list, int kind, CListProperties& settings) {
    const ui::HWND control = ui::CreateWindowEx(0, "ListBox", "", ui::WS_CHILD | ui::LBS_NOTIFY | ui::LBS_EXTENDEDSEL |
                                                    ui::LBS_HASSTRINGS, 0, 0, 100, 200, parent_, nullptr, nullptr);
    ASSERT_TRUE(list.SubclassWindow(control));
    list.SetKind(kind, package_);
    list.SetSettings(&settings);
  }
  std::vector<std::string> Selected(CFileListBox& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
      if (list.GetSel(i) <= 0) continue;
      std::string text;
      list.GetText(i, text);
      names.push_back(text);
    }
    return names;
  }

  apptest::TempFolder folder_;
  std::string package_ = folder_.Path("cache/package") + "/";
  ui::VirtualClock clock_;
  ui::HWND parent_ = nullptr;
  CFileListBox log_, instruments_;
  CListProperties log_settings_, instrument_settings_;
  std::vector<std::string> notices_;
  sys::NoticeSink previous_sink_;
};

TEST_F(FileListBoxTest, TheSelectionKeptFollowsTheRules) {
  Make(log_, CListProperties::kLogList, log_settings_);
  log_settings_.m_strWorkingFolder = folder_.Path("logs") + "/";
  log_settings_.m_strFilter = "*.raw";
  struct Case {
    const char* name;
    std::string remembered;
    std::vector<std::string> selected;
    std::string file_selected;
  };
  const Case cases[] = {
      {"nothing remembered: the first", "", {"a.raw"}, "a.raw"},
      {"remembered in another case", "B.RAW", {"b.raw"}, "B.RAW"},
      {"remembered but gone: none, the name kept", "gone.raw", {}, "gone.raw"},
  };
  for (const Case& c : cases) {
    log_settings_.m_strFileSelected = c.remembered;
    log_.SetSel(-1, ui::FALSE);
    log_.Refill();
    EXPECT_EQ(Selected(log_), c.selected) << c.name;
    EXPECT_EQ(log_settings_.m_strFileSelected, c.file_selected) << c.name;
  }
  // Several selected: kept only when the list may keep several.
  log_.SetSel(0, ui::TRUE);
  log_.SetSel(2, ui::TRUE);
  log_.SendMessage(ui::LB_SETCARETINDEX, 2, 0);
  log_.SetMulti(true);
  log_.StoreSelection();
  EXPECT_EQ(log_settings_.m_nSelectionCount, 2);
  EXPECT_EQ(log_settings_.m_selectedNames, (std::vector<std::string>{"a.raw", "c.raw"}));
  EXPECT_EQ(log_settings_.m_strFileSelected, "a.raw");
  log_.SetMulti(false);
  log_.StoreSelection();
  EXPECT_EQ(Selected(log_), std::vector<std::string>{"c.raw"});  // the item the user is on
  EXPECT_EQ(log_settings_.m_strFileSelected, "c.raw");
  // An empty list forgets the name.
  log_settings_.m_strFilter = "*.none";
  log_.Refill();
  EXPECT_EQ(log_settings_.m_strFileSelected, "");
}

TEST_F(FileListBoxTest, DroppedFilesSetTheListsFolderNameAndFilter) {
  Make(log_, CListProperties::kLogList, log_settings_);
  Make(instruments_, CListProperties::kInstrumentList, instrument_settings_);
  const std::string good = MakePackage(folder_.Path("ctd.hip"), {{"Properties.txt", "P\n"}, {"defs/x.cal", "X\n"},
                                                                 {"y.tdf", "Y\n"}});
  std::string varied;
  for (int i = 0; varied.size() < 20000; ++i) varied += std::to_string(i * 2654435761u) + "\n";
  const std::string damaged = MakePackage(folder_.Path("damaged.hip"), {{"z.cal", "Z\n"}, {"big.cal", varied}});
  std::string bytes = apptest::ReadFile(damaged);
  for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  apptest::WriteFile(damaged, bytes);
  bool converting = false;
  for (CFileListBox* list : {&log_, &instruments_}) list->SetDropGuard([&] { return converting; });
  struct Case {
    const char* name;
    CFileListBox* list;
    std::string path;
    bool busy;
    bool taken;
    std::string folder, filter, selected;  // the list's settings after
    std::vector<std::string> shown;
    int notices;
  };
  const std::string cal = folder_.Path("cal") + "/", logs = folder_.Path("logs") + "/";
  const Case cases[] = {
      {"a.CAL on the instruments", &instruments_, cal + "a.CAL", false, true, cal, "*.cal", "a.CAL",
       {"a.CAL", "b.cal"}, 0},
      {"a package", &instruments_, good, false, true, package_, "*.cal", "x.cal", {"x.cal", "y.tdf"}, 0},
      {"a damaged package keeps the last one", &instruments_, damaged, false, false, package_, "*.cal", "x.cal",
       {"x.cal", "y.tdf"}, 1},
      {"a bad extension", &instruments_, cal + "notes.txt", false, false, package_, "*.cal", "x.cal",
       {"x.cal", "y.tdf"}, 1},
      {"during a conversion", &log_, logs + "b.raw", true, false, "/", "*.*", "", {}, 0},
      {"a log", &log_, logs + "b.raw", false, true, logs, "*.raw", "b.raw", {"a.raw", "b.raw", "c.raw"}, 0},
      {"a log without extension", &log_, logs + "NOEXT", false, true, logs, "*.*", "NOEXT",
       {"NOEXT", "a.raw", "b.raw", "c.raw"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    notices_.clear();
    converting = c.busy;
    EXPECT_EQ(c.list->DropFile(c.path), c.taken);
    EXPECT_EQ(c.list->ListedFolder(), c.folder);
    EXPECT_EQ(c.list->GetSettings()->m_strFilter, c.filter);
    EXPECT_EQ(c.list->GetSettings()->m_strFileSelected, c.selected);
    if (c.taken) {
      EXPECT_EQ(Selected(*c.list), std::vector<std::string>{c.selected});
    }
    EXPECT_EQ(c.list->GetNames(), c.shown);
    EXPECT_EQ(static_cast<int>(notices_.size()), c.notices) << (notices_.empty() ? "" : notices_[0]);
  }
  EXPECT_EQ(instrument_settings_.m_strPackageFile, good);
  EXPECT_EQ(instrument_settings_.m_bUseWorkingFolder, 0);
  // Dropped through the window system, as the host delivers a drop.
  converting = false;
  ui::DragAcceptFiles(log_.m_hWnd, ui::TRUE);
  ui::ShowWindow(parent_, ui::SW_SHOWNA);
  ui::ShowWindow(log_.m_hWnd, ui::SW_SHOWNA);
  ASSERT_TRUE(ui::DeliverFileDrop(parent_, ui::POINT{20, 20}, {logs + "c.raw"}));
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) ui::DispatchMessage(&msg);
  EXPECT_EQ(log_settings_.m_strFileSelected, "c.raw");
}

TEST(ConversionLogWindow, TheShownTextNeverReachesTheLimit) {
  ui::VirtualClock clock;
  ui::SetClock(&clock);
  CConversionLogDlg log;
  ASSERT_TRUE(log.CreateWindowFor(nullptr));
  ASSERT_TRUE(log.HasWindow());
  const std::string line = std::string(97, 'x') + "\r\n";
  std::size_t longest = 0;
  for (int i = 0; i < 1200; ++i) {
    log.AppendText(std::to_string(i % 10) + line);
    longest = std::max(longest, log.GetShownText().size());
  }
  EXPECT_LT(longest, CConversionLogDlg::kTextLimit);
  EXPECT_EQ(log.GetShownText(), log.GetText());
  EXPECT_EQ(log.GetText().substr(log.GetLength() - 100, 1), "9");  // the newest line last, whole
  log.DestroyWindow();
  ui::SetClock(nullptr);
}

}  // namespace

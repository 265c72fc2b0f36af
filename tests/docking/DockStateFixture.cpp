#include "tests/docking/DockStateFixture.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/afx/WindowPlacementRecord.h"

namespace docking::test {

void TestToolBarInfoEx::Serialize(CArchive& ar, QVTDockState*) {
  if (ar.IsStoring()) {
    ar << title << static_cast<DWORD>(buttons.size());
    for (const ButtonRecord& button : buttons) {
      ar << button.id << static_cast<BYTE>(button.extra.size());
      ar.Write(button.extra.data(), button.extra.size());
    }
    return;
  }
  DWORD count = 0;
  ar >> title >> count;
  buttons.clear();
  for (DWORD i = 0; i < count; ++i) {
    ButtonRecord button;
    BYTE size = 0;
    ar >> button.id >> size;
    button.extra.resize(size);
    ar.ReadExact(button.extra.data(), size);
    buttons.push_back(std::move(button));
  }
}

BOOL TestToolBarInfoEx::SaveState(const std::string& section) {
  if (!title.empty()) sys::AppProfile().WriteString(section, "Title", title);
  std::vector<unsigned char> packed;
  for (const ButtonRecord& button : buttons) {
    for (int i = 0; i < 4; ++i) packed.push_back(static_cast<unsigned char>(button.id >> (8 * i)));
    packed.push_back(static_cast<unsigned char>(button.extra.size()));
    packed.insert(packed.end(), button.extra.begin(), button.extra.end());
  }
  sys::AppProfile().WriteBinary(section, "Buttons", packed);
  return TRUE;
}

BOOL TestToolBarInfoEx::LoadState(const std::string& section, QVTDockState*) {
  title = sys::AppProfile().GetString(section, "Title", "");
  std::vector<unsigned char> packed;
  sys::AppProfile().GetBinary(section, "Buttons", packed);
  buttons.clear();
  for (std::size_t at = 0; at + 5 <= packed.size();) {
    ButtonRecord button;
    for (int i = 3; i >= 0; --i) button.id = button.id << 8 | packed[at + static_cast<std::size_t>(i)];
    const std::size_t size = packed[at + 4];
    at += 5;
    if (at + size > packed.size()) break;
    button.extra.assign(packed.begin() + static_cast<long>(at), packed.begin() + static_cast<long>(at + size));
    at += size;
    buttons.push_back(std::move(button));
  }
  return TRUE;
}

std::unique_ptr<QVTControlBarInfoEx> TestManager::CreateBarInfoEx(QVTControlBarInfo* info) {
  if (!info || !QVTControlBarInfo::TypeHasExtension(info->m_nTypeID)) return nullptr;
  return std::make_unique<TestToolBarInfoEx>();
}

TestToolBarInfoEx* ToolBarExtension(const QVTControlBarInfo& info) {
  return dynamic_cast<TestToolBarInfoEx*>(info.m_pInfoEx.get());
}

namespace {

QVTControlBarInfo& Add(QVTDockState& state, QVTControlBarInfoExFactory* manager, UINT id) {
  state.m_arrBarInfo.push_back(state.CreateBarInfo(manager));
  QVTControlBarInfo& info = *state.m_arrBarInfo.back();
  info.m_nBarID = id;
  info.m_bVisible = TRUE;
  info.m_pointPos = {-1, -1};
  info.m_nMRUWidth = 32767;
  info.m_strClassName = "QVTCustomToolBar";
  return info;
}

}  // namespace

void FillSample(QVTDockState& state, QVTControlBarInfoExFactory* manager) {
  state.SetScreenSize({1024, 768});

  QVTControlBarInfo& toolbar = Add(state, manager, 0xE800);
  toolbar.m_nTypeID = QVTControlBarInfo::kCustomToolBarTypeID;
  toolbar.m_dwStyle = 0x2E00;
  toolbar.m_dwDockingStyle = 0xF000;
  toolbar.m_fPctWidth = 0.25f;
  toolbar.m_strWindowName = "Standard";
  auto extension = std::make_unique<TestToolBarInfoEx>();
  extension->title = "Standard";
  extension->buttons = {{0xE100, {}}, {0, {}}, {0xE101, {0x05, 0x06}}};
  toolbar.m_pInfoEx = std::move(extension);

  QVTControlBarInfo& status = Add(state, manager, 0xE801);
  status.m_bVisible = FALSE;
  status.m_pointPos = {0, 740};
  status.m_strClassName = "QVTStatusBar";

  QVTControlBarInfo& remembered = Add(state, manager, 0xE802);
  remembered.m_pointPos = {10, 0};
  remembered.m_nMRUWidth = 120;
  remembered.m_bDocking = TRUE;
  remembered.m_uMRUDockID = 0xE81B;
  remembered.m_rectMRUDockPos = {10, 0, 130, 28};
  remembered.m_dwMRUFloatStyle = 0x2000;
  remembered.m_ptMRUFloatPos = {400, 300};
  remembered.m_szMRUFloat = {130, 40};

  QVTControlBarInfo& floating = Add(state, manager, 0xE81F);
  floating.m_bDockBar = TRUE;
  floating.m_bFloating = TRUE;
  floating.m_bHorz = TRUE;
  floating.m_pointPos = {300, 200};
  floating.m_arrBarID = {0xE803, 0};
  floating.m_strClassName.clear();

  QVTControlBarInfo& top = Add(state, manager, 0xE81B);
  top.m_bDockBar = TRUE;
  top.m_arrBarID = {0xE800, 0, 0xE802 + QVTControlBarInfo::kPlaceholder, 0};
  top.m_strClassName.clear();

  QVTControlBarInfo& left = Add(state, manager, 0xE81C);
  left.m_bDockBar = TRUE;
  left.m_strClassName.clear();

  QVTControlBarInfo& child = Add(state, manager, 0xE804);
  child.m_bMDIChild = TRUE;
  child.m_pointPos = {0, 0};
  child.m_wpMDIChild.length = WindowPlacementRecord::kSize;
  child.m_wpMDIChild.showCmd = 1;
  child.m_wpMDIChild.rcNormalPosition = {20, 30, 220, 330};
}

std::vector<BYTE> ReadHexFixture(const std::string& name) {
  std::ifstream in(std::string(BRIVEN_TEST_DATA) + "/docking/" + name);
  if (!in) throw std::runtime_error("no fixture " + name);
  std::vector<BYTE> bytes;
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
          !std::isxdigit(static_cast<unsigned char>(word[1])))
        throw std::runtime_error("bad hex pair " + word + " in " + name);
      bytes.push_back(static_cast<BYTE>(std::stoi(word, nullptr, 16)));
    }
  }
  return bytes;
}

}  // namespace docking::test

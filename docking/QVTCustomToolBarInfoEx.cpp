#include "docking/QVTCustomToolBarInfoEx.h"

#include <algorithm>

#include "docking/QVTPersistentTreeNode.h"
#include "platform/sys/Profile.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTCustomToolBarInfoEx, QVTControlBarInfoEx)

namespace {

constexpr std::size_t kRecordHead = 5;

// The length byte cannot say more than 255: longer extra data is cut
// there, so the stored length always matches the bytes that follow.
std::size_t ExtraLength(const QVTBtnInfo& button) {
  return std::min(button.extra.size(), QVTCustomToolBarInfoEx::kMaxExtra);
}

}  // namespace

std::vector<BYTE> QVTCustomToolBarInfoEx::PackButtons(const std::vector<QVTBtnInfo>& buttons) {
  std::size_t total = 0;
  for (const QVTBtnInfo& button : buttons) total += kRecordHead + ExtraLength(button);
  std::vector<BYTE> packed;
  packed.reserve(total);
  for (const QVTBtnInfo& button : buttons) {
    for (int shift = 0; shift < 32; shift += 8) packed.push_back(static_cast<BYTE>(button.id >> shift));
    const std::size_t length = ExtraLength(button);
    packed.push_back(static_cast<BYTE>(length));
    packed.insert(packed.end(), button.extra.begin(), button.extra.begin() + static_cast<long>(length));
  }
  return packed;
}

std::vector<QVTBtnInfo> QVTCustomToolBarInfoEx::UnpackButtons(const std::vector<BYTE>& packed) {
  std::vector<QVTBtnInfo> buttons;
  for (std::size_t at = 0; at + kRecordHead <= packed.size();) {
    QVTBtnInfo button;
    for (int i = 3; i >= 0; --i) button.id = button.id << 8 | packed[at + static_cast<std::size_t>(i)];
    const std::size_t length = packed[at + 4];
    at += kRecordHead;
    if (at + length > packed.size()) break;
    button.extra.assign(packed.begin() + static_cast<long>(at), packed.begin() + static_cast<long>(at + length));
    at += length;
    buttons.push_back(std::move(button));
  }
  return buttons;
}

void QVTCustomToolBarInfoEx::Serialize(afx::CArchive& ar, QVTDockState*) {
  if (ar.IsStoring()) {
    ar << title << static_cast<DWORD>(buttons.size());
    for (const QVTBtnInfo& button : buttons) {
      const std::size_t length = ExtraLength(button);
      ar << button.id << static_cast<BYTE>(length);
      ar.Write(button.extra.data(), length);
    }
    return;
  }
  DWORD count = 0;
  ar >> title >> count;
  for (DWORD i = 0; i < count; ++i) {
    QVTBtnInfo button;
    BYTE length = 0;
    ar >> button.id >> length;
    button.extra.resize(length);
    ar.ReadExact(button.extra.data(), length);
    buttons.push_back(std::move(button));
  }
}

BOOL QVTCustomToolBarInfoEx::SaveState(const std::string& section) {
  sys::Profile& profile = sys::AppProfile();
  bool ok = title.empty() || profile.WriteString(section, "Title", title);
  ok = profile.WriteBinary(section, "Buttons", PackButtons(buttons)) && ok;
  return ok ? TRUE : FALSE;
}

BOOL QVTCustomToolBarInfoEx::LoadState(const std::string& section, QVTDockState*) {
  sys::Profile& profile = sys::AppProfile();
  title = profile.GetString(section, "Title", "");
  std::vector<unsigned char> packed;
  buttons.clear();
  if (profile.GetBinary(section, "Buttons", packed)) buttons = UnpackButtons(packed);
  return TRUE;
}

BOOL QVTCustomToolBarInfoEx::LoadFromNode(QVTPersistentTreeNode* node) {
  QVTPersistentTreeNode* own = node ? node->FindChild(kNodeName) : nullptr;
  if (!own) return FALSE;
  own->GetStringValue("Title", title, "");
  std::vector<BYTE> packed;
  buttons.clear();
  if (own->GetBinaryValue("Buttons", packed) == 0) buttons = UnpackButtons(packed);
  return TRUE;
}

BOOL QVTCustomToolBarInfoEx::SaveToNode(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) {
  if (!parent) return FALSE;
  QVTPersistentTreeNode* own = parent->FindChild(kNodeName);
  if (!own) own = (factory ? *factory : parent->GetFactory()).CreateNode(kNodeName, parent);
  if (!own) return FALSE;
  const std::vector<BYTE> packed = PackButtons(buttons);
  UINT result = own->SetStringValue("Title", title, TRUE);
  result |= own->SetBinaryValue("Buttons", packed.data(), static_cast<int>(packed.size()), TRUE);
  return result == 0 ? TRUE : FALSE;
}

}  // namespace docking

#include "docking/QVTPersistentTreeNode.h"

#include <algorithm>
#include <cstdlib>

namespace docking {

IMPLEMENT_DYNCREATE(QVTPersistentTreeNode, afx::CObject)

QVTPersistentTreeNode::~QVTPersistentTreeNode() {
  // Children another factory made outlive this node: they become roots.
  for (QVTPersistentTreeNode* child : children_) child->parent_ = nullptr;
  children_.clear();
  if (parent_) parent_->DetachChild(this);
}

void QVTPersistentTreeNode::DetachChild(QVTPersistentTreeNode* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

UINT QVTPersistentTreeNode::Create(const std::string& name, QVTPersistentTreeNode* parent) {
  if (created_) return kPtnAlreadyCreated;
  if (name.empty()) return kPtnEmptyName;
  name_ = name;
  if (parent) {
    const UINT added = parent->AddChild(this);
    if (added == kPtnChildExists) return added;
    if (added != 0) return kPtnFailure;
    parent_ = parent;
  }
  created_ = true;
  return 0;
}

UINT QVTPersistentTreeNode::AddChild(QVTPersistentTreeNode* child) {
  if (!created_) return kPtnNotCreated;
  if (!child) return kPtnEmptyName;
  if (FindChild(child->GetName())) return kPtnChildExists;
  children_.push_back(child);
  return 0;
}

QVTPersistentTreeNode* QVTPersistentTreeNode::FindChild(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (QVTPersistentTreeNode* child : children_)
    if (child->GetName() == name) return child;
  return nullptr;
}

const QVTPersistentTreeNode::KeyValuePair* QVTPersistentTreeNode::FindPair(const std::string& key) const {
  for (const KeyValuePair& pair : pairs_)
    if (pair.first == key) return &pair;
  return nullptr;
}

QVTPersistentTreeNode::KeyValuePair* QVTPersistentTreeNode::FindPair(const std::string& key) {
  return const_cast<KeyValuePair*>(static_cast<const QVTPersistentTreeNode*>(this)->FindPair(key));
}

UINT QVTPersistentTreeNode::SetStringValue(const std::string& key, const std::string& value, BOOL overwrite) {
  UINT result = 0;
  if (!created_) result |= kPtnNotCreated;
  if (key.empty()) result |= kPtnEmptyKey;
  KeyValuePair* existing = key.empty() ? nullptr : FindPair(key);
  if (existing && !overwrite) result |= kPtnKeyExists;
  if (result != 0) return result;
  if (existing)
    existing->second = value;
  else
    pairs_.emplace_back(key, value);
  return 0;
}

UINT QVTPersistentTreeNode::SetIntValue(const std::string& key, int value, BOOL overwrite) {
  return SetStringValue(key, std::to_string(value), overwrite);
}

UINT QVTPersistentTreeNode::SetBoolValue(const std::string& key, BOOL value, BOOL overwrite) {
  return SetStringValue(key, value ? "True" : "False", overwrite);
}

void QVTPersistentTreeNode::RemoveBinaryPieces(const std::string& key) {
  int count = 0;
  if (GetIntValue(BinaryCountKey(key), count, 0) != 0) return;
  for (int piece = 0; piece < count; ++piece) RemoveKey(BinaryPieceKey(key, piece));
  RemoveKey(BinaryCountKey(key));
}

UINT QVTPersistentTreeNode::SetBinaryValue(const std::string& key, const BYTE* data, int length, BOOL overwrite) {
  if (!data && length > 0) return kPtnNullData;
  if (length < 0) return kPtnBinaryEncoding;
  if (!created_ || key.empty()) return SetStringValue(key, std::string(), overwrite);
  if (!overwrite && (HasKey(key) || HasKey(BinaryCountKey(key)))) return kPtnKeyExists;
  // The pieces of a longer earlier value would otherwise be read in
  // preference to the new one.
  RemoveBinaryPieces(key);
  const std::string text = EncodeBinary(data, static_cast<std::size_t>(length));
  if (text.size() <= kBinaryPieceLength) return SetStringValue(key, text, TRUE);
  RemoveKey(key);
  UINT result = 0;
  int piece = 0;
  for (std::size_t start = 0; start < text.size(); start += kBinaryPieceLength, ++piece)
    result |= SetStringValue(BinaryPieceKey(key, piece), text.substr(start, kBinaryPieceLength), TRUE);
  result |= SetIntValue(BinaryCountKey(key), piece, TRUE);
  return result;
}

UINT QVTPersistentTreeNode::RemoveKey(const std::string& key) {
  const auto found = std::find_if(pairs_.begin(), pairs_.end(), [&key](const auto& pair) { return pair.first == key; });
  if (found == pairs_.end()) return kPtnKeyNotFound;
  pairs_.erase(found);
  return 0;
}

UINT QVTPersistentTreeNode::GetStringValue(const std::string& key, std::string& value, const char* default_value) {
  value = default_value ? default_value : "";
  const KeyValuePair* pair = FindPair(key);
  if (!pair) return kPtnKeyNotFound;
  value = pair->second;
  return 0;
}

UINT QVTPersistentTreeNode::GetIntValue(const std::string& key, int& value, int default_value) {
  std::string text;
  const UINT result = GetStringValue(key, text, "");
  value = result == 0 ? std::atoi(text.c_str()) : default_value;
  return result;
}

UINT QVTPersistentTreeNode::GetUIntValue(const std::string& key, UINT& value, UINT default_value) {
  std::string text;
  const UINT result = GetStringValue(key, text, "");
  value = result == 0 ? static_cast<UINT>(std::atoi(text.c_str())) : default_value;
  return result;
}

UINT QVTPersistentTreeNode::GetLongValue(const std::string& key, long& value, long default_value) {
  std::string text;
  const UINT result = GetStringValue(key, text, "");
  value = result == 0 ? std::atol(text.c_str()) : default_value;
  return result;
}

UINT QVTPersistentTreeNode::GetULongValue(const std::string& key, unsigned long& value,
                                          unsigned long default_value) {
  std::string text;
  const UINT result = GetStringValue(key, text, "");
  value = result == 0 ? static_cast<unsigned long>(std::atol(text.c_str())) : default_value;
  return result;
}

UINT QVTPersistentTreeNode::GetBoolValue(const std::string& key, BOOL& value, BOOL default_value) {
  std::string text;
  const UINT result = GetStringValue(key, text, "");
  if (result != 0) {
    value = default_value;
    return result;
  }
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  value = text == "TRUE" ? TRUE : FALSE;
  return 0;
}

UINT QVTPersistentTreeNode::GetBinaryValue(const std::string& key, std::vector<BYTE>& data) {
  data.clear();
  std::string text;
  int count = 0;
  if (GetIntValue(BinaryCountKey(key), count, 0) == 0) {
    for (int piece = 0; piece < count; ++piece) {
      std::string part;
      if (GetStringValue(BinaryPieceKey(key, piece), part, "") == 0) text += part;
    }
  } else if (const UINT result = GetStringValue(key, text, ""); result != 0) {
    return result;
  }
  return DecodeBinary(text, data) ? 0u : static_cast<UINT>(kPtnFailure);
}

std::string QVTPersistentTreeNode::EncodeBinary(const BYTE* data, std::size_t length) {
  std::string text;
  text.reserve(length * 2);
  for (std::size_t i = 0; i < length; ++i) {
    text.push_back(static_cast<char>('A' + (data[i] & 0x0F)));
    text.push_back(static_cast<char>('A' + (data[i] >> 4)));
  }
  return text;
}

bool QVTPersistentTreeNode::DecodeBinary(const std::string& text, std::vector<BYTE>& data) {
  data.clear();
  if (text.size() % 2 != 0) return false;
  data.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int low = text[i] - 'A';
    const int high = text[i + 1] - 'A';
    if (low < 0 || low > 15 || high < 0 || high > 15) {
      data.clear();
      return false;
    }
    data.push_back(static_cast<BYTE>(low | (high << 4)));
  }
  return true;
}

QVTPersistentTreeNode::StringList QVTPersistentTreeNode::GetPath() const {
  StringList path;
  for (const QVTPersistentTreeNode* node = this; node; node = node->parent_) path.push_back(node->name_);
  return path;
}

QVTPersistentTreeNode::StringList QVTPersistentTreeNode::GetChildNames() const {
  StringList names;
  for (const QVTPersistentTreeNode* child : children_) names.push_back(child->name_);
  return names;
}

}  // namespace docking

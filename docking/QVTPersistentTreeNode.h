// A small tree of named settings nodes: each node holds ordered text
// key/value pairs (typed accessors convert to and from text) and ordered
// child nodes, and is written to or read from a backing store by a
// strategy (a profile file or the settings store).
//
// Ownership: a node's children are made and owned by the factory that
// created them (normally the parent's own); the parent only lists them. A
// node leaves its parent's list when it is destroyed, and a parent that
// goes first lets its surviving children go as roots, so no list ever
// holds a dangling pointer whichever factory made the child.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "docking/QVTPTNFactory.h"
#include "platform/afx/Object.h"

namespace docking {

using namespace afx;

class QVTPTNStrategy;

// Result codes of node operations: bit values, ORed; 0 is success.
enum : UINT {
  kPtnAlreadyCreated = 0x0001,
  kPtnNotCreated = 0x0002,
  kPtnEmptyName = 0x0004,
  kPtnEmptyKey = 0x0008,
  kPtnKeyExists = 0x0010,
  kPtnChildExists = 0x0020,
  kPtnKeyNotFound = 0x0040,
  kPtnNullData = 0x0080,
  kPtnBinaryEncoding = 0x0100,
  kPtnFailure = 0xFFFF,
};

class QVTPersistentTreeNode : public afx::CObject {
  DECLARE_DYNCREATE(QVTPersistentTreeNode)

 public:
  using KeyValuePair = std::pair<std::string, std::string>;
  using StringList = std::vector<std::string>;

  // Binary values whose text is longer than this are stored in pieces.
  static constexpr std::size_t kBinaryPieceLength = 250;

  QVTPersistentTreeNode() = default;
  ~QVTPersistentTreeNode() override;
  QVTPersistentTreeNode(const QVTPersistentTreeNode&) = delete;
  QVTPersistentTreeNode& operator=(const QVTPersistentTreeNode&) = delete;

  virtual UINT Create(const std::string& name, QVTPersistentTreeNode* parent);
  virtual UINT SetIntValue(const std::string& key, int value, BOOL overwrite);
  virtual UINT SetStringValue(const std::string& key, const std::string& value, BOOL overwrite);
  virtual UINT SetBoolValue(const std::string& key, BOOL value, BOOL overwrite);
  virtual UINT SetBinaryValue(const std::string& key, const BYTE* data, int length, BOOL overwrite);
  virtual UINT RemoveKey(const std::string& key);
  virtual UINT GetStringValue(const std::string& key, std::string& value, const char* default_value);
  virtual UINT GetIntValue(const std::string& key, int& value, int default_value);
  virtual UINT GetUIntValue(const std::string& key, UINT& value, UINT default_value);
  virtual UINT GetLongValue(const std::string& key, long& value, long default_value);
  virtual UINT GetULongValue(const std::string& key, unsigned long& value, unsigned long default_value);
  virtual UINT GetBoolValue(const std::string& key, BOOL& value, BOOL default_value);
  // The bytes replace data's contents; a value of no bytes is a success.
  virtual UINT GetBinaryValue(const std::string& key, std::vector<BYTE>& data);
  virtual BOOL SaveTo(QVTPTNStrategy* strategy);
  virtual BOOL LoadFrom(QVTPTNStrategy* strategy);
  virtual UINT AddChild(QVTPersistentTreeNode* child);

  const std::string& GetName() const { return name_; }
  QVTPersistentTreeNode* GetParent() const { return parent_; }
  bool IsCreated() const { return created_; }
  QVTPersistentTreeNode* FindChild(const std::string& name) const;
  const std::vector<QVTPersistentTreeNode*>& GetChildren() const { return children_; }
  const std::vector<KeyValuePair>& GetPairs() const { return pairs_; }
  bool HasKey(const std::string& key) const { return FindPair(key) != nullptr; }
  // This node's name first, the root's last.
  StringList GetPath() const;
  StringList GetChildNames() const;
  QVTPTNFactory& GetFactory() { return factory_; }

  // The text form of bytes: per byte 'A' + low nibble, then 'A' + high.
  static std::string EncodeBinary(const BYTE* data, std::size_t length);
  // False for text that no encoding gives (odd length, other letters).
  static bool DecodeBinary(const std::string& text, std::vector<BYTE>& data);
  static std::string BinaryCountKey(const std::string& key) { return key + "_BinCount"; }
  static std::string BinaryPieceKey(const std::string& key, int piece) {
    return key + "_BinVal" + std::to_string(piece);
  }

 private:
  const KeyValuePair* FindPair(const std::string& key) const;
  KeyValuePair* FindPair(const std::string& key);
  // Drops the pieces and count of an earlier split binary value.
  void RemoveBinaryPieces(const std::string& key);
  void DetachChild(QVTPersistentTreeNode* child);

  std::string name_;
  QVTPersistentTreeNode* parent_ = nullptr;
  std::vector<QVTPersistentTreeNode*> children_;
  std::vector<KeyValuePair> pairs_;
  bool created_ = false;
  // Last, so the children it owns go while this node's lists still exist.
  QVTPTNFactory factory_;
};

}  // namespace docking

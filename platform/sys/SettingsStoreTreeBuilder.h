// Builds a settings tree from keys named in any order, as a store file's
// key lines name them. Adding each subkey straight into its parent's sorted
// list moves every later sibling along, so a file whose keys come in
// reverse order would take time growing with the square of their number;
// the builder appends and finds keys through an index of its own instead,
// and puts every key's subkeys in name order once, at the end.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "platform/sys/SettingsStoreKey.h"

namespace sys {

class SettingsTreeBuilder {
 public:
  // Keys given to Subkey as parents must have had no subkeys before.
  SettingsTreeBuilder() = default;
  ~SettingsTreeBuilder() { Finish(); }
  SettingsTreeBuilder(const SettingsTreeBuilder&) = delete;
  SettingsTreeBuilder& operator=(const SettingsTreeBuilder&) = delete;

  // The subkey of parent (the tree's root or a key this builder gave) of
  // that name, made when there is none. Until Finish, parents' subkeys are
  // in the order they came, so only the builder may look them up.
  SettingsKey& Subkey(SettingsKey& parent, std::string_view name);
  // Puts every key's subkeys in name order; the tree is whole again. The
  // destructor calls it too, so a parse that stops half way leaves a
  // usable tree.
  void Finish();

 private:
  using Entry = std::pair<const SettingsKey*, std::string_view>;
  struct EntryLess {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      if (a.first != b.first) return std::less<const SettingsKey*>()(a.first, b.first);
      return CompareSettingsNames(a.second, b.second) < 0;
    }
  };

  // By parent and name; the names are the keys' own, which never move.
  std::map<Entry, SettingsKey*, EntryLess> index_;
  std::set<SettingsKey*> unsorted_;  // keys given subkeys since the last Finish
};

}  // namespace sys

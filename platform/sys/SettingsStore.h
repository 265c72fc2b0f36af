// The program's registry: a tree of keys with typed values per root, kept
// in text files. HKEY_CURRENT_USER and HKEY_CLASSES_ROOT live under
// $XDG_CONFIG_HOME/briven/ (default ~/.config/briven/); HKEY_LOCAL_MACHINE is
// read, never written, from /etc/briven/ when its file is there. The files
// are current-user.settings, classes-root.settings and local-machine.settings
// (format: SettingsStoreText.h); beside each, <file>.lock serialises writers.
//
// Reads see the file as it is on disk (a cached reading serves while the
// file is unchanged). Every write locks the file, reads it again, applies
// the one change and replaces the file whole, so two running programs that
// write different keys lose nothing of each other's. A file that cannot be
// understood is reported, moved aside as <file>.damaged-<stamp> and the call
// that found it fails with ERROR_REGISTRY_CORRUPT; the next write starts a
// new file. A file holding a key or name beyond the limits of
// SettingsStoreLimits.h counts as damaged.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sys/SettingsStoreFile.h"
#include "platform/sys/SettingsStoreKey.h"
#include "platform/sys/SettingsStoreTypes.h"

namespace sys {

enum class SettingsRoot { ClassesRoot, CurrentUser, LocalMachine };

struct SettingsStoreLocations {
  // Empty: $XDG_CONFIG_HOME/briven, else $HOME/.config/briven, looked up at
  // every use so that a changed environment takes effect.
  std::string user_folder;
  std::string machine_folder = "/etc/briven";
};

// What RegQueryInfoKey tells of a key.
struct SettingsKeyInfo {
  DWORD subkeys = 0;
  DWORD max_subkey_name = 0;
  DWORD values = 0;
  DWORD max_value_name = 0;
  DWORD max_value_data = 0;
  FILETIME last_write;
};

class SettingsStore {
 public:
  // Told of a store file that is damaged or cannot be read or written: the
  // file's name and the reason, ready to show.
  using Reporter = std::function<void(const std::string& file, const std::string& reason)>;

  explicit SettingsStore(SettingsStoreLocations locations = {});
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // The process's store, on the default locations.
  static SettingsStore& Default();

  // Without a reporter, reports go to stderr as "briven: <file>: <reason>".
  void SetReporter(Reporter reporter);
  std::string RootFile(SettingsRoot root) const;
  // Every file the store keeps or locks, existing or not: no other part of
  // the program may write over one of them.
  std::vector<std::string> OwnFiles() const;

  LONG OpenKey(HKEY parent, const char* sub_key, REGSAM access, HKEY* result);
  // A key name longer than kMaxSettingsKeyName, or a key that would lie more
  // than kMaxSettingsKeyDepth levels below its root, is refused with
  // ERROR_INVALID_PARAMETER and nothing is created.
  LONG CreateKey(HKEY parent, const char* sub_key, REGSAM access, HKEY* result, DWORD* disposition);
  LONG CloseKey(HKEY key);
  // A handle of its own on a predefined root, as a local registry connection gives.
  LONG ConnectRoot(HKEY predefined, HKEY* result);

  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
  LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
  LONG DeleteValue(HKEY key, const char* name);
  // Deletes a key without subkeys; an empty sub_key names the key itself.
  LONG DeleteKey(HKEY key, const char* sub_key);

  // Sizes in characters; on ERROR_MORE_DATA *name_size (and *data_size)
  // tell what is needed.
  LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* name_size);
  LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* type, BYTE* data,
                 DWORD* data_size);
  LONG QueryInfo(HKEY key, SettingsKeyInfo& info);

 private:
  struct OpenedKey {
    SettingsRoot root = SettingsRoot::CurrentUser;
    std::vector<std::string> path;
    REGSAM access = 0;
  };
  struct CachedRoot {
    FileIdentity identity;
    std::shared_ptr<const SettingsKey> tree;
  };
  using Change = std::function<LONG(SettingsKey& root_key, bool& changed)>;

  LONG Resolve(HKEY key, OpenedKey& opened) const;
  HKEY AddHandle(OpenedKey opened);
  LONG LoadTree(SettingsRoot root, std::shared_ptr<const SettingsKey>& tree);
  // The file's tree, from the cache while the file is unchanged. A damaged
  // file is moved aside only with the lock held (taken here when needed).
  LONG ReadTree(SettingsStoreFile& file, SettingsRoot root, bool locked, std::shared_ptr<const SettingsKey>& tree);
  LONG Modify(SettingsRoot root, const Change& change);
  // Finds the opened key in a tree read for it (ERROR_KEY_DELETED when it is gone).
  LONG Find(const OpenedKey& opened, std::shared_ptr<const SettingsKey>& tree, const SettingsKey*& key);
  // Resolves a handle, checks it was opened with the access a read needs, and
  // finds its key.
  LONG FindForRead(HKEY key, REGSAM needed, OpenedKey& opened, std::shared_ptr<const SettingsKey>& tree,
                   const SettingsKey*& found);
  void Report(const std::string& file, const std::string& reason);

  SettingsStoreLocations locations_;
  Reporter reporter_;
  std::recursive_mutex mutex_;
  std::map<std::uintptr_t, OpenedKey> handles_;
  std::uintptr_t next_handle_ = 0x1000;
  std::map<std::string, CachedRoot> cache_;             // by file name
  std::map<std::string, FileIdentity> reported_damage_;  // read-only roots report once per version
  std::map<std::string, std::string> reported_read_problem_;  // by file name, while it lasts
};

}  // namespace sys

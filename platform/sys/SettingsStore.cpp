#include "platform/sys/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

#include "platform/sys/SettingsStoreLimits.h"
#include "platform/sys/SettingsStoreText.h"

namespace sys {

namespace {

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "/";
}

std::string DefaultUserFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/briven";
  return HomeFolder() + "/.config/briven";
}

const char* RootFileName(SettingsRoot root) {
  switch (root) {
    case SettingsRoot::ClassesRoot: return "classes-root.settings";
    case SettingsRoot::CurrentUser: return "current-user.settings";
    case SettingsRoot::LocalMachine: return "local-machine.settings";
  }
  return "unknown.settings";
}

LONG SplitKeyPath(const char* sub_key, std::vector<std::string>& parts) {
  parts.clear();
  if (!sub_key) return ERROR_SUCCESS;
  const std::string_view path = sub_key;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (end - start > kMaxSettingsKeyName) return ERROR_INVALID_PARAMETER;
      parts.emplace_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return ERROR_SUCCESS;
}

const SettingsKey* Walk(const SettingsKey& from, const std::vector<std::string>& path) {
  const SettingsKey* key = &from;
  for (const std::string& name : path) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

SettingsKey* Walk(SettingsKey& from, const std::vector<std::string>& path) {
  return const_cast<SettingsKey*>(Walk(static_cast<const SettingsKey&>(from), path));
}

// Copies a name with its terminating zero into a caller's buffer of *size
// characters; on ERROR_MORE_DATA *size is the length needed without it.
LONG CopyName(const std::string& text, char* buffer, DWORD* size) {
  if (!buffer || !size) return ERROR_INVALID_PARAMETER;
  if (*size < text.size() + 1) {
    *size = static_cast<DWORD>(text.size());
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  *size = static_cast<DWORD>(text.size());
  return ERROR_SUCCESS;
}

LONG CopyData(const SettingsValue& value, DWORD* type, BYTE* data, DWORD* size) {
  if (type) *type = value.type;
  const auto length = static_cast<DWORD>(value.data.size());
  if (!data) {
    if (size) *size = length;
    return ERROR_SUCCESS;
  }
  if (!size) return ERROR_INVALID_PARAMETER;
  const DWORD room = *size;
  *size = length;
  if (room < length) return ERROR_MORE_DATA;
  if (length) std::memcpy(data, value.data.data(), length);
  return ERROR_SUCCESS;
}

FILETIME FileTimeFromNanoseconds(std::int64_t unix_ns) {
  // Seconds from 1601-01-01 to 1970-01-01, the epoch of FILETIME.
  constexpr std::int64_t kEpochDifference = 11644473600LL;
  if (unix_ns <= 0) return {};
  const auto ticks = static_cast<std::uint64_t>(unix_ns / 100 + kEpochDifference * 10000000LL);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

SettingsStore::SettingsStore(SettingsStoreLocations locations) : locations_(std::move(locations)) {}

SettingsStore::~SettingsStore() = default;

SettingsStore& SettingsStore::Default() {
  // Never destroyed: keys may still be closed by other objects' destructors at exit.
  static SettingsStore* const store = new SettingsStore();
  return *store;
}

void SettingsStore::SetReporter(Reporter reporter) {
  std::lock_guard lock(mutex_);
  reporter_ = std::move(reporter);
}

std::string SettingsStore::RootFile(SettingsRoot root) const {
  const std::string folder = root == SettingsRoot::LocalMachine ? locations_.machine_folder
                             : locations_.user_folder.empty()   ? DefaultUserFolder()
                                                                : locations_.user_folder;
  return folder + "/" + RootFileName(root);
}

std::vector<std::string> SettingsStore::OwnFiles() const {
  std::vector<std::string> files;
  for (const SettingsRoot root : {SettingsRoot::ClassesRoot, SettingsRoot::CurrentUser, SettingsRoot::LocalMachine}) {
    files.push_back(RootFile(root));
    files.push_back(RootFile(root) + ".lock");
  }
  return files;
}

void SettingsStore::Report(const std::string& file, const std::string& reason) {
  if (reporter_)
    reporter_(file, reason);
  else
    std::fprintf(stderr, "briven: %s: %s\n", file.c_str(), reason.c_str());
}

LONG SettingsStore::Resolve(HKEY key, OpenedKey& opened) const {
  if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
    opened.root = key == HKEY_CLASSES_ROOT    ? SettingsRoot::ClassesRoot
                  : key == HKEY_CURRENT_USER ? SettingsRoot::CurrentUser
                                             : SettingsRoot::LocalMachine;
    opened.path.clear();
    opened.access = KEY_ALL_ACCESS;
    return ERROR_SUCCESS;
  }
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(key));
  if (it == handles_.end()) return ERROR_INVALID_HANDLE;
  opened = it->second;
  return ERROR_SUCCESS;
}

HKEY SettingsStore::AddHandle(OpenedKey opened) {
  const std::uintptr_t number = next_handle_;
  next_handle_ += 4;
  handles_[number] = std::move(opened);
  return reinterpret_cast<HKEY>(number);
}

LONG SettingsStore::ReadTree(SettingsStoreFile& file, SettingsRoot root, bool locked,
                             std::shared_ptr<const SettingsKey>& tree) {
  CachedRoot& cached = cache_[file.Path()];
  if (cached.tree && file.Identify() == cached.identity) {
    tree = cached.tree;
    return ERROR_SUCCESS;
  }
  std::string text;
  FileIdentity identity;
  if (const FileProblem problem = file.Read(text, identity)) {
    // Every read of every key meets the same problem: told once while it
    // stays the same, again when it changes or comes back.
    std::string& reported = reported_read_problem_[file.Path()];
    if (reported != problem.reason) Report(file.Path(), problem.reason);
    reported = problem.reason;
    return problem.error;
  }
  reported_read_problem_.erase(file.Path());
  auto parsed = std::make_unique<SettingsKey>();
  std::string why;
  if (ParseSettings(text, *parsed, why)) {
    cached = CachedRoot{identity, std::move(parsed)};
    tree = cached.tree;
    return ERROR_SUCCESS;
  }
  cached = {};
  if (root == SettingsRoot::LocalMachine) {
    // Not ours to move: tell once per version of the file, and read nothing from it.
    FileIdentity& reported = reported_damage_[file.Path()];
    if (reported != identity) Report(file.Path(), "the settings file is damaged (" + why + ")");
    reported = identity;
    return ERROR_REGISTRY_CORRUPT;
  }
  if (!locked) {
    // Only under the lock can we be sure no writer is replacing it right now.
    if (const FileProblem problem = file.Lock()) {
      Report(file.Path(), problem.reason);
      return problem.error;
    }
    const LONG result = ReadTree(file, root, true, tree);
    file.Unlock();
    return result;
  }
  const std::string aside = file.SetAside();
  Report(file.Path(), aside.empty() ? "the settings file is damaged (" + why + ") and could not be moved aside"
                                    : "the settings file is damaged (" + why + "); it was kept as " + aside +
                                          " and new settings start empty");
  return ERROR_REGISTRY_CORRUPT;
}

LONG SettingsStore::LoadTree(SettingsRoot root, std::shared_ptr<const SettingsKey>& tree) {
  SettingsStoreFile file(RootFile(root));
  return ReadTree(file, root, false, tree);
}

LONG SettingsStore::Modify(SettingsRoot root, const Change& change) {
  if (root == SettingsRoot::LocalMachine) return ERROR_ACCESS_DENIED;
  SettingsStoreFile file(RootFile(root));
  if (const FileProblem problem = file.Lock()) {
    Report(file.Path(), problem.reason);
    return problem.error;
  }
  file.RemoveStrayTemporaries();
  std::shared_ptr<const SettingsKey> current;
  LONG result = ReadTree(file, root, true, current);
  if (result != ERROR_SUCCESS) return result;
  std::unique_ptr<SettingsKey> tree = current->Clone();
  bool changed = false;
  result = change(*tree, changed);
  if (result != ERROR_SUCCESS || !changed) return result;
  if (const FileProblem problem = file.Replace(SerializeSettings(*tree))) {
    Report(file.Path(), problem.reason);
    return problem.error;
  }
  cache_[file.Path()] = CachedRoot{file.Identify(), std::move(tree)};
  return ERROR_SUCCESS;
}

LONG SettingsStore::Find(const OpenedKey& opened, std::shared_ptr<const SettingsKey>& tree, const SettingsKey*& key) {
  const LONG result = LoadTree(opened.root, tree);
  if (result != ERROR_SUCCESS) return result;
  key = Walk(*tree, opened.path);
  return key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG SettingsStore::OpenKey(HKEY parent, const char* sub_key, REGSAM access, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::vector<std::string> parts;
  LONG status = Resolve(parent, opened);
  if (status == ERROR_SUCCESS) status = SplitKeyPath(sub_key, parts);
  if (status != ERROR_SUCCESS) return status;
  if (opened.root == SettingsRoot::LocalMachine && (access & kWriteRights)) return ERROR_ACCESS_DENIED;
  std::shared_ptr<const SettingsKey> tree;
  const SettingsKey* key = nullptr;
  status = Find(opened, tree, key);
  if (status != ERROR_SUCCESS) return status;
  if (!Walk(*key, parts)) return ERROR_FILE_NOT_FOUND;
  opened.path.insert(opened.path.end(), parts.begin(), parts.end());
  opened.access = access;
  *result = AddHandle(std::move(opened));
  return ERROR_SUCCESS;
}

LONG SettingsStore::CreateKey(HKEY parent, const char* sub_key, REGSAM access, HKEY* result, DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::vector<std::string> parts;
  LONG status = Resolve(parent, opened);
  if (status == ERROR_SUCCESS) status = SplitKeyPath(sub_key, parts);
  if (status != ERROR_SUCCESS) return status;
  // Refused like an over-long name: a tree deeper than the registry's could
  // not be read back from its file.
  if (opened.path.size() + parts.size() > kMaxSettingsKeyDepth) return ERROR_INVALID_PARAMETER;
  if (opened.root == SettingsRoot::LocalMachine) {
    // Read-only: an existing key opens for reading, nothing is created.
    if (access & kWriteRights) return ERROR_ACCESS_DENIED;
    HKEY key = nullptr;
    status = OpenKey(parent, sub_key, access, &key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_ACCESS_DENIED;
    if (status == ERROR_SUCCESS && disposition) *disposition = REG_OPENED_EXISTING_KEY;
    *result = key;
    return status;
  }
  DWORD outcome = REG_OPENED_EXISTING_KEY;
  status = Modify(opened.root, [&](SettingsKey& root_key, bool& changed) {
    SettingsKey* key = Walk(root_key, opened.path);
    if (!key) return static_cast<LONG>(ERROR_KEY_DELETED);
    for (const std::string& name : parts) {
      SettingsKey* next = key->FindSubkey(name);
      if (!next) {
        if (!(opened.access & KEY_CREATE_SUB_KEY)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
        next = &key->AddSubkey(name);
        changed = true;
        outcome = REG_CREATED_NEW_KEY;
      }
      key = next;
    }
    return static_cast<LONG>(ERROR_SUCCESS);
  });
  if (status != ERROR_SUCCESS) return status;
  if (disposition) *disposition = outcome;
  opened.path.insert(opened.path.end(), parts.begin(), parts.end());
  opened.access = access;
  *result = AddHandle(std::move(opened));
  return ERROR_SUCCESS;
}

LONG SettingsStore::CloseKey(HKEY key) {
  std::lock_guard lock(mutex_);
  const auto number = reinterpret_cast<std::uintptr_t>(key);
  if (number >= 0x80000000u && number <= 0x80000006u) return ERROR_SUCCESS;
  return handles_.erase(number) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG SettingsStore::ConnectRoot(HKEY predefined, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  if (reinterpret_cast<std::uintptr_t>(predefined) < 0x80000000u) return ERROR_INVALID_HANDLE;
  const LONG status = Resolve(predefined, opened);
  if (status != ERROR_SUCCESS) return status;
  *result = AddHandle(std::move(opened));
  return ERROR_SUCCESS;
}

LONG SettingsStore::FindForRead(HKEY key, REGSAM needed, OpenedKey& opened,
                                std::shared_ptr<const SettingsKey>& tree, const SettingsKey*& found) {
  const LONG status = Resolve(key, opened);
  if (status != ERROR_SUCCESS) return status;
  if ((opened.access & needed) != needed) return ERROR_ACCESS_DENIED;
  return Find(opened, tree, found);
}

LONG SettingsStore::QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::shared_ptr<const SettingsKey> tree;
  const SettingsKey* found = nullptr;
  LONG status = FindForRead(key, KEY_QUERY_VALUE, opened, tree, found);
  if (status != ERROR_SUCCESS) return status;
  const SettingsValue* value = found->FindValue(name ? name : "");
  return value ? CopyData(*value, type, data, size) : ERROR_FILE_NOT_FOUND;
}

LONG SettingsStore::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  const std::string value_name = name ? name : "";
  if ((!data && size) || value_name.size() > kMaxSettingsValueName) return ERROR_INVALID_PARAMETER;
  std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  const LONG status = Resolve(key, opened);
  if (status != ERROR_SUCCESS) return status;
  if (!(opened.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return Modify(opened.root, [&](SettingsKey& root_key, bool& changed) {
    SettingsKey* target = Walk(root_key, opened.path);
    if (!target) return static_cast<LONG>(ERROR_KEY_DELETED);
    const SettingsValue* old = target->FindValue(value_name);
    // An unchanged value leaves the file alone; a changed one keeps its place and spelling.
    changed = !old || old->type != type || old->data != bytes;
    if (changed) target->SetValue(value_name, type, std::move(bytes));
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG SettingsStore::DeleteValue(HKEY key, const char* name) {
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  const LONG status = Resolve(key, opened);
  if (status != ERROR_SUCCESS) return status;
  if (!(opened.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  const std::string value_name = name ? name : "";
  return Modify(opened.root, [&](SettingsKey& root_key, bool& changed) {
    SettingsKey* target = Walk(root_key, opened.path);
    if (!target) return static_cast<LONG>(ERROR_KEY_DELETED);
    changed = target->RemoveValue(value_name);
    return static_cast<LONG>(changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  });
}

LONG SettingsStore::DeleteKey(HKEY key, const char* sub_key) {
  if (!sub_key) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::vector<std::string> parts;
  LONG status = Resolve(key, opened);
  if (status == ERROR_SUCCESS) status = SplitKeyPath(sub_key, parts);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::string> target = opened.path;
  target.insert(target.end(), parts.begin(), parts.end());
  if (target.empty()) return ERROR_ACCESS_DENIED;  // a root is never deleted
  const std::string leaf = target.back();
  target.pop_back();
  return Modify(opened.root, [&](SettingsKey& root_key, bool& changed) {
    if (!Walk(root_key, opened.path)) return static_cast<LONG>(ERROR_KEY_DELETED);
    SettingsKey* parent = Walk(root_key, target);
    const SettingsKey* doomed = parent ? parent->FindSubkey(leaf) : nullptr;
    if (!doomed) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    if (!doomed->Subkeys().empty()) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    changed = parent->RemoveSubkey(leaf);
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG SettingsStore::EnumKey(HKEY key, DWORD index, char* name, DWORD* name_size) {
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::shared_ptr<const SettingsKey> tree;
  const SettingsKey* found = nullptr;
  LONG status = FindForRead(key, KEY_ENUMERATE_SUB_KEYS, opened, tree, found);
  if (status != ERROR_SUCCESS) return status;
  if (index >= found->Subkeys().size()) return ERROR_NO_MORE_ITEMS;
  return CopyName(found->Subkeys()[index]->Name(), name, name_size);
}

LONG SettingsStore::EnumValue(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* type, BYTE* data,
                              DWORD* data_size) {
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::shared_ptr<const SettingsKey> tree;
  const SettingsKey* found = nullptr;
  LONG status = FindForRead(key, KEY_QUERY_VALUE, opened, tree, found);
  if (status != ERROR_SUCCESS) return status;
  if (index >= found->Values().size()) return ERROR_NO_MORE_ITEMS;
  const SettingsValue& value = found->Values()[index];
  status = CopyName(value.name, name, name_size);
  const LONG data_status = CopyData(value, type, data, data_size);
  return status != ERROR_SUCCESS ? status : data_status;
}

LONG SettingsStore::QueryInfo(HKEY key, SettingsKeyInfo& info) {
  std::lock_guard lock(mutex_);
  OpenedKey opened;
  std::shared_ptr<const SettingsKey> tree;
  const SettingsKey* found = nullptr;
  const LONG status = FindForRead(key, 0, opened, tree, found);
  if (status != ERROR_SUCCESS) return status;
  info = {};
  info.subkeys = static_cast<DWORD>(found->Subkeys().size());
  for (const auto& subkey : found->Subkeys())
    info.max_subkey_name = std::max(info.max_subkey_name, static_cast<DWORD>(subkey->Name().size()));
  info.values = static_cast<DWORD>(found->Values().size());
  for (const SettingsValue& value : found->Values()) {
    info.max_value_name = std::max(info.max_value_name, static_cast<DWORD>(value.name.size()));
    info.max_value_data = std::max(info.max_value_data, static_cast<DWORD>(value.data.size()));
  }
  // Keys carry no time of their own: the file's last change stands for all of them.
  info.last_write = FileTimeFromNanoseconds(cache_[RootFile(opened.root)].identity.mtime_ns);
  return ERROR_SUCCESS;
}

}  // namespace sys

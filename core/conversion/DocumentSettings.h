// The conversion document's "Settings" section: whether settings are saved,
// the overwrite question, closing the progress window, and the conversion
// log with its folder.
#pragma once

#include <string>

struct DocumentSettings {
  int save_settings = 1;
  int overwrite_prompt = 1;
  int dismiss_progress = 0;
  int conversion_log = 0;
  std::string conversion_log_folder;  // ends with a separator

  // A value that is absent (read back as -1, or "-1" or empty for the
  // folder) keeps the built-in one.
  void Load();
  // Values the command line set for this run are left as they are stored.
  struct RunOverrides {
    bool overwrite = false;
    bool endwindow = false;
    bool conversion_log = false;
  };
  bool Save(const RunOverrides& overrides) const;
};

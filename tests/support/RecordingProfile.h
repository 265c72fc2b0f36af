// An in-memory profile that keeps the keys in the order and spelling they
// were written, and can refuse one key to stand for a store that failed;
// installed as the application profile for the test's life.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sys/Profile.h"

namespace testsupport {

class RecordingProfile : public sys::MemoryProfile {
 public:
  bool WriteInt(const std::string& section, const std::string& key, int value) override {
    written.push_back(section + "/" + key);
    return key != refused_key && MemoryProfile::WriteInt(section, key, value);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    written.push_back(section + "/" + key);
    return key != refused_key && MemoryProfile::WriteString(section, key, value);
  }
  std::vector<std::string> written;
  std::string refused_key;
};

class RecordingProfileTest : public testing::Test {
 protected:
  void SetUp() override { sys::SetAppProfile(&profile_); }
  void TearDown() override { sys::SetAppProfile(nullptr); }
  RecordingProfile profile_;
};

}  // namespace testsupport

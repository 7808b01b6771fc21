#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// Keys of the current user held in memory, paths compared without regard to case.
// Values enumerate in the order they were set, as a fresh key's do.
class FakeRegistry final : public Registry, public Faultable {
 public:
  struct Key {
    std::vector<std::pair<std::string, RegistryValue>> values;
  };

  void AddKey(const std::string& path) { keys_[Lower(path)]; }
  void SetValue(const std::string& path, const std::string& name, RegistryValue value);
  void SetText(const std::string& path, const std::string& name, const std::string& text) {
    SetValue(path, name, {kRegistryString, text});
  }
  bool HasKey(const std::string& path) const { return keys_.count(Lower(path)) != 0; }
  // The value names of the key in enumeration order; empty for a missing key.
  std::vector<std::string> ValueNames(const std::string& path) const;

  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) override;
  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) override;

  std::set<std::string> unopenable;   // lower-case paths that exist but do not open
  bool infoFails = false;             // the value count cannot be asked
  std::set<std::string> undeletable;  // value names whose deletion fails
  std::vector<std::string> deleted;   // value names deleted, in order
  std::vector<std::string> opened;    // paths asked for, in order
  int openKeys = 0;                   // keys not yet closed

 private:
  class OpenKey;
  static std::string Lower(std::string text);
  std::map<std::string, Key> keys_;
};

}  // namespace quillmere::testing

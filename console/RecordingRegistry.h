#pragma once

#include "console/Ledger.h"
#include "platform/Registry.h"

namespace quillmere {

// The current user's registry as a run sees it: keys and values are read from
// `registry`, and every value deletion is entered in the ledger; no value is written. A run reads
// each list once, so a preview need not hide the values it would delete.
class RecordingRegistry final : public Registry {
 public:
  RecordingRegistry(Registry& registry, Ledger& ledger) : registry_(registry), ledger_(ledger) {}

  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) override;
  // A run removes and writes nothing else: no key is made.
  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string&) override { return nullptr; }

 private:
  Registry& registry_;
  Ledger& ledger_;
};

}  // namespace quillmere

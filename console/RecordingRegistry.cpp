#include "console/RecordingRegistry.h"

#include <string>

namespace quillmere {
namespace {

class RecordingKey final : public RegistryKey {
 public:
  RecordingKey(std::unique_ptr<RegistryKey> key, std::string path, Ledger& ledger)
      : key_(std::move(key)), path_(std::move(path)), ledger_(ledger) {}

  std::optional<RegistryKeyInfo> Info() const override { return key_->Info(); }
  std::optional<std::string> ValueName(std::uint32_t index,
                                       std::uint32_t bufferLength) const override {
    return key_->ValueName(index, bufferLength);
  }
  std::optional<RegistryValue> ReadValue(const std::string& name) const override {
    return key_->ReadValue(name);
  }

  bool WriteValue(const std::string&, const RegistryValue&) override { return false; }

  bool DeleteValue(const std::string& name) override {
    return ledger_.Remove(ItemName(name), std::nullopt, [&] { return key_->DeleteValue(name); });
  }

 private:
  // The value's full name, and what a text value holds: the address typed, the
  // command run, the file played.
  std::string ItemName(const std::string& name) const {
    std::string item = "HKCU\\" + path_ + "\\" + (name.empty() ? "(Default)" : name);
    const auto value = key_->ReadValue(name);
    if (value && (value->type == kRegistryString || value->type == kRegistryExpandString))
      item += " = " + value->data;
    return item;
  }

  std::unique_ptr<RegistryKey> key_;
  std::string path_;
  Ledger& ledger_;
};

}  // namespace

std::unique_ptr<RegistryKey> RecordingRegistry::OpenCurrentUserKey(const std::string& path) {
  auto key = registry_.OpenCurrentUserKey(path);
  if (!key) return nullptr;
  return std::make_unique<RecordingKey>(std::move(key), path, ledger_);
}

}  // namespace quillmere

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "cleaners/RegistryCleaner.h"
#include "platform/win32/Win32Registry.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

constexpr const char* kScratchKey = "Software\\Quillmere Tests\\Registry";

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

std::vector<std::string> ValueNames(const std::string& key) {
  std::vector<std::string> names;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumValueA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  RegCloseKey(handle);
  return names;
}

class RealRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillmere Tests"); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillmere Tests"); }

  win32::Win32Registry registry;
  FakeRunReport report;
};

TEST_F(RealRegistryTest, ThePortReadsEnumeratesAndDeletesValues) {
  SetRegistryText(kScratchKey, "History", "C:\\Hist");
  SetRegistryText(kScratchKey, "Expandable", "%USERPROFILE%\\x", REG_EXPAND_SZ);
  HKEY handle = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_ALL_ACCESS, &handle);
  const DWORD number = 7;
  RegSetValueExA(handle, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(handle);

  const auto key = registry.OpenCurrentUserKey(kScratchKey);
  ASSERT_TRUE(key);
  const auto info = key->Info();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->valueCount, 3u);
  EXPECT_EQ(info->longestValueName, 10u);
  // Wine lists values in name order, Windows in the order they were set.
  std::vector<std::string> names;
  for (std::uint32_t i = 0; i < 3; ++i) names.push_back(key->ValueName(i, 11).value_or("?"));
  EXPECT_THAT(names, UnorderedElementsAre("History", "Expandable", "Number"));
  const auto expandableAt = static_cast<std::uint32_t>(
      std::find(names.begin(), names.end(), "Expandable") - names.begin());
  EXPECT_EQ(key->ValueName(expandableAt, 10), std::nullopt);  // no room for the zero
  EXPECT_EQ(key->ValueName(3, 11), std::nullopt);

  EXPECT_EQ(key->ReadValue("History")->data, "C:\\Hist");
  EXPECT_EQ(key->ReadValue("History")->type, kRegistryString);
  const auto expandable = key->ReadValue("Expandable");
  EXPECT_EQ(expandable->type, kRegistryExpandString);
  EXPECT_EQ(expandable->data, "%USERPROFILE%\\x");  // as stored, not expanded
  EXPECT_EQ(key->ReadValue("Number")->type, static_cast<std::uint32_t>(REG_DWORD));
  EXPECT_EQ(key->ReadValue("Number")->data, std::string("\x07\0\0\0", 4));
  EXPECT_EQ(key->ReadValue("Missing"), std::nullopt);

  EXPECT_TRUE(key->DeleteValue("Number"));
  EXPECT_FALSE(key->DeleteValue("Number"));
  EXPECT_THAT(ValueNames(kScratchKey), UnorderedElementsAre("History", "Expandable"));
}

TEST_F(RealRegistryTest, OpeningAMissingKeyNeverCreatesIt) {
  EXPECT_EQ(registry.OpenCurrentUserKey(kScratchKey), nullptr);
  EXPECT_FALSE(KeyExists(kScratchKey));
}

TEST_F(RealRegistryTest, EachListLosesItsValuesAndKeepsItsSubkeys) {
  const std::string typed = kTypedUrlsKey;
  SetRegistryText(typed, "url1", "http://one.example/");
  SetRegistryText(typed, "url2", "http://two.example/");
  SetRegistryText(typed, "url3", "http://three.example/");
  SetRegistryText(typed + "\\Quillmere Sub", "kept", "stays");
  const std::string media = kMediaPlayerRecentKey;
  SetRegistryText(media, "File0", "C:\\music\\a.mp3");
  SetRegistryText(media, "File1", "C:\\music\\b.mp3");
  SetRegistryText(media, "", "default value");
  RegDeleteTreeA(HKEY_CURRENT_USER, kRunMruKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kRunMruKey);

  ClearRegistryList(registry, report, typed);
  EXPECT_THAT(report.maxima, ElementsAre(3));
  EXPECT_THAT(report.positions, ElementsAre(2, 1, 0, 0));
  ClearRegistryList(registry, report, media);
  ClearRegistryList(registry, report, kRunMruKey);

  EXPECT_TRUE(KeyExists(typed));
  EXPECT_TRUE(ValueNames(typed).empty());
  EXPECT_THAT(ValueNames(typed + "\\Quillmere Sub"), ElementsAre("kept"));
  EXPECT_TRUE(KeyExists(media));
  EXPECT_TRUE(ValueNames(media).empty());
  EXPECT_FALSE(KeyExists(kRunMruKey));
  EXPECT_THAT(report.maxima, ElementsAre(3, 3, 0));
  RegDeleteTreeA(HKEY_CURRENT_USER, (typed + "\\Quillmere Sub").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, (typed + "\\Quillmere Sub").c_str());
}

}  // namespace
}  // namespace quillmere

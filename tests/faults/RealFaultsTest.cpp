// Faults the real file system and registry bring, met by the real ports in the
// sandbox: a file another process holds, a folder that goes while it is purged, a
// History value of the wrong type.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cleaners/FolderPurge.h"
#include "cleaners/HistoryPurge.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/HeldByAnotherProcess.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using UniqueHandle = win32::UniqueKernelHandle;
using Texts = std::vector<std::string>;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The files a purge said it deleted, by their names.
Texts DeletedNames(const Texts& lines) {
  Texts names;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].starts_with("Deleting : ") && lines[i + 1] == "Deleted !")
      names.push_back(lines[i].substr(11));
  }
  return names;
}

TEST(RealFaults, AFileAnotherProcessHoldsIsNamedAndThePurgeDeletesTheRest) {
  const std::string cache = "C:\\AOL50\\CACHE";
  RemoveTree("C:\\AOL50");
  MakeFolders(cache + "\\img");
  const Texts names = {"first.htm", "held.htm", "last.htm", "logo.gif"};
  for (const char* file : {"first.htm", "held.htm", "last.htm"}) WriteFile(cache + "\\" + file);
  WriteFile(cache + "\\img\\logo.gif");
  win32::Win32Files files;
  FakeRunReport report;
  {
    const HeldByAnotherProcess held(cache + "\\held.htm");
    ASSERT_TRUE(held.Holding());
    CleanAol(files, report);
  }

  const Texts& lines = report.lines;
  const auto at = std::find(lines.begin(), lines.end(), "Deleting : held.htm");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at + 1), "Could Not Delete : held.htm");
  EXPECT_THAT(DeletedNames(lines),
              UnorderedElementsAreArray({"first.htm", "last.htm", "logo.gif"}));
  EXPECT_TRUE(PathExists(cache + "\\held.htm"));
  for (const char* gone : {"\\first.htm", "\\last.htm", "\\img\\logo.gif"})
    EXPECT_FALSE(PathExists(cache + gone)) << gone;
  EXPECT_EQ(lines.back(), "AOL 6.0 Clean!");
  EXPECT_THAT(lines, Not(Contains("Error Removing AOL Files")));
  RemoveTree("C:\\AOL50");
}

// The real file system, but a folder of one name is removed right after a search has
// yielded it, before the purge enters it.
class VanishingFiles final : public Files {
 public:
  explicit VanishingFiles(std::string name) : name_(std::move(name)) {}

  std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const override {
    const std::string folder = pattern.substr(0, pattern.find_last_of('\\') + 1);
    return std::make_unique<VanishingSearch>(real_.Search(pattern), folder + name_, name_);
  }
  bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }
  std::optional<std::uint32_t> Attributes(const std::string& path) const override {
    return real_.Attributes(path);
  }
  DriveSpace CurrentDriveSpace() const override { return real_.CurrentDriveSpace(); }
  std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const override {
    return real_.ReadFile(path, limit);
  }
  bool WriteFile(const std::string& path, std::string_view content) override {
    return real_.WriteFile(path, content);
  }

 private:
  struct VanishingSearch final : DirectorySearch {
    VanishingSearch(std::unique_ptr<DirectorySearch> s, std::string p, std::string n)
        : search(std::move(s)), path(std::move(p)), name(std::move(n)) {}
    std::optional<DirectoryEntry> Next() override {
      auto entry = search->Next();
      if (entry && entry->name == name) RemoveTree(path);
      return entry;
    }
    bool Failed() const override { return search->Failed(); }

    std::unique_ptr<DirectorySearch> search;
    std::string path, name;
  };

  win32::Win32Files real_;
  std::string name_;
};

TEST(RealFaults, AFolderThatVanishesBeforeThePurgeEntersItLeavesNothingToSay) {
  const std::string base = "C:\\quillmere-vanish-test";
  RemoveTree(base);
  MakeFolders(base + "\\tree\\vanishing\\deeper");
  MakeFolders(base + "\\tree\\kept");
  for (const char* file : {"\\tree\\a.txt", "\\tree\\z.txt", "\\tree\\kept\\b.txt",
                           "\\tree\\vanishing\\inside.txt", "\\tree\\vanishing\\deeper\\c.txt"})
    WriteFile(base + file);
  VanishingFiles files("vanishing");
  FakeRunReport report;

  PurgeFolder(files, report, base + "\\tree");

  EXPECT_FALSE(PathExists(base + "\\tree\\vanishing"));
  EXPECT_THAT(DeletedNames(report.lines), UnorderedElementsAreArray({"a.txt", "z.txt", "b.txt"}));
  EXPECT_EQ(report.lines.size(), 6u);  // nothing of, or about, the folder that went
  EXPECT_THAT(report.lines, Not(Contains(HasSubstr("Could Not Delete"))));
  EXPECT_TRUE(PathExists(base + "\\tree\\kept"));
  RemoveTree(base);
}

TEST(RealFaults, AHistoryValueOfTheWrongTypeEndsThePurgeWithItsErrorLineBeforeAnyFile) {
  // The folder's path as bytes of another type: read as text, it would be purged.
  const std::string folder = "C:\\quillmere-type-test\\History";
  RemoveTree("C:\\quillmere-type-test");
  MakeFolders(folder + "\\Today");
  WriteFile(folder + "\\index.dat");
  WriteFile(folder + "\\Today\\index.dat");
  char saved[MAX_PATH] = {};
  DWORD savedSize = sizeof saved;
  const bool hadValue = RegGetValueA(HKEY_CURRENT_USER, kShellFolders, "History", RRF_RT_REG_SZ,
                                     nullptr, saved, &savedSize) == ERROR_SUCCESS;
  SetRegistryText(kShellFolders, "History", folder, REG_BINARY);

  win32::Win32Platform platform;
  const Ports& ports = platform.ports();
  FakeRunReport report;
  TUrlHistory history(ports.historyStore, ports.localeTime);
  history.OnDelete = [&report](const std::string&, const std::string& Url, TDateTime, TDateTime,
                               TDateTime,
                               bool& Delete) { ApproveHistoryDeletion(report, Url, Delete); };
  PurgeUrlHistory(history, ports.registry, ports.files, report);

  if (hadValue) {
    SetRegistryText(kShellFolders, "History", saved);
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFolders, "History");
  }
  ASSERT_FALSE(report.lines.empty());
  EXPECT_EQ(report.lines.back(), "Error Removing Data From Index.Dat");
  EXPECT_THAT(report.lines[report.lines.size() - 2], ::testing::StartsWith("Removed : "));
  EXPECT_THAT(report.lines, Not(Contains("Deleting History Files...")));
  EXPECT_TRUE(PathExists(folder + "\\index.dat"));
  EXPECT_TRUE(PathExists(folder + "\\Today\\index.dat"));
  RemoveTree("C:\\quillmere-type-test");
}

}  // namespace
}  // namespace quillmere

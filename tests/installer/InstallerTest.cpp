// The release's MSI under Windows Installer, as an administrator deploys it silently:
// install, upgrade over an older package, a downgrade refused, uninstall; and the
// installed programs as a user then meets them. scripts/test-package builds the two
// packages and names them in the environment.
#include <windows.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "helpers/Traces.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/Matchers.h"
#include "tests/support/StartedProgram.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using UniqueKey = win32::UniqueHandle<HKEY, RegCloseKey>;

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct Package {
  std::string msi;
  std::string version;
};

std::string Environment(const std::string& name) {
  char value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
  return length && length < sizeof value ? std::string(value, length) : std::string();
}

Package PackageNamed(const std::string& which) {
  return {Environment("QUILLMERE_" + which + "_MSI"),
          Environment("QUILLMERE_" + which + "_VERSION")};
}

DWORD Msiexec(const std::string& arguments) {
  return ExitCodeOfProgram("msiexec.exe " + arguments + " /qn", 180000);
}

std::string InstallFolder() { return ShellFolder(CSIDL_PROGRAM_FILES) + "\\Quillmere"; }

std::vector<std::string> FilesIn(const std::string& folder) {
  return FilesMatching(folder + "\\*");
}

// On Windows a per-machine package puts its shortcut into the common Start menu;
// Wine's installer ignores ALLUSERS there and uses the user's. Either counts, once.
std::vector<std::string> StartMenuShortcuts() {
  std::vector<std::string> found;
  for (const int folder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    const std::string link = ShellFolder(folder) + "\\Quillmere.lnk";
    if (PathExists(link)) found.push_back(link);
  }
  return found;
}

struct ShortcutTarget {
  std::string program;
  std::string folder;
};

ShortcutTarget ReadShortcut(const std::string& link) {
  ShortcutTarget target;
  IShellLinkA* raw = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&raw)))) {
    ADD_FAILURE() << "no shell link object";
    return target;
  }
  const win32::UniqueCom<IShellLinkA> shortcut(raw);
  IPersistFile* rawFile = nullptr;
  if (FAILED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) {
    ADD_FAILURE() << "the shell link cannot be loaded from a file";
    return target;
  }
  const win32::UniqueCom<IPersistFile> file(rawFile);
  // The user's Start menu lies in a profile named in UTF-8 ("Zoë Łukasz 李").
  if (FAILED(file->Load(win32::Widen(link).c_str(), STGM_READ))) {
    ADD_FAILURE() << "cannot read " << link;
    return target;
  }
  char text[MAX_PATH] = {};
  if (SUCCEEDED(shortcut->GetPath(text, MAX_PATH, nullptr, 0))) target.program = text;
  if (SUCCEEDED(shortcut->GetWorkingDirectory(text, MAX_PATH))) target.folder = text;
  return target;
}

// An entry of Programs and Features that Windows Installer made for Quillmere.
struct Entry {
  std::string productCode;
  std::string version;
  std::string publisher;
  std::string uninstall;
};

std::string KeyText(HKEY key, const std::string& subkey, const char* name) {
  char text[512] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(key, subkey.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                   nullptr, text, &size) != ERROR_SUCCESS) {
    return {};
  }
  return text;
}

// Quillmere's entries in both registry views, so that an entry that went astray to
// the 32-bit one is counted too.
std::vector<Entry> Entries() {
  std::vector<Entry> entries;
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &raw) !=
        ERROR_SUCCESS) {
      continue;
    }
    const UniqueKey uninstall(raw);
    char name[256];
    for (DWORD index = 0, length = sizeof name;
         RegEnumKeyExA(raw, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
         ++index, length = sizeof name) {
      if (KeyText(raw, name, "DisplayName") != "Quillmere") continue;
      entries.push_back({name, KeyText(raw, name, "DisplayVersion"),
                         KeyText(raw, name, "Publisher"), KeyText(raw, name, "UninstallString")});
    }
  }
  return entries;
}

// The icon Programs and Features shows for an installed package.
std::string ProductIcon(const std::string& productCode) {
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (MsiGetProductInfoA(productCode.c_str(), INSTALLPROPERTY_PRODUCTICON, path, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return path;
}

struct VersionResource {
  std::string fileVersion;
  std::string productVersion;
  std::string productName;
  std::string companyName;
  std::string description;
  std::string copyright;
  std::string fixedFileVersion;  // the numbers, as "1.2.3.4"
};

VersionResource ReadVersionResource(const std::string& file) {
  VersionResource read;
  std::vector<char> data(GetFileVersionInfoSizeA(file.c_str(), nullptr));
  if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, data.size(), data.data())) {
    ADD_FAILURE() << file << " has no version resource";
    return read;
  }
  const auto text = [&data](const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !length) {
      return std::string();
    }
    return std::string(value);
  };
  read.fileVersion = text("FileVersion");
  read.productVersion = text("ProductVersion");
  read.productName = text("ProductName");
  read.companyName = text("CompanyName");
  read.description = text("FileDescription");
  read.copyright = text("LegalCopyright");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    read.fixedFileVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                            std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                            std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                            std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  return read;
}

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Package* package : {&older, &newer, &rebuilt}) {
      ASSERT_FALSE(package->msi.empty() || package->version.empty())
          << "run by scripts/test-package, which names the packages in QUILLMERE_OLDER_MSI, "
             "QUILLMERE_OLDER_VERSION, QUILLMERE_NEWER_MSI, QUILLMERE_NEWER_VERSION and "
             "QUILLMERE_REBUILT_MSI";
    }
    RemoveEveryInstall();
  }
  void TearDown() override { RemoveEveryInstall(); }

  // What an earlier test left installed goes, by its product code.
  static void RemoveEveryInstall() {
    for (const Entry& entry : Entries()) Msiexec("/x " + entry.productCode);
  }

  static void ExpectNothingLeft() {
    EXPECT_THAT(Entries(), IsEmpty());
    EXPECT_FALSE(PathExists(InstallFolder())) << ::testing::PrintToString(FilesIn(InstallFolder()));
    EXPECT_THAT(StartMenuShortcuts(), IsEmpty());
  }

  // Everything `package` installs, and its version wherever a version is shown.
  static void ExpectInstalled(const Package& package) {
    const std::string folder = InstallFolder();
    EXPECT_THAT(FilesIn(folder), ElementsAre("LICENSE.txt", "Quillmere.exe", "README.txt",
                                             "THIRD-PARTY-NOTICES.txt", "quillmere-cli.exe"));
    const std::vector<Entry> entries = Entries();
    ASSERT_EQ(entries.size(), 1u) << "one entry in Programs and Features";
    const Entry& entry = entries.front();
    EXPECT_EQ(entry.version, package.version);
    EXPECT_EQ(entry.publisher, "The Quillmere authors");
    EXPECT_THAT(entry.uninstall, HasSubstr(entry.productCode));
    const std::string icon = ProductIcon(entry.productCode);
    EXPECT_TRUE(PathExists(icon)) << "the entry's icon '" << icon << "'";

    const std::vector<std::string> shortcuts = StartMenuShortcuts();
    ASSERT_EQ(shortcuts.size(), 1u);
    const ShortcutTarget target = ReadShortcut(shortcuts.front());
    EXPECT_EQ(target.program, folder + "\\Quillmere.exe");
    EXPECT_EQ(target.folder, folder + "\\");  // as the installer spells a folder

    std::vector<std::string> descriptions;
    for (const char* program : {"Quillmere.exe", "quillmere-cli.exe"}) {
      SCOPED_TRACE(program);
      const VersionResource resource = ReadVersionResource(folder + "\\" + program);
      EXPECT_EQ(resource.fileVersion, package.version);
      EXPECT_EQ(resource.productVersion, package.version);
      EXPECT_EQ(resource.fixedFileVersion, package.version + ".0");
      EXPECT_EQ(resource.productName, "Quillmere");
      EXPECT_EQ(resource.companyName, entry.publisher);
      EXPECT_THAT(resource.copyright, HasSubstr(entry.publisher));
      descriptions.push_back(resource.description);
    }
    EXPECT_THAT(descriptions, ElementsAre(Not(IsEmpty()), Not(IsEmpty())));
    EXPECT_NE(descriptions[0], descriptions[1]) << "each program says what it is";

    const Finished version = RunForOutput("\"" + folder + "\\quillmere-cli.exe\" --version");
    EXPECT_EQ(version.exitCode, 0u);
    EXPECT_THAT(version.out, ElementsAre("quillmere-cli " + package.version));
  }

  const Package older = PackageNamed("OLDER");
  const Package newer = PackageNamed("NEWER");
  // Another build of the newer package: the same version, its own package code.
  const Package rebuilt = {Environment("QUILLMERE_REBUILT_MSI"), newer.version};
};

TEST_F(InstallerTest, InstallsBothProgramsTheShortcutAndTheEntryAndQuillmereStarts) {
  ASSERT_EQ(Msiexec("/i \"" + newer.msi + "\""), 0u);
  ExpectInstalled(newer);

  // Started as the shortcut starts it.
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(StartProgram("\"" + InstallFolder() + "\\Quillmere.exe\"", info));
  const win32::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  const HWND mainWindow = WaitForWindow(info.dwProcessId, "TEraserForm");
  ASSERT_NE(mainWindow, nullptr) << "the installed Quillmere shows its main window";
  char title[128] = {};
  GetWindowTextA(mainWindow, title, sizeof title);
  EXPECT_THAT(title, ::testing::StartsWith("Quillmere : "));
  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(InstallerTest, UninstallRemovesEveryFileTheShortcutAndTheEntry) {
  ASSERT_EQ(Msiexec("/i \"" + newer.msi + "\""), 0u);
  const std::vector<Entry> entries = Entries();
  ASSERT_EQ(entries.size(), 1u);
  const std::string icon = ProductIcon(entries.front().productCode);
  ASSERT_TRUE(PathExists(icon));

  EXPECT_EQ(Msiexec("/x \"" + newer.msi + "\""), 0u);
  ExpectNothingLeft();
  EXPECT_FALSE(PathExists(icon)) << "the installer's copy of the icon";
}

TEST_F(InstallerTest, ANewerPackageReplacesTheOlderOneUnderOneEntry) {
  ASSERT_EQ(Msiexec("/i \"" + older.msi + "\""), 0u);
  ExpectInstalled(older);
  ASSERT_EQ(Msiexec("/i \"" + newer.msi + "\""), 0u);
  ExpectInstalled(newer);
  EXPECT_EQ(Msiexec("/x \"" + newer.msi + "\""), 0u);
  ExpectNothingLeft();
}

TEST_F(InstallerTest, AnOlderPackageDoesNotReplaceANewerOne) {
  ASSERT_EQ(Msiexec("/i \"" + newer.msi + "\""), 0u);
  EXPECT_NE(Msiexec("/i \"" + older.msi + "\""), 0u);
  ExpectInstalled(newer);
}

TEST_F(InstallerTest, APackageRebuiltAtTheSameVersionIsNoSecondProduct) {
  ASSERT_EQ(Msiexec("/i \"" + rebuilt.msi + "\""), 0u);
  Msiexec("/i \"" + newer.msi + "\"");  // refused, or taken as the same product
  ExpectInstalled(newer);
}

}  // namespace
}  // namespace quillmere

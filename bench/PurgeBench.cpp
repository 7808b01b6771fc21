// PurgeFolder over a tree of 10,000 files against the bare loop of directory search
// and file deletion it is built on. Run it in the sandbox: it makes and deletes the
// tree C:\quillmere-bench.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "cleaners/FolderPurge.h"
#include "platform/win32/Win32Files.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;
const std::string kTree = "C:\\quillmere-bench";

class CountingReport final : public quillmere::RunReport {
 public:
  void ShowStatus(std::string_view) override { ++lines; }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}
  long lines = 0;
};

void MakeTree() {
  CreateDirectoryA(kTree.c_str(), nullptr);
  for (int f = 0; f < kFolders; ++f) {
    const std::string folder = kTree + "\\folder" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i) {
      std::ofstream(folder + "\\file" + std::to_string(i) + ".tmp") << "cached page";
    }
  }
}

// The same walk with nothing around it: search, recurse into plain folders, delete.
long BareLoop(const std::string& folder) {
  long deleted = 0;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
      deleted += BareLoop(folder + "\\" + name);
    } else if (DeleteFileA((folder + "\\" + name).c_str())) {
      ++deleted;
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return deleted;
}

template <typename Run>
double TimeIt(Run run) {
  MakeTree();
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  if (GetFileAttributesA("Z:\\") != INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "Drive Z: is present: run this in the sandbox.\n");
    return 1;
  }
  quillmere::win32::Win32Files files;
  std::vector<double> purge;
  std::vector<double> bare;
  long lines = 0;
  long deleted = 0;
  for (int round = 0; round < kRounds; ++round) {
    CountingReport report;
    purge.push_back(TimeIt([&] { quillmere::PurgeFolder(files, report, kTree); }));
    lines = report.lines;
    bare.push_back(TimeIt([&] { deleted = BareLoop(kTree); }));
  }
  for (int f = 0; f < kFolders; ++f)
    RemoveDirectoryA((kTree + "\\folder" + std::to_string(f)).c_str());
  RemoveDirectoryA(kTree.c_str());

  std::printf("%d files in %d folders, median of %d rounds\n", kFolders * kFilesPerFolder, kFolders,
              kRounds);
  std::printf("PurgeFolder: %.1f ms (%ld status lines)\n", Median(purge), lines);
  std::printf("bare loop:   %.1f ms (%ld files deleted)\n", Median(bare), deleted);
  std::printf("ratio:       %.2f\n", Median(purge) / Median(bare));
  return 0;
}

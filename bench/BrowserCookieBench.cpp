// The browsers' cookie stores against the URL cache, each figure a ratio of two
// measurements taken in the same run:
//   B1  the cookie page's Refresh with a Chrome store of 10,000 cookies (and an empty
//       cache) against a Refresh of 10,000 URL-cache cookies (and no browser);
//   B2  the console's clean of chromium-cookies over that store against its clean of
//       cookies over those 10,000 cache cookies;
//   and the peak memory of the program with 100,000 browser cookies listed (in a
//   process of its own).
// The Chrome store is the test data's real one, grown with copies of its own rows.
// Run it in a sandbox of its own (scripts/bench does).
//   browser_cookie_bench.exe          every row
//   browser_cookie_bench.exe memory   the memory row alone, over the stores as they are
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/EraserForm.h"
#include "bench/CacheFill.h"
#include "bench/Measure.h"
#include "console/Commands.h"
#include "platform/Database.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"

namespace {

using namespace quillmere;

std::string ChromeFolder() {
  return win32::Win32Shell().FolderPath(UserFolder::kLocalAppData).value_or("") +
         "\\Google\\Chrome";
}

// A path of the file system, wide: the sandbox user's name is beyond every ANSI code
// page.
std::filesystem::path Wide(const std::string& path) { return win32::Widen(path); }

std::string Cookies() { return ChromeFolder() + "\\User Data\\Default\\Network\\Cookies"; }

// Chrome installed with the test data's Default profile, its cookies grown to `count`
// rows by copies of its own first row under hosts of their own.
void InstallChrome(int count) {
  std::error_code error;
  std::filesystem::remove_all(Wide(ChromeFolder()), error);
  const std::string network = ChromeFolder() + "\\User Data\\Default\\Network";
  std::filesystem::create_directories(Wide(network));
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::filesystem::copy_file(std::filesystem::path(self).parent_path() / QUILLMERE_BROWSER_DATA /
                                 "chromium" / "User Data" / "Default" / "Network" / "Cookies",
                             Wide(network + "\\Cookies"));
  Database db(Cookies());
  std::vector<std::string> columns;
  for (Statement info = db.Prepare("PRAGMA table_info(cookies)"); info.Step();)
    columns.push_back(info.Text(1));
  std::string names;
  std::string values;
  for (const std::string& column : columns) {
    names += (names.empty() ? "" : ", ") + column;
    values += (values.empty() ? "" : ", ") + (column == "host_key" ? std::string("?") : column);
  }
  db.Execute("DELETE FROM cookies WHERE rowid NOT IN (SELECT min(rowid) FROM cookies)");
  Transaction grow(db);
  Statement copy = db.Prepare("INSERT INTO cookies (" + names + ") SELECT " + values +
                              " FROM cookies WHERE rowid = (SELECT min(rowid) FROM cookies)");
  for (int i = 1; i < count; ++i) {
    copy.Bind(1, "host" + std::to_string(i) + ".bench.test");
    copy.Step();
    copy.Reset();
  }
  grow.Commit();
}

void RemoveChrome() {
  std::error_code error;
  std::filesystem::remove_all(Wide(ChromeFolder()), error);
}

struct Silent final : public Console {
  void Out(std::string_view) override {}
  void Err(std::string_view line) override {
    std::fprintf(stderr, "%.*s\n", int(line.size()), line.data());
  }
};

struct RealPorts final : public PortsSource {
  explicit RealPorts(win32::Win32Platform& platform) : platform_(platform) {}
  Ports Open() override { return platform_.ports(); }
  win32::Win32Platform& platform_;
};

double Clean(win32::Win32Platform& platform, const char* target) {
  Silent console;
  RealPorts ports(platform);
  return bench::Milliseconds([&] {
    RunCommand(ParseArguments({"clean", target}), console, ports);
  });
}

std::string Ms(double ms) { return bench::Fixed(ms, 0) + " ms"; }

// A Refresh of the cookie page in a shown window, once its first reading is over.
double Refresh(win32::Win32Platform& platform) {
  double ms = 0;
  {
    TEraserForm form(platform.ports());
    form.Show();
    bench::Pump(1500);
    ms = bench::Milliseconds([&] { form.CookiePage().OnCommand(ToolButton3); });
  }
  bench::TakeQuitMessage();
  return ms;
}

void Figures(win32::Win32Platform& platform, int rounds) {
  std::vector<double> cacheRefresh, chromeRefresh, cacheClean, chromeClean;
  for (int round = 0; round < rounds; ++round) {
    RemoveChrome();
    bench::Fill(0, 10000);
    cacheRefresh.push_back(Refresh(platform));
    cacheClean.push_back(Clean(platform, "cookies"));
    bench::EmptyCache();
    InstallChrome(10000);
    chromeRefresh.push_back(Refresh(platform));
    chromeClean.push_back(Clean(platform, "chromium-cookies"));
  }
  const auto row = [&](const char* figure, const std::string& what, const std::vector<double>& a,
                       const std::vector<double>& b, const char* goal) {
    bench::PrintRow(figure, what, bench::Fixed(bench::Median(a) / bench::Median(b), 2), goal,
                    Ms(bench::Median(a)) + " / " + Ms(bench::Median(b)) + ", median of " +
                        std::to_string(rounds));
  };
  row("B1", "Refresh, Chrome store of 10,000 / URL cache of 10,000", chromeRefresh, cacheRefresh,
      "<= 1.0");
  row("B2", "clean chromium-cookies / clean cookies, 10,000 each", chromeClean, cacheClean,
      "<= 0.3");
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::ReadyInSandbox()) return 1;
  if (argc == 2 && std::strcmp(argv[1], "memory") == 0)
    return bench::ListedMemory("browser cookies");

  const win32::ComApartment com;
  win32::Win32Platform platform;
  bench::EmptyCache();
  Figures(platform, 3);
  bench::EmptyCache();
  InstallChrome(100000);
  bench::RunChild("memory");
  RemoveChrome();
  return 0;
}

#include "tests/fakes/FaultSweep.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string_view>

namespace quillmere::testing {
namespace {

using Texts = std::vector<std::string>;

// Paths are named without regard to case.
std::string Lower(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Join(const Texts& texts, std::string_view between) {
  std::string joined;
  for (std::size_t i = 0; i < texts.size(); ++i)
    joined += (i ? std::string(between) : "") + texts[i];
  return joined;
}

// At most three, and how many more.
std::string Some(const Texts& texts) {
  if (texts.size() <= 3) return Join(texts, ", ");
  return Join({texts.begin(), texts.begin() + 3}, ", ") + " and " +
         std::to_string(texts.size() - 3) + " more";
}

std::set<std::string> Deleted(const FaultRun& run) {
  std::set<std::string> what;
  for (const FaultPlan::Deletion& d : run.deletions) what.insert(d.what);
  return what;
}

// The lines of `run` that the clean run does not have, each as often as it is extra.
Texts NewLines(const FaultRun& clean, const FaultRun& run) {
  std::multiset<std::string> old;
  for (const auto& line : clean.lines) old.insert(line.text);
  Texts added;
  for (const auto& line : run.lines) {
    if (const auto it = old.find(line.text); it != old.end()) {
      old.erase(it);
    } else {
      added.push_back(line.text);
    }
  }
  return added;
}

// What the failure may cost: nothing that the clean run keeps is deleted, nothing at
// all after a failure that ends the run, and when a deletion fails, only what it
// would have deleted stays.
void CheckDeletions(const FaultRun& clean, const FaultRun& run, std::size_t k, bool endsRun,
                    Texts& problems) {
  const std::set<std::string> cleanGone = Deleted(clean);
  const std::set<std::string> gone = Deleted(run);
  std::set<std::string> failedItems;  // what the failed call deletes in the clean run
  for (const FaultPlan::Deletion& d : clean.deletions) {
    if (d.call == k) failedItems.insert(d.what);
  }
  for (const FaultPlan::Deletion& d : run.deletions) {
    if (!cleanGone.contains(d.what))
      problems.push_back("deleted " + d.what + ", which the run without a failure keeps");
    if (endsRun && d.call > k)
      problems.push_back("deleted " + d.what + " after the failure that ended the run");
  }
  if (failedItems.empty() || endsRun) return;
  for (const std::string& what : cleanGone) {
    if (!gone.contains(what) && !failedItems.contains(what))
      problems.push_back("kept " + what + " after the failure of another deletion");
  }
}

// A file the run could not delete, or could not list, is named on a line of its own,
// or the folder that could not be listed is.
void CheckKeptFilesNamed(const FaultRun& clean, const FaultRun& run, std::size_t k,
                         Texts& problems) {
  const std::string& failed = clean.calls.at(k - 1).name;
  const bool listing = failed == "Files.Search" || failed == "Files.SearchNext";
  const Texts added = NewLines(clean, run);
  const std::string prefix = "Could Not Delete : ";
  const auto named = [&](const std::string& what) {
    const std::string path = Lower(what);
    return std::ranges::any_of(added, [&](const std::string& line) {
      const std::string name = Lower(line.substr(std::min(line.size(), prefix.size())));
      return line.starts_with(prefix) && (path.ends_with("\\" + name) || path == "file " + name ||
                                          path.find("\\" + name + "\\") != std::string::npos);
    });
  };
  const std::set<std::string> gone = Deleted(run);
  for (const FaultPlan::Deletion& d : clean.deletions) {
    if (!d.what.starts_with("file ") || gone.contains(d.what)) continue;
    if ((listing || d.call == k) && !named(d.what))
      problems.push_back("kept " + d.what + " without a line that says so");
  }
}

// Lines that tell of one item, or a count or a figure of items, and so may change
// when a call fails; the others make the run's skeleton.
Texts Skeleton(const FaultRun& run, const std::set<std::string>& leaveOut) {
  const auto isItem = [](const std::string& text) {
    for (const std::string_view item : {"Deleting : ", "Deleted !", "Could Not Delete : ",
                                        "Removing : ", "Removed : ", "Hard Disk "})
      if (text.starts_with(item)) return true;
    return text.find(" : Expires - ") != std::string::npos ||
           (text.starts_with("Deleted ") && text.ends_with(" Cookies"));
  };
  Texts skeleton;
  for (const FaultRun::Line& line : run.lines) {
    if (!isItem(line.text) && !leaveOut.contains(line.text)) skeleton.push_back(line.text);
  }
  return skeleton;
}

// The run's lines, but for those of its items, are the clean run's; a run that a
// failure ends has the first of them, and its error lines.
void CheckSkeleton(const FaultRun& clean, const FaultRun& run, const FaultExpectation& expected,
                   Texts& problems) {
  std::set<std::string> errorLines;
  for (const std::string& error : expected.errors) {
    if (error.starts_with("line: ")) errorLines.insert(error.substr(6));
  }
  const Texts own = Skeleton(run, errorLines);
  const Texts full = Skeleton(clean, {});
  const bool prefix = own.size() <= full.size() && std::equal(own.begin(), own.end(), full.begin());
  if (expected.endsRun ? !prefix : own != full)
    problems.push_back("lines [" + Join(own, " | ") + "] against [" + Join(full, " | ") + "]");
}

// Each "Deleting : " line is followed by the outcome of that very deletion; each
// "Removed : " line counts the entries the store said it deleted.
void CheckItemLines(const FaultRun& run, Texts& problems) {
  const auto deletedBetween = [&](std::size_t after, std::size_t upTo, const std::string& name) {
    return std::ranges::any_of(run.deletions, [&](const FaultPlan::Deletion& d) {
      return d.call > after && d.call <= upTo && d.what.starts_with("file ") &&
             d.what.ends_with("\\" + name);
    });
  };
  for (std::size_t i = 0; i < run.lines.size(); ++i) {
    const FaultRun::Line& line = run.lines[i];
    if (line.call == FaultRun::kUnstamped) return;
    if (line.text.starts_with("Deleting : ")) {
      const std::string name = line.text.substr(11);
      const FaultRun::Line* next = i + 1 < run.lines.size() ? &run.lines[i + 1] : nullptr;
      if (next && next->text == "Deleted !") {
        if (!deletedBetween(line.call, next->call, name))
          problems.push_back("\"Deleted !\" for " + name + ", which is still there");
      } else if (next && next->text == "Could Not Delete : " + name) {
        if (deletedBetween(line.call, next->call, name))
          problems.push_back("\"Could Not Delete\" for " + name + ", which is gone");
      } else {
        problems.push_back("\"" + line.text + "\" without its outcome");
      }
    } else if (line.text.starts_with("Removed : ")) {
      const auto entries = std::ranges::count_if(run.deletions, [&](const FaultPlan::Deletion& d) {
        return d.call <= line.call && run.calls[d.call - 1].name == "HistoryStore.DeleteEntry";
      });
      if (line.text != "Removed : " + std::to_string(entries) + "  Entries From Index.Dat")
        problems.push_back("\"" + line.text + "\" when " + std::to_string(entries) + " went");
    }
  }
}

// How the run ended and what it left undone, against the clean run.
std::string Outcome(const FaultRun& clean, const FaultRun& run, bool brief) {
  std::string outcome = run.errors.empty() ? "completed" : Join(run.errors, "; ");
  const std::set<std::string> all = Deleted(clean);
  const std::set<std::string> gone = Deleted(run);
  Texts kept;
  std::ranges::set_difference(all, gone, std::back_inserter(kept));
  if (!kept.empty()) {
    outcome += brief ? ", some kept"
                     : ", " + std::to_string(gone.size()) + " of " + std::to_string(all.size()) +
                           " deleted (kept " + Some(kept) + ")";
  } else if (!all.empty()) {
    outcome += brief ? ", all deleted" : ", all " + std::to_string(all.size()) + " deleted";
  }
  if (brief) return outcome;
  if (const Texts added = NewLines(clean, run); !added.empty()) outcome += "; lines " + Some(added);
  if (run.state != clean.state) outcome += "; shows " + run.state;
  return outcome;
}

std::string Cell(std::string text) {
  for (std::size_t at = 0; (at = text.find('|', at)) != std::string::npos; at += 2)
    text.replace(at, 1, "\\|");
  return text;
}

}  // namespace

FaultSweep SweepFaults(std::string title, FaultPlan& plan,
                       const std::function<FaultRun(std::size_t failAt)>& run) {
  const auto once = [&](std::size_t failAt) {
    FaultRun seen = run(failAt);
    seen.calls = plan.calls();
    seen.deletions = plan.deletions();
    return seen;
  };
  FaultSweep sweep{std::move(title), once(0), {}};
  for (std::size_t k = 1; k <= sweep.clean.calls.size(); ++k) sweep.faulted.push_back(once(k));
  return sweep;
}

std::vector<std::string> SweepProblems(
    const FaultSweep& sweep,
    const std::function<FaultExpectation(const FaultPlan::Call&)>& expect) {
  Texts problems;
  for (const std::string& problem : sweep.clean.problems)
    problems.push_back("without a failure: " + problem);
  for (std::size_t k = 1; k <= sweep.faulted.size(); ++k) {
    const FaultPlan::Call& call = sweep.clean.calls[k - 1];
    const FaultRun& run = sweep.faulted[k - 1];
    const FaultExpectation expected = expect(call);
    Texts found = run.problems;
    if (run.errors != expected.errors)
      found.push_back("errors [" + Join(run.errors, "; ") + "], not [" +
                      Join(expected.errors, "; ") + "]");
    CheckDeletions(sweep.clean, run, k, expected.endsRun, found);
    CheckKeptFilesNamed(sweep.clean, run, k, found);
    CheckSkeleton(sweep.clean, run, expected, found);
    CheckItemLines(run, found);
    for (const std::string& problem : found)
      problems.push_back("call " + std::to_string(k) + ", " + call.name + " (" + call.phase +
                         "): " + problem);
  }
  return problems;
}

void WriteFaultTable(const std::string& path, const FaultSweep& sweep) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path);
  out << "## " << sweep.title << ": " << sweep.faulted.size() << " calls\n\n"
      << "Without a failure: " << Outcome(sweep.clean, sweep.clean, false) << "; shows "
      << sweep.clean.state << "\n\n| k | call | phase | outcome |\n|---|---|---|---|\n";
  // Per call: how often it was made, and each way its failure ended, with a count.
  std::map<std::string, std::pair<int, std::map<std::string, int>>> byCall;
  for (std::size_t k = 1; k <= sweep.faulted.size(); ++k) {
    const FaultPlan::Call& call = sweep.clean.calls[k - 1];
    const FaultRun& run = sweep.faulted[k - 1];
    out << "| " << k << " | " << call.name << " | " << call.phase << " | "
        << Cell(Outcome(sweep.clean, run, false)) << " |\n";
    auto& [count, outcomes] = byCall[call.name];
    ++count;
    ++outcomes[Outcome(sweep.clean, run, true)];
  }
  out << "\n| call | made | outcomes when it fails |\n|---|---|---|\n";
  for (const auto& [name, seen] : byCall) {
    Texts outcomes;
    for (const auto& [outcome, n] : seen.second)
      outcomes.push_back(outcome + (n > 1 ? " (x" + std::to_string(n) + ")" : ""));
    out << "| " << name << " | " << seen.first << " | " << Cell(Join(outcomes, "; ")) << " |\n";
  }
}

}  // namespace quillmere::testing

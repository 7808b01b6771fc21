#include "console/Commands.h"

#include <sstream>
#include <string>

#include "QuillmereVersion.h"

#include "console/OutputLines.h"
#include "console/TargetRun.h"
#include "console/Targets.h"

namespace quillmere {
namespace {

constexpr std::string_view kProgram = "quillmere-cli";

void ShowError(Console& console, const std::string& target, std::string_view message) {
  console.Err(std::string(kProgram) + ": " + target + ": " + std::string(message));
}

// The lines of a preview or a clean, as they come.
class CommandPrinter final : public RunListener {
 public:
  CommandPrinter(Console& console, bool json, bool cleaning)
      : console_(console), json_(json), cleaning_(cleaning) {}

  bool failedItems() const { return failedItems_; }

  void Activity(const std::string& target, std::string_view line) override {
    // A preview's own steps would tell of deletions that do not happen.
    if (!cleaning_) return;
    console_.Out(json_ ? MessageJson(target, line) : std::string(line));
  }
  void Error(const std::string& target, std::string_view message) override {
    ShowError(console_, target, message);
    if (json_) {
      console_.Out(ErrorJson(target, message));
    } else if (cleaning_) {
      console_.Out(message);  // in the activity log, as the window program has it
    }
  }
  void Item(const LedgerItem& item) override {
    failedItems_ = failedItems_ || item.outcome == Outcome::kFailed;
    // A clean's text names only what stays; its activity lines tell the rest.
    if (json_) {
      console_.Out(ItemJson(item));
    } else if (!cleaning_ || item.outcome == Outcome::kFailed ||
               item.outcome == Outcome::kSkipped) {
      console_.Out(ItemLine(item));
    }
  }
  void TargetDone(const std::string& target, const Totals& totals) override {
    console_.Out(json_ ? TotalJson(target, totals, cleaning_)
                       : TotalLine(target, totals, cleaning_));
  }

 private:
  Console& console_;
  bool json_;
  bool cleaning_;
  bool failedItems_ = false;
};

// Only the sums of a target, for the list.
class TargetTally final : public RunListener {
 public:
  TargetTally(Console& console, bool json) : console_(console), json_(json) {}
  const Totals& totals() const { return totals_; }

  void Activity(const std::string&, std::string_view) override {}
  void Error(const std::string& target, std::string_view message) override {
    ShowError(console_, target, message);
    if (json_) console_.Out(ErrorJson(target, message));
  }
  void Item(const LedgerItem&) override {}
  void TargetDone(const std::string&, const Totals& totals) override { totals_ = totals; }

 private:
  Console& console_;
  bool json_;
  Totals totals_;
};

void WriteLines(Console& console, const std::string& text) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) console.Out(line);
}

// Each target on its own, as a clean of that target alone would find it now.
int List(const Command& command, const Ports& ports, Console& console) {
  bool allWell = true;
  for (const std::size_t index : command.targets) {
    TargetTally tally(console, command.json);
    allWell = RunTargets(ports, {index}, Ledger::Mode::kPreview, command.keep, tally) && allWell;
    console.Out(command.json ? ListJson(kTargets[index], tally.totals())
                             : ListLine(kTargets[index], tally.totals()));
  }
  return allWell ? kExitDone : kExitFailed;
}

int PreviewOrClean(const Command& command, const Ports& ports, Console& console) {
  const bool cleaning = command.kind == CommandKind::kClean;
  CommandPrinter printer(console, command.json, cleaning);
  const bool allWell =
      RunTargets(ports, command.targets, cleaning ? Ledger::Mode::kClean : Ledger::Mode::kPreview,
                 command.keep, printer);
  return allWell && !printer.failedItems() ? kExitDone : kExitFailed;
}

}  // namespace

int RunCommand(const std::variant<Command, UsageError>& parsed, Console& console,
               PortsSource& source) {
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    console.Err(std::string(kProgram) + ": " + error->message);
    console.Err("Try '" + std::string(kProgram) + " --help'.");
    return kExitUsage;
  }
  const Command& command = std::get<Command>(parsed);
  if (command.kind == CommandKind::kHelp) {
    WriteLines(console, UsageText());
    return kExitDone;
  }
  if (command.kind == CommandKind::kVersion) {
    console.Out(std::string(kProgram) + " " + QUILLMERE_VERSION);
    return kExitDone;
  }
  const Ports ports = source.Open();
  return command.kind == CommandKind::kList ? List(command, ports, console)
                                            : PreviewOrClean(command, ports, console);
}

}  // namespace quillmere

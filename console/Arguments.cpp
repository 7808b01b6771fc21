#include "console/Arguments.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "console/Targets.h"

namespace quillmere {
namespace {

constexpr std::string_view kKeepCookie = "--keep-cookie";
constexpr std::string_view kValidCommands = "the commands are list, preview and clean";
constexpr std::string_view kValidOptions =
    "the options are --json, --keep-cookie DOMAIN, --help and --version";

std::optional<CommandKind> ReadCommand(std::string_view word) {
  if (word == "list") return CommandKind::kList;
  if (word == "preview") return CommandKind::kPreview;
  if (word == "clean") return CommandKind::kClean;
  return std::nullopt;
}

bool IsHelp(std::string_view word) { return word == "--help" || word == "-h" || word == "/?"; }

bool IsVersion(std::string_view word) { return word == "--version"; }

UsageError Unknown(std::string_view what, std::string_view word, std::string_view valid) {
  return {"unknown " + std::string(what) + " '" + std::string(word) + "'; " + std::string(valid)};
}

}  // namespace

std::variant<Command, UsageError> ParseArguments(const std::vector<std::string>& args) {
  const auto anywhere = [&args](bool (*is)(std::string_view)) {
    return std::any_of(args.begin(), args.end(), [is](const std::string& a) { return is(a); });
  };
  if (anywhere(IsHelp)) return Command{};
  if (anywhere(IsVersion)) {
    Command version;
    version.kind = CommandKind::kVersion;
    return version;
  }
  if (args.empty()) return UsageError{"no command given; " + std::string(kValidCommands)};
  Command command;
  if (const auto kind = ReadCommand(args[0])) {
    command.kind = *kind;
  } else if (args[0].starts_with('-')) {
    return Unknown("option", args[0], kValidOptions);
  } else {
    return Unknown("command", args[0], kValidCommands);
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      command.json = true;
    } else if (arg == kKeepCookie || arg.starts_with(std::string(kKeepCookie) + "=")) {
      std::string domain;
      if (arg.size() > kKeepCookie.size()) {
        domain = arg.substr(kKeepCookie.size() + 1);
      } else if (i + 1 < args.size()) {
        domain = args[++i];
      } else {
        return UsageError{"--keep-cookie needs a domain, as in --keep-cookie example.org"};
      }
      if (!command.keep.Add(domain))
        return UsageError{"'" + domain + "' is not a domain name, as example.org is"};
    } else if (arg.starts_with('-')) {
      return Unknown("option", arg, kValidOptions);
    } else if (const auto target = FindTarget(arg)) {
      command.targets.push_back(*target);
    } else {
      return Unknown("target", arg, "the targets are " + TargetIds());
    }
  }
  std::sort(command.targets.begin(), command.targets.end());
  command.targets.erase(std::unique(command.targets.begin(), command.targets.end()),
                        command.targets.end());
  if (command.targets.empty()) {
    for (std::size_t index = 0; index < kTargets.size(); ++index) command.targets.push_back(index);
  }
  return command;
}

std::string UsageText() {
  std::string text =
      "Usage: quillmere-cli COMMAND [TARGET...] [--keep-cookie DOMAIN]... [--json]\n"
      "       quillmere-cli --help | --version\n"
      "\n"
      "Commands:\n"
      "  list      every target, with what it would remove now\n"
      "  preview   every item a clean would remove, one line each; changes nothing\n"
      "  clean     removes the targets' traces, in the order of the task list\n"
      "\n"
      "Targets (every one when none is named):\n";
  for (const Target& target : kTargets) {
    std::string id = target.id;
    id.resize(std::max<std::size_t>(id.size(), 18), ' ');
    text += "  " + id + target.caption + "\n";
  }
  text +=
      "\n"
      "Options:\n"
      "  --keep-cookie DOMAIN  keeps the cookies of DOMAIN and of its subdomains, in\n"
      "                        every target (cached-pages too); may be given again\n"
      "  --json                one JSON object per line\n"
      "  --help                this text\n"
      "  --version             the program's version\n"
      "\n"
      "Exit status: 0 when everything planned was removed, 1 when something could not\n"
      "be removed, 2 when the command line does not read.\n";
  return text;
}

}  // namespace quillmere

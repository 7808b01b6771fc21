#pragma once

#include <optional>
#include <string>

#include "platform/Files.h"
#include "platform/Registry.h"
#include "richtext/PanelPlacement.h"

namespace quillmere::richtext {

enum TPanelLocation { clRegistry, clInifile };

// Where a panel keeps its place between runs: under HKEY_CURRENT_USER\Key\Section,
// or in the section Section of the INI file Key.
struct TPanelPosition {
  bool Save = false;
  std::string Key;
  std::string Section;
  TPanelLocation Location = clRegistry;
};

// What a panel saves: its bounds (the full height while collapsed) and whether it is
// collapsed, as the decimal texts "Top", "Left", "Height", "Width" and "Collaps"
// ("1" collapsed, "0" not).
struct SavedPanelPosition {
  PanelBounds bounds;
  bool collaps = false;
  friend bool operator==(const SavedPanelPosition&, const SavedPanelPosition&) = default;
};

// The ports a position is kept through.
struct PositionPorts {
  Registry& registry;
  Files& files;
};

// False when the key cannot be made or a value or the file cannot be written.
bool SavePanelPosition(const TPanelPosition& position, const SavedPanelPosition& saved,
                       PositionPorts ports);
// nullopt when nothing was saved there or a value is missing or no number.
std::optional<SavedPanelPosition> LoadPanelPosition(const TPanelPosition& position,
                                                    PositionPorts ports);

}  // namespace quillmere::richtext

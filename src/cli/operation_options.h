#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "rename/operations.h"

namespace qm::cli {

// How the command line reaches the window's controls: each command names a
// registry operation, each option the control whose meaning it carries. The
// run then reads the controls exactly as it does in the window, so both give
// the same names.

enum class OptionKind {
  Text,    // the value is typed into an edit box
  Typed,   // the value is typed into a combo's edit part, no item picked
  Item,    // the value becomes the combo's item, picked
  Flag,    // no value: ticks `control` and unticks `partner`
  Choice,  // one of `choices`, which name the combo's items in their order
  // A number of digits, 1 to kMaxWidth, for which the window has no field:
  // the command builds its operation with it (CommandRow::with_width).
  Width,
};

inline constexpr int kMaxWidth = 20;

struct OptionRow {
  std::string_view command;
  // "--find"; a name in capitals ("PATTERN") is a positional argument,
  // taken in the order of the table, before the folder.
  std::string_view name;
  OptionKind kind;
  std::optional<Control> control;
  std::optional<Control> partner;  // Flag only
  std::string_view help;
  std::string_view choices = {};  // Choice only: "none|marks|digits"
};

// The item a Choice option's value picks; nullopt for a value not offered.
std::optional<int> ChoiceIndex(const OptionRow& option, std::string_view value);

struct CommandRow {
  std::string_view command;  // as typed
  OperationId operation;
  std::string_view summary;
  std::string_view examples;  // one per line
  // Radio buttons the command sets before its options (a direction that the
  // window offers as two radios and the command line as two commands).
  std::optional<Control> ticks = std::nullopt;
  std::optional<Control> unticks = std::nullopt;
  // The operation with a Width option's value; without the option the
  // registry's definition, as the window builds it, is used.
  OperationDefinition (*with_width)(int width) = nullptr;
};

std::span<const CommandRow> Commands();
std::span<const OptionRow> OptionRows();
std::vector<const OptionRow*> OptionsOf(std::string_view command);

// Whether the option must be given: a positional always, an option when
// the run refuses to start while its control is empty.
bool IsRequired(const CommandRow& command, const OptionRow& option);

bool IsPositional(const OptionRow& option);

}  // namespace qm::cli

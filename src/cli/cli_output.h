#pragma once

#include <cstdio>
#include <string>

#include "cli/cli_run.h"

namespace qm::cli {

// UTF-8 for the terminal; names that have no UTF-8 form are never listed.
std::string Utf8(const GbkText& text);
std::string Utf8(std::string_view internal);

// Colours only on a terminal, and never while NO_COLOR is set to anything.
bool UsesColour(FILE* stream);

// old → new per entry, the failures' reasons on standard error, a summary.
void PrintText(const Report& report, FILE* out, FILE* err);

// One JSON document: the plan, then (applied) the outcome per entry.
void PrintJson(const Report& report, FILE* out);

}  // namespace qm::cli

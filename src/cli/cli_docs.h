#pragma once

#include <string>

namespace qm::cli {

// Made from the command and option tables, so they never fall behind them.
std::string ManPage(const std::string& version);
std::string BashCompletion();
std::string FishCompletion();
std::string ZshCompletion();

}  // namespace qm::cli

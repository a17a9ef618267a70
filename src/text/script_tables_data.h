#pragma once

#include <cstdint>

namespace qm {

// One conversion of the script tables: a double-byte code (lead byte high)
// and the code of its counterpart. Codes absent from the pairs convert to
// themselves.
struct ScriptPair {
  uint16_t code;
  uint16_t converted;
};

// Generated data, sorted by code (script_tables_data.cpp), from OpenCC's
// character dictionaries (Apache License 2.0; see NOTICE).
extern const ScriptPair kTraditionalToSimplifiedPairs[];
extern const int kTraditionalToSimplifiedPairCount;
extern const ScriptPair kSimplifiedToTraditionalPairs[];
extern const int kSimplifiedToTraditionalPairCount;

}  // namespace qm

#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "base/gbk_text_type.h"

namespace qm {

// Find-and-replace by a regular expression (PCRE2) over names in the internal
// encoding. Matching runs on UTF-8 with Unicode properties, so \w, \d and \b
// know Chinese characters and full-width digits. The replacement takes $0,
// $1…$99, ${name}, $$ and the case escapes \U \L \u \l \E.

struct RegexOptions {
  bool case_sensitive = true;
  bool first_only = false;  // false: every match is replaced
};

// Why a pattern or a replacement is wrong, in PCRE2's words, with the
// 1-based character position it points at.
struct RegexError {
  std::string message;  // UTF-8
  size_t position = 0;
};

// What one name became.
struct RegexOutcome {
  enum class Kind {
    NoMatch,
    Replaced,
    TooComplex,      // the match or depth limit was reached: the name is given up
    BadReplacement,  // the replacement names a group the pattern lacks, or the like
  };
  Kind kind = Kind::NoMatch;
  GbkText text;      // when Replaced
  RegexError error;  // when BadReplacement
};

class RegexReplacer {
 public:
  // Compiles the pattern; both texts are UTF-8.
  static std::variant<RegexReplacer, RegexError> Compile(std::string_view pattern,
                                                         std::string_view replacement,
                                                         const RegexOptions& options);
  RegexReplacer(RegexReplacer&&) noexcept;
  RegexReplacer& operator=(RegexReplacer&&) noexcept;
  ~RegexReplacer();

  // Reuses its buffers: one caller at a time.
  RegexOutcome Apply(const GbkText& text) const;

  // The UTF-8 core of Apply: `out` receives the new text when Replaced.
  RegexOutcome::Kind ApplyUtf8(std::string_view text, std::string& out, RegexError* error) const;

 private:
  struct State;
  explicit RegexReplacer(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace qm

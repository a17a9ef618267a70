#include "text/regex_replace.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "base/encoding.h"

namespace qm {
namespace {

// Far above what a sensible pattern needs for a file name, low enough that a
// pattern which backtracks without end gives a name up within milliseconds.
constexpr uint32_t kMatchLimit = 200'000;
constexpr uint32_t kDepthLimit = 2'000;

std::string MessageOf(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
  if (length < 0) return "error " + std::to_string(code);
  return std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
}

// PCRE2 gives offsets in bytes; people count characters, from 1.
size_t CharacterPosition(std::string_view utf8, size_t byte_offset) {
  size_t characters = 0;
  for (size_t i = 0; i < byte_offset && i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++characters;
  }
  return characters + 1;
}

bool HitsLimit(int code) {
  return code == PCRE2_ERROR_MATCHLIMIT || code == PCRE2_ERROR_DEPTHLIMIT ||
         code == PCRE2_ERROR_HEAPLIMIT || code == PCRE2_ERROR_JIT_STACKLIMIT;
}

}  // namespace

struct RegexReplacer::State {
  pcre2_code* code = nullptr;
  pcre2_match_context* context = nullptr;
  pcre2_match_data* match = nullptr;
  std::string replacement;
  uint32_t options = 0;
  mutable std::string utf8_in;
  mutable std::string utf8_out;

  ~State() {
    pcre2_match_data_free(match);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
  }
};

RegexReplacer::RegexReplacer(std::unique_ptr<State> state) : state_(std::move(state)) {}
RegexReplacer::RegexReplacer(RegexReplacer&&) noexcept = default;
RegexReplacer& RegexReplacer::operator=(RegexReplacer&&) noexcept = default;
RegexReplacer::~RegexReplacer() = default;

std::variant<RegexReplacer, RegexError> RegexReplacer::Compile(std::string_view pattern,
                                                               std::string_view replacement,
                                                               const RegexOptions& options) {
  uint32_t flags = PCRE2_UTF | PCRE2_UCP;
  if (!options.case_sensitive) flags |= PCRE2_CASELESS;
  int code = 0;
  PCRE2_SIZE offset = 0;
  auto state = std::make_unique<State>();
  state->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags,
                              &code, &offset, nullptr);
  if (state->code == nullptr)
    return RegexError{MessageOf(code), CharacterPosition(pattern, offset)};
  // Without JIT (some architectures, a locked-down kernel) the interpreter does the same work.
  pcre2_jit_compile(state->code, PCRE2_JIT_COMPLETE);
  state->context = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(state->context, kMatchLimit);
  pcre2_set_depth_limit(state->context, kDepthLimit);
  state->match = pcre2_match_data_create_from_pattern(state->code, nullptr);
  state->replacement = replacement;
  state->options = PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH |
                   PCRE2_SUBSTITUTE_UNSET_EMPTY |
                   (options.first_only ? 0 : PCRE2_SUBSTITUTE_GLOBAL);
  return RegexReplacer(std::move(state));
}

RegexOutcome::Kind RegexReplacer::ApplyUtf8(std::string_view text, std::string& out,
                                            RegexError* error) const {
  const State& s = *state_;
  if (out.size() < text.size() * 2 + 64) out.resize(text.size() * 2 + 64);
  for (;;) {
    PCRE2_SIZE length = out.size();
    const int done = pcre2_substitute(
        s.code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, s.options, s.match,
        s.context, reinterpret_cast<PCRE2_SPTR>(s.replacement.data()), s.replacement.size(),
        reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
    if (done == 0) return RegexOutcome::Kind::NoMatch;
    if (done > 0) {
      out.resize(length);
      return RegexOutcome::Kind::Replaced;
    }
    if (done == PCRE2_ERROR_NOMEMORY) {
      // With OVERFLOW_LENGTH, `length` is the size the result needs.
      out.resize(length);
      continue;
    }
    if (HitsLimit(done)) return RegexOutcome::Kind::TooComplex;
    if (error) {
      // The offset of a replacement error points into the replacement.
      *error = RegexError{MessageOf(done), CharacterPosition(s.replacement, length)};
    }
    return RegexOutcome::Kind::BadReplacement;
  }
}

RegexOutcome RegexReplacer::Apply(const GbkText& text) const {
  RegexOutcome outcome;
  auto utf8 = InternalToUtf8(text);
  // Every name in the list came through the encoding boundary: it converts.
  if (!utf8.ok()) return outcome;
  outcome.kind = ApplyUtf8(*utf8, state_->utf8_out, &outcome.error);
  if (outcome.kind != RegexOutcome::Kind::Replaced) return outcome;
  auto internal = Utf8ToInternal(state_->utf8_out);
  if (!internal.ok()) {
    outcome.kind = RegexOutcome::Kind::NoMatch;
    return outcome;
  }
  outcome.text = std::move(internal).value();
  return outcome;
}

}  // namespace qm

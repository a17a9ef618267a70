#include "rename/regex_operations.h"

#include <memory>

#include "base/encoding.h"
#include "rename/carry_out.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

std::string Utf8Of(const GbkText& text) {
  auto utf8 = InternalToUtf8(text);
  return utf8.ok() ? std::move(utf8).value() : std::string();
}

// PCRE2's own words, with the place it points at.
GbkText ErrorText(std::string_view lead, const RegexError& error) {
  return Gbk(lead) + Utf8ToInternalLenient(error.message) + Gbk("（第") +
         ToText(static_cast<int64_t>(error.position)) + Gbk("个字符）");
}

GbkText ReplacementErrorText(const RegexError& error) {
  return ErrorText("“替换为”的写法有误：", error);
}

// A replacement can only be judged against a match: the first listed name
// that matches shows whether it names groups the pattern lacks.
std::optional<GbkText> ReplacementProblem(const RegexReplacer& replacer, const ListView& list) {
  std::string out;
  RegexError error;
  for (int row = 0, rows = list.RowCount(); row < rows; ++row) {
    const std::string name = Utf8Of(list.Cell(row, 0));
    switch (replacer.ApplyUtf8(name, out, &error)) {
      case RegexOutcome::Kind::NoMatch:
      case RegexOutcome::Kind::TooComplex:
        continue;
      case RegexOutcome::Kind::Replaced:
        return std::nullopt;
      case RegexOutcome::Kind::BadReplacement:
        return ReplacementErrorText(error);
    }
  }
  return std::nullopt;
}

}  // namespace

GbkText RegexErrorText(const RegexError& error) { return ErrorText("正则表达式有误：", error); }

std::variant<RegexReplacer, GbkText> CompileRegexOfForm(const Form& form) {
  RegexOptions options;
  options.case_sensitive = form.IsChecked(Control::选择框_正则区分大小写);
  options.first_only = form.IsChecked(Control::选择框_正则只换第一个);
  auto compiled = RegexReplacer::Compile(Utf8Of(form.Text(Control::编辑框_正则查找)),
                                         Utf8Of(form.Text(Control::编辑框_正则替换为)), options);
  if (auto* error = std::get_if<RegexError>(&compiled)) return RegexErrorText(*error);
  return std::move(std::get<RegexReplacer>(compiled));
}

NameResult ApplyRegex(const RegexReplacer& replacer, const GbkText& text) {
  RegexOutcome outcome = replacer.Apply(text);
  switch (outcome.kind) {
    case RegexOutcome::Kind::NoMatch:
      return std::nullopt;
    case RegexOutcome::Kind::Replaced:
      // An empty name fails as the rename would, rather than being skipped.
      if (outcome.text.empty()) return NameResult::Failed(FailureText({RenameReason::Invalid, {}}));
      return std::move(outcome.text);
    case RegexOutcome::Kind::TooComplex:
      return NameResult::Failed(Gbk("正则表达式太复杂，放弃了这个名字"));
    case RegexOutcome::Kind::BadReplacement:
      return NameResult::Failed(ReplacementErrorText(outcome.error));
  }
  return std::nullopt;
}

OperationDefinition RegexReplaceOperation() {
  OperationDefinition definition;
  definition.validate = [](MainServices& services) {
    auto compiled = CompileRegexOfForm(services.form);
    Control wrong = Control::编辑框_正则查找;
    GbkText problem;
    if (auto* error = std::get_if<GbkText>(&compiled)) {
      problem = *error;
    } else if (auto bad = ReplacementProblem(std::get<RegexReplacer>(compiled), services.list)) {
      problem = *bad;
      wrong = Control::编辑框_正则替换为;
    }
    if (problem.empty()) return true;
    services.messages.Show(problem, Gbk("提示"), Icon::Information, Buttons::Ok);
    services.form.SetFocus(wrong);
    return false;
  };
  definition.prepare = [](MainServices& services, bool) {
    const Form& form = services.form;
    PreparedOperation prepared;
    prepared.input = form.IsChecked(Control::选择框_正则含扩展名) ? TransformInput::WholeName
                                                                  : TransformInput::StemInFileMode;
    // Checked by validate a moment ago.
    auto replacer =
        std::make_shared<RegexReplacer>(std::get<RegexReplacer>(CompileRegexOfForm(form)));
    prepared.transform = [replacer](const GbkText& text, const EntryContext&) {
      return ApplyRegex(*replacer, text);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm

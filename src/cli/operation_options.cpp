#include "cli/operation_options.h"

#include <algorithm>
#include <cctype>

#include "rename/numbering_operations.h"

namespace qm::cli {
namespace {

using C = Control;
using K = OptionKind;
using Id = OperationId;

// One row per command. A new operation of the registry gets its command here
// and its options below; the regular expression, pinyin and file-information
// operations join both tables when they enter the registry. A name in
// capitals is a positional argument, always required, as the regular
// expression's PATTERN and REPLACEMENT are.
const CommandRow kCommands[] = {
    {"delete-after", Id::DeleteAfter, "Delete everything after a text (its last occurrence)",
     "quillmere-cli delete-after --text \" - \" ~/videos\n"
     "quillmere-cli delete-after --text _ --first --with-text DIR"},
    {"delete-before", Id::DeleteBefore, "Delete everything before a text (its first occurrence)",
     "quillmere-cli delete-before --text 第 ~/lessons"},
    {"delete-text", Id::DeleteNTimes, "Delete a text, once or a number of times",
     "quillmere-cli delete-text --text \"[HD]\" DIR\n"
     "quillmere-cli delete-text --text - --times 2 --from-right DIR"},
    {"delete-between", Id::DeleteBetweenMarkers, "Delete what lies between two markers",
     "quillmere-cli delete-between --from \"(\" --to \")\" DIR\n"
     "quillmere-cli delete-between --from \"(Av\" --to \")\" --keep-markers DIR"},
    {"delete-sequence-number", Id::DeleteSequenceNumber, "Delete the first run of digits",
     "quillmere-cli delete-sequence-number DIR\n"
     "quillmere-cli delete-sequence-number --within 4 DIR"},
    {"prepend", Id::InsertAtFront, "Add a text at the front of each name",
     "quillmere-cli prepend --text \"2024 \" DIR"},
    {"append", Id::InsertAtEnd, "Add a text at the end of each name, before the extension",
     "quillmere-cli append --text \" (final)\" DIR"},
    {"insert-at", Id::InsertAtAnchor, "Add a text before or after another text",
     "quillmere-cli insert-at --at 课 --text \" \" --after DIR"},
    {"append-after-extension", Id::AppendAfterExtension, "Add a text after the extension",
     "quillmere-cli append-after-extension --text .bak DIR"},
    {"insert-after-number", Id::InsertAfterLeadingNumber,
     "Add a text right after the leading number (第12课 -> 第12、课)",
     "quillmere-cli insert-after-number --text 、 DIR"},
    {"replace", Id::ReplaceText, "Replace a text with another",
     "quillmere-cli replace --find 第 --with \"Lesson \" ~/课程\n"
     "quillmere-cli replace --find _ --with \" \" --anywhere --count -1 DIR"},
    {"zero-fill", Id::ZeroFillLeadingNumber,
     "Zero-fill the first number (1 -> 01, or 001 from 100 entries)",
     "quillmere-cli zero-fill DIR"},
    {"to-simplified", Id::ConvertChineseScript, "Convert traditional Chinese to simplified",
     "quillmere-cli to-simplified DIR", C::单选框15, C::单选框16},
    {"to-traditional", Id::ConvertChineseScript, "Convert simplified Chinese to traditional",
     "quillmere-cli to-traditional DIR", C::单选框16, C::单选框15},
    {"to-chinese-numerals", Id::DigitsToChineseNumerals,
     "Write the first number in Chinese numerals (第15课 -> 第十五课)",
     "quillmere-cli to-chinese-numerals DIR"},
    {"to-digits", Id::ChineseNumeralsToDigits,
     "Write the first Chinese numeral in digits (第十五课 -> 第15课)",
     "quillmere-cli to-digits DIR"},
    {"number", Id::NumberEntries, "Put a sequence number in front of each name, in list order",
     "quillmere-cli number DIR\n"
     "quillmere-cli number --start 1 --width 2 --separator \"、\" DIR\n"
     "quillmere-cli number --start 10 --step 10 --separator - DIR\n"
     "quillmere-cli number --width 1 --separator \" \" DIR",
     std::nullopt, std::nullopt, NumberEntriesOperation},
    {"append-av-number", Id::AppendAvNumber, "Append a made-up B站 AV tag: (Av123456789,P1)",
     "quillmere-cli append-av-number DIR"},
    {"change-extension", Id::ChangeExtension, "Change the extension of each file",
     "quillmere-cli change-extension --to mp4 DIR\n"
     "quillmere-cli change-extension --to tar.gz --only tgz DIR"},
    {"regex", Id::RegexReplace, "Replace what a regular expression (PCRE2) matches",
     "quillmere-cli regex '(\\d+)' 'EP$1' DIR\n"
     "quillmere-cli regex '^\\[.*?\\] *' '' --with-extension DIR\n"
     "quillmere-cli regex 'mp4$' MP4 --ignore-case --with-extension DIR"},
    {"from-info", Id::NameFromInfo,
     "Name each file after what it holds: a photo's date, a song's tags",
     "quillmere-cli from-info DIR\n"
     "quillmere-cli from-info --template '{拍摄日期}_{拍摄时间}' --date-format yyyyMMdd DIR\n"
     "quillmere-cli from-info --template '{音轨} {艺术家} - {标题}' ~/music"},
    {"to-pinyin", Id::ToPinyin, "Write Chinese characters in pinyin, polyphonic ones read by words",
     "quillmere-cli to-pinyin DIR\n"
     "quillmere-cli to-pinyin --separator _ --case capitalised DIR\n"
     "quillmere-cli to-pinyin --form initials --case upper DIR\n"
     "quillmere-cli to-pinyin --tone marks --separator space DIR"},
};

// One row per option, each named after what the window's field means.
// clang-format off
const OptionRow kOptions[] = {
    {"delete-after", "--text", K::Text, C::编辑框9, {}, "the text after which everything goes"},
    {"delete-after", "--first", K::Flag, C::单选框1, C::单选框2, "after its first occurrence"},
    {"delete-after", "--with-text", K::Flag, C::选择框4, {}, "delete the text itself too"},
    {"delete-before", "--text", K::Text, C::编辑框8, {}, "the text before which everything goes"},
    {"delete-before", "--last", K::Flag, C::单选框12, C::单选框11, "before its last occurrence"},
    {"delete-before", "--with-text", K::Flag, C::选择框3, {}, "delete the text itself too"},
    {"delete-text", "--text", K::Text, C::编辑框1, {}, "the text to delete"},
    {"delete-text", "--times", K::Text, C::编辑框10, {}, "how many times (default 1)"},
    {"delete-text", "--from-right", K::Flag, C::单选框14, C::单选框13, "count from the right"},
    {"delete-between", "--from", K::Text, C::编辑框2, {}, "the first marker"},
    {"delete-between", "--to", K::Text, C::编辑框3, {}, "the second marker"},
    {"delete-between", "--from-last", K::Flag, C::选择框_1尾, C::选择框_1头, "the last occurrence of the first marker"},
    {"delete-between", "--to-last", K::Flag, C::选择框_2尾, C::选择框_2头, "the last occurrence of the second marker"},
    {"delete-between", "--keep-markers", K::Flag, {}, C::选择框6, "keep the markers themselves"},
    {"delete-sequence-number", "--within", K::Text, C::编辑框15, {},
    "only a number that starts within this many bytes"},
    {"prepend", "--text", K::Text, C::编辑框6, {}, "the text to add"},
    {"append", "--text", K::Text, C::编辑框7, {}, "the text to add"},
    {"insert-at", "--at", K::Text, C::编辑框11, {}, "the text to add beside"},
    {"insert-at", "--text", K::Text, C::编辑框12, {}, "the text to add"},
    {"insert-at", "--after", K::Flag, C::单选框4, C::单选框3, "add after it, not before"},
    {"insert-at", "--last", K::Flag, C::单选框6, C::单选框5, "beside its last occurrence"},
    {"append-after-extension", "--text", K::Text, C::编辑框18, {}, "the text to add"},
    {"insert-after-number", "--text", K::Text, C::编辑框13, {}, "the text to add"},
    {"replace", "--find", K::Text, C::编辑框4, {}, "the text to replace"},
    {"replace", "--with", K::Text, C::编辑框5, {}, "what replaces it (default: nothing)"},
    {"replace", "--anywhere", K::Flag, C::单选框8, C::单选框7, "anywhere in the name; without it, one occurrence within the first 8 bytes"},
    {"replace", "--from-right", K::Flag, C::单选框10, C::单选框9, "start from the right end"},
    {"replace", "--count", K::Text, C::编辑框16, {},
    "how many occurrences with --anywhere (default 1; -1: all)"},
    {"number", "--start", K::Text, C::编辑框17, {}, "the first number (default 1)"},
    {"number", "--step", K::Text, C::编辑框19, {}, "the increment (default 1)"},
    {"number", "--separator", K::Item, C::组合框5, {}, "what follows the number (default none)"},
    {"number", "--width", K::Width, {}, {},
    "at least this many digits, zero-filled; 1: no zeros (default: 2, or 3 once a number reaches 100)"},
    {"change-extension", "--to", K::Typed, C::组合框_修改扩展, {},
    "the new extension: mp4, tar.gz"},
    {"regex", "PATTERN", K::Text, C::编辑框_正则查找, {}, "the regular expression"},
    {"regex", "REPLACEMENT", K::Text, C::编辑框_正则替换为, {},
    "what replaces each match ($1 for a group; '' for nothing)"},
    {"regex", "--ignore-case", K::Flag, {},
    C::选择框_正则区分大小写, "letters match in either case"},
    {"regex", "--with-extension", K::Flag, C::选择框_正则含扩展名, {},
    "the extension is part of the name matched"},
    {"regex", "--first-only", K::Flag, C::选择框_正则只换第一个, {},
    "replace the first match only"},
    {"from-info", "--template", K::Text, C::编辑框_信息模板, {},
    "the new name, fields in braces (default {拍摄日期}_{原名})"},
    {"from-info", "--date-format", K::Text, C::编辑框_日期格式, {},
    "how dates are written, in Qt's letters (default yyyy-MM-dd)"},
    {"from-info", "--modified-for-date", K::Flag, C::选择框_无日期用修改时间, {},
    "use the modification time where a photo has no date taken"},
    {"to-pinyin", "--form", K::Choice, C::组合框_拼音形式, {},
    "full (zhongguo) or initials (zg); default full", "full|initials"},
    {"to-pinyin", "--tone", K::Choice, C::组合框_拼音声调, {},
    "none (lv), marks (lǜ) or digits (lv4); default none", "none|marks|digits"},
    {"to-pinyin", "--separator", K::Choice, C::组合框_拼音分隔, {},
    "between readings: none, space, _ or -; default none", "none|space|_|-"},
    {"to-pinyin", "--case", K::Choice, C::组合框_拼音大小写, {},
    "lower, capitalised or upper; default lower", "lower|capitalised|upper"},
};
// clang-format on

}  // namespace

std::optional<int> ChoiceIndex(const OptionRow& option, std::string_view value) {
  std::string_view rest = option.choices;
  for (int index = 0; !rest.empty(); ++index) {
    const size_t bar = rest.find('|');
    if (rest.substr(0, bar) == value) return index;
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
  return std::nullopt;
}

std::span<const CommandRow> Commands() { return kCommands; }

std::span<const OptionRow> OptionRows() { return kOptions; }

std::vector<const OptionRow*> OptionsOf(std::string_view command) {
  std::vector<const OptionRow*> rows;
  for (const OptionRow& row : kOptions) {
    if (row.command == command) rows.push_back(&row);
  }
  return rows;
}

bool IsRequired(const CommandRow& command, const OptionRow& option) {
  if (IsPositional(option)) return true;
  if (!option.control || option.kind == OptionKind::Flag) return false;
  const std::vector<Control>& required = EntryOf(command.operation).profile.required_inputs;
  return std::find(required.begin(), required.end(), *option.control) != required.end();
}

bool IsPositional(const OptionRow& option) { return !option.name.starts_with("-"); }

}  // namespace qm::cli

#include "rename/operations.h"

#include "rename/delete_operations.h"
#include "rename/extension_operations.h"
#include "rename/info_operations.h"
#include "rename/insert_operations.h"
#include "rename/numbering_operations.h"
#include "rename/numeral_operations.h"
#include "rename/pinyin_operations.h"
#include "rename/regex_operations.h"
#include "rename/replace_operations.h"

namespace qm {
namespace {

constexpr std::string_view kWhatToRemove = "去掉什么？不能为空";
constexpr std::string_view kWhatToAdd = "弄啥嘞？不能为空";
constexpr std::string_view kDropFirst = "路径呢？请先拖入文件！";
constexpr std::string_view kNothingChosen = "什么都没有选择";
constexpr std::string_view kNothingChosenLoud = "什么都没有选择！";
constexpr std::string_view kTip = "提示";

using C = Control;
using F = FolderHandling;
using E = EmptyListCheck;
using Q = Confirmation;
using R = ResultStyle;
using S = SkipRule;
constexpr auto Before = InputOrder::BeforeFolderCheck;
constexpr auto After = InputOrder::AfterFolderCheck;
constexpr Icon i = Icon::Information;
constexpr Icon n = Icon::None;

// The registry: an entry per operation, in the order of OperationId, since
// EntryOf finds an entry by its position.
const OperationEntry kOperations[] = {
    {.id = OperationId::DeleteAfter,
     .button = C::按钮_删后面,
     .name = "delete-after",
     .profile = {.required_inputs = {C::编辑框9},
                 .input_message = kWhatToRemove,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .confirmation = Q::AskUnlessPreview,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::WillBeRenamed},
     .definition = DeleteAfterOperation,
     .inputs = {C::编辑框9, C::选择框4, C::单选框1, C::单选框2}},
    {.id = OperationId::DeleteBefore,
     .button = C::按钮_删前面,
     .name = "delete-before",
     .profile = {.required_inputs = {C::编辑框8},
                 .input_message = kWhatToRemove,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .confirmation = Q::AskUnlessPreview,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::WillBeRenamed,
                 .skip_rule = S::WhenListingAll},
     .definition = DeleteBeforeOperation,
     .inputs = {C::编辑框8, C::选择框3, C::单选框11, C::单选框12}},
    {.id = OperationId::DeleteNTimes,
     .button = C::按钮_删掉N次,
     .name = "delete-text",
     .profile = {.required_inputs = {C::编辑框1},
                 .input_message = kWhatToRemove,
                 .input_order = After,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .folder_handling = F::SubfolderScan,
                 .empty_list_check = E::FileMode,
                 .confirmation = Q::CountThenAsk,
                 .file_result = R::Deleted,
                 .file_result_icon = n,
                 .folder_result = R::Renamed,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = DeleteNTimesOperation,
     .inputs = {C::编辑框1, C::编辑框10, C::单选框13, C::单选框14}},
    {.id = OperationId::DeleteBetweenMarkers,
     .button = C::按钮_一键删除,
     .name = "delete-between",
     .profile = {.required_inputs = {C::编辑框2, C::编辑框3},
                 .input_message = kWhatToRemove,
                 .input_order = After,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::SubfolderScan,
                 .empty_list_check = E::FileMode,
                 .confirmation = Q::CountThenAsk,
                 .file_result = R::Renamed,
                 .folder_result = R::WillBeRenamed,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = DeleteBetweenMarkersOperation,
     .inputs = {C::编辑框2, C::编辑框3, C::组合框1, C::选择框6, C::选择框_1头, C::选择框_1尾,
                C::选择框_2头, C::选择框_2尾}},
    {.id = OperationId::DeleteSequenceNumber,
     .button = C::按钮1,
     .name = "delete-sequence-number",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .confirmation = Q::AskDirectUnlessPreview},
     .definition = DeleteSequenceNumberOperation,
     .inputs = {C::编辑框15}},
    {.id = OperationId::InsertAtFront,
     .button = C::按钮_最前面加,
     .name = "prepend",
     .profile = {.required_inputs = {C::编辑框6},
                 .input_message = kWhatToAdd,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::SubfolderScan,
                 .empty_list_check = E::FileMode,
                 .skip_rule = S::WhenListingAll},
     .definition = InsertAtFrontOperation,
     .inputs = {C::编辑框6}},
    {.id = OperationId::InsertAtEnd,
     .button = C::按钮_最后面加,
     .name = "append",
     .profile = {.required_inputs = {C::编辑框7},
                 .input_message = kWhatToAdd,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .file_result = R::RenamedSuccessfully,
                 .folder_result = R::RenamedSuccessfully,
                 .skip_rule = S::WhenListingAll},
     .definition = InsertAtEndOperation,
     .inputs = {C::编辑框7}},
    {.id = OperationId::InsertAtAnchor,
     .button = C::按钮_在某物前后加,
     .name = "insert-at",
     .profile = {.required_inputs = {C::编辑框11, C::编辑框12},
                 .input_message = "弄啥呢？",
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::FileMode,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::RenamedSuccessfully,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = InsertAtAnchorOperation,
     .inputs = {C::编辑框11, C::编辑框12, C::单选框3, C::单选框4, C::单选框5, C::单选框6}},
    {.id = OperationId::AppendAfterExtension,
     .button = C::按钮_扩展名后面加,
     .name = "append-after-extension",
     .profile = {.required_inputs = {C::编辑框18},
                 .input_message = kWhatToAdd,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::Refused,
                 .refusal_message = "此功能无法对文件夹进行修改",
                 .refusal_point = RefusalPoint::AfterInputCheck,
                 .file_result = R::RenamedSuccessfully,
                 .file_result_icon = n,
                 .folder_result = R::RenamedSuccessfully,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = AppendAfterExtensionOperation,
     .inputs = {C::编辑框18}},
    {.id = OperationId::InsertAfterLeadingNumber,
     .button = C::按钮_数字后加符号,
     .name = "insert-after-number",
     .profile = {.required_inputs = {C::编辑框13},
                 .input_message = "加什么？不能为空",
                 .input_order = After,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .file_result = R::RenamedSuccessfully,
                 .file_result_icon = n,
                 .folder_result = R::RenamedSuccessfully,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = InsertAfterLeadingNumberOperation,
     .inputs = {C::编辑框13}},
    {.id = OperationId::ReplaceText,
     .button = C::按钮_替换,
     .name = "replace",
     .profile = {.required_inputs = {C::编辑框4},
                 .input_message = kWhatToRemove,
                 .input_title = kTip,
                 .input_order = After,
                 .empty_folder_message = kDropFirst,
                 .empty_folder_title = kTip,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .confirmation = Q::AskFirst,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::WillBeRenamed,
                 .folder_result_icon = n,
                 .skip_rule = S::Always},
     .definition = ReplaceTextOperation,
     .inputs = {C::编辑框4, C::编辑框5, C::编辑框16, C::单选框7, C::单选框8, C::单选框9,
                C::单选框10}},
    {.id = OperationId::ZeroFillLeadingNumber,
     .button = C::按钮_改01,
     .name = "zero-fill",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .empty_list_check = E::BothModes,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::WillBeRenamed,
                 .skip_rule = S::WhenListingAll},
     .definition = ZeroFillLeadingNumberOperation},
    {.id = OperationId::ConvertChineseScript,
     .button = C::按钮_繁简,
     .name = "convert-script",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .empty_list_check = E::BothModes,
                 .file_result = R::Renamed,
                 .file_result_icon = n,
                 .folder_result = R::Renamed,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = ConvertChineseScriptOperation,
     .inputs = {C::单选框15, C::单选框16}},
    {.id = OperationId::DigitsToChineseNumerals,
     .button = C::按钮_15改十五,
     .name = "to-chinese-numerals",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .file_result = R::TotalChanged,
                 .file_result_icon = n,
                 .folder_result = R::TotalChanged,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = DigitsToChineseNumeralsOperation},
    {.id = OperationId::ChineseNumeralsToDigits,
     .button = C::按钮_十五改15,
     .name = "to-digits",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::SubfolderScan,
                 .empty_list_check = E::BothModes,
                 .file_result = R::TotalChanged,
                 .file_result_icon = n,
                 .folder_result = R::TotalChanged,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = ChineseNumeralsToDigitsOperation},
    {.id = OperationId::NumberEntries,
     .button = C::按钮_加序号,
     .name = "number",
     .profile = {.empty_folder_message = "路径呢？",
                 .no_folder_message = kNothingChosen,
                 .confirmation = Q::AskDirectUnlessPreview,
                 .skip_rule = S::WhenListingAll},
     .definition = [] { return NumberEntriesOperation(); },
     .inputs = {C::编辑框17, C::编辑框19, C::组合框5}},
    {.id = OperationId::AppendAvNumber,
     .button = C::按钮_模拟B站AV,
     .name = "append-av-number",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .folder_handling = F::Refused,
                 .refusal_message = "此功能无法对文件夹进行操作，请选择文件",
                 .refusal_point = RefusalPoint::AfterEmptyFolderCheck,
                 .confirmation = Q::AskNoPreview,
                 .skip_rule = S::WhenListingAll},
     .definition = [] { return AppendAvNumberOperation(); }},
    {.id = OperationId::ChangeExtension,
     .button = C::按钮_改扩展,
     .name = "change-extension",
     .profile = {.required_inputs = {C::组合框_修改扩展},
                 .input_message = "准备改成什么后缀？请先选择或手动输入！",
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::Refused,
                 .refusal_message = "文件夹没有改后缀一说，请勾选文件",
                 .refusal_title = kTip,
                 .refusal_point = RefusalPoint::AfterNoFolderCheck,
                 .file_result = R::Renamed,
                 .file_result_icon = n,
                 .folder_result = R::Renamed,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = ChangeExtensionOperation,
     .inputs = {C::组合框_修改扩展}},
    {.id = OperationId::RegexReplace,
     .button = C::按钮_正则替换,
     .name = "regex",
     .profile = {.required_inputs = {C::编辑框_正则查找},
                 .input_message = kWhatToRemove,
                 .input_title = kTip,
                 .input_order = After,
                 .empty_folder_message = kDropFirst,
                 .empty_folder_title = kTip,
                 .no_folder_message = kNothingChosen,
                 .empty_list_check = E::BothModes,
                 .confirmation = Q::AskFirst,
                 .file_result = R::WillBeRenamed,
                 .folder_result = R::WillBeRenamed,
                 .folder_result_icon = n,
                 .skip_rule = S::Always},
     .definition = RegexReplaceOperation,
     .inputs = {C::编辑框_正则查找, C::编辑框_正则替换为, C::选择框_正则区分大小写,
                C::选择框_正则含扩展名, C::选择框_正则只换第一个}},
    {.id = OperationId::NameFromInfo,
     .button = C::按钮_按信息命名,
     .name = "from-info",
     .profile = {.required_inputs = {C::编辑框_信息模板},
                 .input_message = "按什么命名？模板不能为空",
                 .input_title = kTip,
                 .input_order = Before,
                 .empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosen,
                 .folder_handling = F::Refused,
                 .refusal_message = "文件夹里没有拍摄日期和标签可读，请选择处理文件",
                 .refusal_title = kTip,
                 .refusal_point = RefusalPoint::AfterNoFolderCheck,
                 .empty_list_check = E::FileMode,
                 .file_result = R::Renamed,
                 .folder_result = R::Renamed,
                 .skip_rule = S::Always},
     .definition = NameFromInfoOperation,
     .inputs = {C::编辑框_信息模板, C::组合框_信息字段, C::编辑框_日期格式,
                C::选择框_无日期用修改时间}},
    {.id = OperationId::ToPinyin,
     .button = C::按钮_转拼音,
     .name = "to-pinyin",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .empty_list_check = E::BothModes,
                 .file_result = R::Renamed,
                 .file_result_icon = n,
                 .folder_result = R::Renamed,
                 .folder_result_icon = n,
                 .skip_rule = S::WhenListingAll},
     .definition = ToPinyinOperation,
     .inputs = {C::组合框_拼音形式, C::组合框_拼音声调, C::组合框_拼音分隔, C::组合框_拼音大小写}},
};

// As many entries as ids. Whether each id sits at its own position cannot be
// checked at compile time, since a profile holds a vector: the registry test
// checks it.
static_assert(sizeof(kOperations) / sizeof(kOperations[0]) ==
              static_cast<size_t>(OperationId::ToPinyin) + 1);

}  // namespace

std::span<const OperationEntry> Operations() { return kOperations; }

const OperationEntry& EntryOf(OperationId operation) {
  return kOperations[static_cast<size_t>(operation)];
}

const RunProfile& ProfileOf(OperationId operation) { return EntryOf(operation).profile; }

std::optional<OperationId> OperationOfButton(Control button) {
  for (const OperationEntry& entry : kOperations) {
    if (entry.button == button) return entry.id;
  }
  return std::nullopt;
}

std::optional<OperationId> OperationOfInput(Control input) {
  for (const OperationEntry& entry : kOperations) {
    for (Control read : entry.inputs) {
      if (read == input) return entry.id;
    }
  }
  return std::nullopt;
}

RunEnd RunOperation(OperationId operation, MainServices& services) {
  const OperationEntry& entry = EntryOf(operation);
  return RenameRun(entry.profile, entry.definition(), services);
}

}  // namespace qm

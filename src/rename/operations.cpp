#include "rename/operations.h"

#include "rename/delete_operations.h"
#include "rename/extension_operations.h"
#include "rename/insert_operations.h"
#include "rename/numbering_operations.h"
#include "rename/numeral_operations.h"
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
     .definition = DeleteAfterOperation},
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
     .definition = DeleteBeforeOperation},
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
     .definition = DeleteNTimesOperation},
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
     .definition = DeleteBetweenMarkersOperation},
    {.id = OperationId::DeleteSequenceNumber,
     .button = C::按钮1,
     .name = "delete-sequence-number",
     .profile = {.empty_folder_message = kDropFirst,
                 .no_folder_message = kNothingChosenLoud,
                 .confirmation = Q::AskDirectUnlessPreview},
     .definition = DeleteSequenceNumberOperation},
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
     .definition = InsertAtFrontOperation},
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
     .definition = InsertAtEndOperation},
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
     .definition = InsertAtAnchorOperation},
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
     .definition = AppendAfterExtensionOperation},
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
     .definition = InsertAfterLeadingNumberOperation},
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
     .definition = ReplaceTextOperation},
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
     .definition = ConvertChineseScriptOperation},
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
     .definition = NumberEntriesOperation},
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
     .definition = ChangeExtensionOperation},
};

// As many entries as ids. Whether each id sits at its own position cannot be
// checked at compile time, since a profile holds a vector: the registry test
// checks it.
static_assert(sizeof(kOperations) / sizeof(kOperations[0]) ==
              static_cast<size_t>(OperationId::ChangeExtension) + 1);

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

void RunOperation(OperationId operation, MainServices& services) {
  const OperationEntry& entry = EntryOf(operation);
  RenameRun(entry.profile, entry.definition(), services);
}

}  // namespace qm

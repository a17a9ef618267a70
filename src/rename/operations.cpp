#include "rename/operations.h"

#include "rename/delete_operations.h"
#include "rename/extension_operations.h"
#include "rename/insert_operations.h"
#include "rename/numbering_operations.h"
#include "rename/numeral_operations.h"
#include "rename/rename_run.h"
#include "rename/replace_operations.h"
#include "rename/run_profiles.h"

namespace qm {
namespace {

// The transform side of each operation. Each group of operations adds its
// cases here; an operation without a definition does nothing when clicked.
std::optional<OperationDefinition> DefinitionOf(OperationId operation) {
  switch (operation) {
    case OperationId::InsertAtFront:
      return InsertAtFrontOperation();
    case OperationId::InsertAtEnd:
      return InsertAtEndOperation();
    case OperationId::InsertAtAnchor:
      return InsertAtAnchorOperation();
    case OperationId::AppendAfterExtension:
      return AppendAfterExtensionOperation();
    case OperationId::InsertAfterLeadingNumber:
      return InsertAfterLeadingNumberOperation();
    case OperationId::DigitsToChineseNumerals:
      return DigitsToChineseNumeralsOperation();
    case OperationId::ChineseNumeralsToDigits:
      return ChineseNumeralsToDigitsOperation();
    case OperationId::NumberEntries:
      return NumberEntriesOperation();
    case OperationId::AppendAvNumber:
      return AppendAvNumberOperation();
    case OperationId::ChangeExtension:
      return ChangeExtensionOperation();
    case OperationId::DeleteBetweenMarkers:
      return DeleteBetweenMarkersOperation();
    case OperationId::DeleteBefore:
      return DeleteBeforeOperation();
    case OperationId::DeleteAfter:
      return DeleteAfterOperation();
    case OperationId::DeleteNTimes:
      return DeleteNTimesOperation();
    case OperationId::DeleteSequenceNumber:
      return DeleteSequenceNumberOperation();
    case OperationId::ReplaceText:
      return ReplaceTextOperation();
    case OperationId::ZeroFillLeadingNumber:
      return ZeroFillLeadingNumberOperation();
    case OperationId::ConvertChineseScript:
      return ConvertChineseScriptOperation();
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<OperationId> OperationOfButton(Control button) {
  switch (button) {
    case Control::按钮_删后面:
      return OperationId::DeleteAfter;
    case Control::按钮_删前面:
      return OperationId::DeleteBefore;
    case Control::按钮_删掉N次:
      return OperationId::DeleteNTimes;
    case Control::按钮_一键删除:
      return OperationId::DeleteBetweenMarkers;
    case Control::按钮1:
      return OperationId::DeleteSequenceNumber;
    case Control::按钮_最前面加:
      return OperationId::InsertAtFront;
    case Control::按钮_最后面加:
      return OperationId::InsertAtEnd;
    case Control::按钮_在某物前后加:
      return OperationId::InsertAtAnchor;
    case Control::按钮_扩展名后面加:
      return OperationId::AppendAfterExtension;
    case Control::按钮_数字后加符号:
      return OperationId::InsertAfterLeadingNumber;
    case Control::按钮_替换:
      return OperationId::ReplaceText;
    case Control::按钮_改01:
      return OperationId::ZeroFillLeadingNumber;
    case Control::按钮_繁简:
      return OperationId::ConvertChineseScript;
    case Control::按钮_15改十五:
      return OperationId::DigitsToChineseNumerals;
    case Control::按钮_十五改15:
      return OperationId::ChineseNumeralsToDigits;
    case Control::按钮_加序号:
      return OperationId::NumberEntries;
    case Control::按钮_模拟B站AV:
      return OperationId::AppendAvNumber;
    case Control::按钮_改扩展:
      return OperationId::ChangeExtension;
    default:
      return std::nullopt;
  }
}

void RunOperation(OperationId operation, MainServices& services) {
  if (auto definition = DefinitionOf(operation)) {
    RenameRun(ProfileOf(operation), *definition, services);
  }
}

}  // namespace qm

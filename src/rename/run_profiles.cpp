#include "rename/run_profiles.h"

#include <array>

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
constexpr Icon i = Icon::Information;
constexpr Icon n = Icon::None;

RunProfile Row(std::vector<Control> inputs, std::string_view message, InputOrder order,
               std::string_view no_folder, F folder, E empty_list, Q confirmation, R file_result,
               Icon file_icon, R folder_result, Icon folder_icon, S skip) {
  RunProfile profile;
  profile.required_inputs = std::move(inputs);
  profile.input_message = message;
  profile.input_order = order;
  profile.empty_folder_message = kDropFirst;
  profile.no_folder_message = no_folder;
  profile.folder_handling = folder;
  profile.empty_list_check = empty_list;
  profile.confirmation = confirmation;
  profile.file_result = file_result;
  profile.file_result_icon = file_icon;
  profile.folder_result = folder_result;
  profile.folder_result_icon = folder_icon;
  profile.skip_rule = skip;
  return profile;
}

RunProfile Refusing(RunProfile profile, std::string_view message, std::string_view title,
                    RefusalPoint point) {
  profile.refusal_message = message;
  profile.refusal_title = title;
  profile.refusal_point = point;
  return profile;
}

constexpr auto I = InputOrder::BeforeFolderCheck;
constexpr auto W = InputOrder::AfterFolderCheck;
constexpr auto None = InputOrder::None;
constexpr std::string_view kNoInput = {};

std::array<RunProfile, 18> BuildProfiles() {
  std::array<RunProfile, 18> table;
  auto set = [&table](OperationId id, RunProfile profile) {
    table[static_cast<size_t>(id)] = std::move(profile);
  };
  set(OperationId::DeleteAfter, Row({C::编辑框9}, kWhatToRemove, I, kNothingChosen, F::ListEntries,
                                    E::BothModes, Q::Q1, R::R1, i, R::R1, i, S::None));
  set(OperationId::DeleteBefore, Row({C::编辑框8}, kWhatToRemove, I, kNothingChosen, F::ListEntries,
                                     E::BothModes, Q::Q1, R::R1, i, R::R1, i, S::Gated));
  set(OperationId::DeleteNTimes,
      Row({C::编辑框1}, kWhatToRemove, W, kNothingChosenLoud, F::SubfolderScan, E::FileMode, Q::Q3,
          R::R5, n, R::R3, n, S::Gated));
  set(OperationId::DeleteBetweenMarkers,
      Row({C::编辑框2, C::编辑框3}, kWhatToRemove, W, kNothingChosen, F::SubfolderScan, E::FileMode,
          Q::Q3, R::R3, i, R::R1, n, S::Gated));
  set(OperationId::DeleteSequenceNumber, Row({}, kNoInput, None, kNothingChosenLoud, F::ListEntries,
                                             E::None, Q::Q2, R::None, i, R::None, i, S::None));
  set(OperationId::InsertAtFront, Row({C::编辑框6}, kWhatToAdd, I, kNothingChosen, F::SubfolderScan,
                                      E::FileMode, Q::Q1, R::None, i, R::None, i, S::Gated));
  set(OperationId::InsertAtEnd, Row({C::编辑框7}, kWhatToAdd, I, kNothingChosen, F::ListEntries,
                                    E::BothModes, Q::Q1, R::R2, i, R::R2, i, S::Gated));
  set(OperationId::InsertAtAnchor,
      Row({C::编辑框11, C::编辑框12}, "弄啥呢？", I, kNothingChosen, F::ListEntries, E::FileMode,
          Q::Q1, R::R1, i, R::R2, n, S::Gated));
  set(OperationId::AppendAfterExtension,
      Refusing(Row({C::编辑框18}, kWhatToAdd, I, kNothingChosen, F::Refused, E::None, Q::Q1, R::R2,
                   n, R::R2, n, S::Gated),
               "此功能无法对文件夹进行修改", {}, RefusalPoint::AfterInputCheck));
  set(OperationId::InsertAfterLeadingNumber,
      Row({C::编辑框13}, "加什么？不能为空", W, kNothingChosen, F::ListEntries, E::None, Q::Q1,
          R::R2, n, R::R2, n, S::Gated));
  {
    RunProfile replace = Row({C::编辑框4}, kWhatToRemove, W, kNothingChosen, F::ListEntries,
                             E::BothModes, Q::Q4, R::R1, i, R::R1, n, S::Ungated);
    replace.input_title = kTip;
    replace.empty_folder_title = kTip;
    set(OperationId::ReplaceText, std::move(replace));
  }
  set(OperationId::ZeroFillLeadingNumber,
      Row({}, kNoInput, None, kNothingChosenLoud, F::ListEntries, E::BothModes, Q::Q1, R::R1, i,
          R::R1, i, S::Gated));
  set(OperationId::ConvertChineseScript, Row({}, kNoInput, None, kNothingChosenLoud, F::ListEntries,
                                             E::BothModes, Q::Q1, R::R3, n, R::R3, n, S::Gated));
  set(OperationId::DigitsToChineseNumerals, Row({}, kNoInput, None, kNothingChosen, F::ListEntries,
                                                E::BothModes, Q::Q1, R::R4, n, R::R4, n, S::Gated));
  set(OperationId::ChineseNumeralsToDigits,
      Row({}, kNoInput, None, kNothingChosen, F::SubfolderScan, E::BothModes, Q::Q1, R::R4, n,
          R::R4, n, S::Gated));
  {
    RunProfile numbering = Row({}, kNoInput, None, kNothingChosen, F::ListEntries, E::None, Q::Q2,
                               R::None, i, R::None, i, S::Gated);
    numbering.empty_folder_message = "路径呢？";
    set(OperationId::NumberEntries, std::move(numbering));
  }
  set(OperationId::AppendAvNumber,
      Refusing(Row({}, kNoInput, None, kNothingChosenLoud, F::Refused, E::None, Q::Q5, R::None, i,
                   R::None, i, S::Gated),
               "此功能无法对文件夹进行操作，请选择文件", {}, RefusalPoint::AfterEmptyFolderCheck));
  set(OperationId::ChangeExtension,
      Refusing(Row({C::组合框_修改扩展}, "准备改成什么后缀？请先选择或手动输入！", I,
                   kNothingChosen, F::Refused, E::None, Q::Q1, R::R3, n, R::R3, n, S::Gated),
               "文件夹没有改后缀一说，请勾选文件", kTip, RefusalPoint::AfterNoFolderCheck));
  return table;
}

}  // namespace

const RunProfile& ProfileOf(OperationId operation) {
  static const std::array<RunProfile, 18> profiles = BuildProfiles();
  return profiles[static_cast<size_t>(operation)];
}

}  // namespace qm

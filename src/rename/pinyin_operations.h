#pragma once

#include "platform/form.h"
#include "rename/rename_run.h"
#include "text/pinyin.h"

namespace qm {

// The pinyin group of the "高级" page: Chinese characters to their readings.

// The style the four combos of the group pick.
PinyinStyle PinyinStyleOfForm(const Form& form);

// 按钮_转拼音.
OperationDefinition ToPinyinOperation();

}  // namespace qm

#pragma once

#include "platform/main_services.h"

namespace qm {

// Click on 按钮_删除文件: deletes every entry FileListView shows, after one
// question. What goes follows ProcessingMode: the listed files in "处理文件"
// and "拖几个改几个", the listed folders with everything in them in
// "处理文件夹". 单选框17 deletes for good, 单选框18 moves to the trash; the
// radio buttons are read again for every entry. A failed deletion is silent,
// nothing is reported, and the list keeps all its rows. The deletion is a long
// job: it can be stopped after the entry it is on, and then says how many
// entries it deleted.
//
// Only names inside WorkingFolder are touched: with no usable WorkingFolder
// nothing is deleted, and a name holding a separator, "." or ".." is skipped.
void DeleteListed(MainServices& services);

}  // namespace qm

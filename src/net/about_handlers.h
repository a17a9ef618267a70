#pragma once

#include "net/version_check.h"
#include "platform/about_form.h"
#include "platform/shell.h"

namespace qm {

// AboutWindow: side buttons that switch the pages of its tab control, the
// two links the version page supplies, the user group's number, and the
// result of AboutCheck.

// The user group's number, shown on the discussion page and copied by 按钮2;
// set by whoever publishes the program (QM_USER_GROUP), empty until then.
#ifndef QM_USER_GROUP
#define QM_USER_GROUP ""
#endif
inline constexpr char kUserGroupNumber[] = QM_USER_GROUP;

// The update page's word when the latest version could not be learned.
inline constexpr char kLatestUnknown[] = "暂时无法获取最新版本，请检查网络后重试";
// The update page's word in a build without the version check.
inline constexpr char kCheckTurnedOff[] = "这个版本不检查更新（构建时关闭了版本检查）";

// TutorialLink and DownloadLink: set by every completed AboutCheck, kept
// for the rest of the program run, empty before the first one.
struct AboutLinks {
  GbkText tutorial;
  GbkText download;
};

// The window-created steps (the check's timer is the window's own).
void OnAboutWindowCreated(AboutForm& form);
void OnAboutClicked(AboutForm& form, Shell& shell, const AboutLinks& links, AboutControl control);
// The page AboutCheck fetched, applied on the UI thread to an open window.
void ApplyAboutCheck(AboutForm& form, AboutLinks& links, const GbkText& page,
                     const GbkText& current);

// The update page of a build without the version check: no request is made.
void ShowCheckTurnedOff(AboutForm& form, const GbkText& current);

// Opens a link only when it is an http or https address; an empty or other
// link does nothing. True when it was opened.
bool OpenLink(Shell& shell, const GbkText& link);

}  // namespace qm

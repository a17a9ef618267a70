#pragma once

#include "net/version_check.h"
#include "platform/about_form.h"
#include "platform/shell.h"

namespace qm {

// AboutWindow: side buttons that switch the pages of its tab control, the
// two links the version page supplies, the user group's number, and the
// result of AboutCheck.

// The user group's number, shown on the discussion page and copied by 按钮2.
inline constexpr char kUserGroupNumber[] = "705318462";

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

// Opens a link only when it is an http or https address; an empty or other
// link does nothing. True when it was opened.
bool OpenLink(Shell& shell, const GbkText& link);

}  // namespace qm

#pragma once

#include "platform/form.h"
#include "base/gbk_text_type.h"
#include "platform/http_transport.h"

namespace qm {

// How the program learns of a newer version.
//
// One web page (the version page) names the latest version after the
// marker "Quillmere最新版" and carries two links between fixed markers.
// Two checks read it, each on a worker thread of its own: MainCheck, shortly
// after MainWindow opens, turns the about button into "查看更新" when the
// versions differ; AboutCheck, at every opening of AboutWindow, shows both
// versions and keeps the links (see about_handlers.h). The fetching below
// runs on the worker; the applying runs on the UI thread.

// The version page, set by whoever publishes the program (QM_VERSION_PAGE).
// The default's ".example" is reserved and never resolves, so no request
// ever reaches a stranger's server and the latest version stays unknown.
#ifndef QM_VERSION_PAGE
#define QM_VERSION_PAGE "https://quillmere.example/"
#endif
inline constexpr char kVersionPageAddress[] = QM_VERSION_PAGE;

// False in a build made without the version check (QM_VERSION_CHECK=OFF):
// the program then never contacts a server on its own.
#ifndef QM_VERSION_CHECK
#define QM_VERSION_CHECK 1
#endif
inline constexpr bool kVersionCheckBuiltIn = QM_VERSION_CHECK != 0;

// The MainWindow title's last four bytes are the running version.
GbkText CurrentVersion(const GbkText& main_window_title);

// The n bytes after the first marker; "" without it.
GbkText TextAfterMarker(const GbkText& text, const GbkText& marker, int n);
// The text between the first `left` and the first `right` after it; "" when
// either is missing.
GbkText TextBetween(const GbkText& text, const GbkText& left, const GbkText& right);

struct VersionPage {
  GbkText latest;
  GbkText tutorial_link;
  GbkText download_link;
};
VersionPage ReadVersionPage(const GbkText& page);

// The page as each check fetches it: a POST with every other option at its
// default. MainCheck decodes it as text, AboutCheck from the body bytes; a
// failed request gives "".
GbkText FetchPageForMainCheck(HttpTransport& transport, const GbkText& address);
GbkText FetchPageForAboutCheck(HttpTransport& transport, const GbkText& address);

// MainWindow's about button and notice after MainCheck.
void ApplyMainCheck(Form& main_window, const GbkText& latest, const GbkText& current);

}  // namespace qm

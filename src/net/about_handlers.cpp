#include "net/about_handlers.h"

#include "text/gbk_text.h"

namespace qm {
namespace {

using A = AboutControl;

void SelectPage(AboutForm& form, int page, AboutControl side_button) {
  form.ShowPage(page);
  form.Highlight(side_button);
}

bool StartsWithIgnoringCase(const GbkText& text, const char* start) {
  return Find(text, start, 1, true) == 1;
}

// A link cut from a web page may come with the page's line breaks around it.
GbkText TrimBlanks(const GbkText& text) {
  const char* blanks = " \t\r\n";
  const size_t begin = text.find_first_not_of(blanks);
  if (begin == GbkText::npos) return {};
  return Trim(text.substr(begin, text.find_last_not_of(blanks) - begin + 1));
}

bool HasBlankOrControl(const GbkText& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

void OnAboutWindowCreated(AboutForm& form) {
  SelectPage(form, 0, A::超级按钮_使用教程);
  form.Focus(A::超级按钮_使用教程);
}

void OnAboutClicked(AboutForm& form, Shell& shell, const AboutLinks& links, AboutControl control) {
  switch (control) {
    case A::超级按钮_使用教程:
      SelectPage(form, 0, control);
      break;
    case A::超级按钮_更新信息:
      form.SetVisible(A::透明标签9, true);
      SelectPage(form, 1, control);
      break;
    case A::超级按钮_QQ群:
      SelectPage(form, 2, control);
      form.Focus(control);
      break;
    case A::超级按钮_关闭此页:
      form.Close();
      break;
    case A::超级链接框1:
      OpenLink(shell, links.download);
      form.Focus(A::超级按钮_更新信息);
      break;
    case A::超级链接框2:
      OpenLink(shell, links.tutorial);
      break;
    case A::超级链接框3:
      // An empty link would only wipe what the user has on the clipboard.
      if (!links.tutorial.empty()) shell.SetClipboardText(links.tutorial);
      break;
    case A::按钮2:
      // Without a group of our own there is nothing to copy, and the user's
      // clipboard stays as it was.
      if (kUserGroupNumber[0] != '\0') shell.SetClipboardText(Gbk(kUserGroupNumber));
      form.Focus(A::超级按钮_QQ群);
      break;
    default:
      break;
  }
}

void ApplyAboutCheck(AboutForm& form, AboutLinks& links, const GbkText& page,
                     const GbkText& current) {
  const VersionPage read = ReadVersionPage(page);
  form.SetText(A::透明标签7, current);
  form.SetText(A::透明标签8, read.latest);
  // The result waits hidden until the user opens the update page.
  form.SetVisible(A::透明标签9, false);
  if (read.latest.empty()) {
    // Offline, or a page without the marker: the latest version is unknown,
    // and a download link would lead nowhere.
    form.SetVisible(A::超级链接框1, false);
    form.SetText(A::透明标签9, Gbk(kLatestUnknown));
  } else if (read.latest == current) {
    form.SetVisible(A::超级链接框1, false);
    form.SetText(A::透明标签9, Gbk("恭喜！已经是最新版本！"));
  } else {
    form.SetVisible(A::超级链接框1, true);
    form.SetText(A::透明标签9, Gbk("目前不是最新的版本！"));
  }
  links.tutorial = read.tutorial_link;
  links.download = read.download_link;
}

void ShowCheckTurnedOff(AboutForm& form, const GbkText& current) {
  form.SetText(A::透明标签7, current);
  form.SetText(A::透明标签8, {});
  form.SetVisible(A::超级链接框1, false);
  form.SetText(A::透明标签9, Gbk(kCheckTurnedOff));
}

bool OpenLink(Shell& shell, const GbkText& link) {
  const GbkText address = TrimBlanks(link);
  if (!StartsWithIgnoringCase(address, "http://") && !StartsWithIgnoringCase(address, "https://")) {
    return false;
  }
  if (HasBlankOrControl(address)) return false;
  shell.OpenUrl(address);
  return true;
}

}  // namespace qm

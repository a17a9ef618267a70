#include "workspace/folder_scan.h"

#include "text/gbk_text.h"
#include "workspace/name_functions.h"
#include "workspace/name_order.h"
#include "workspace/wildcard.h"

namespace qm {

GbkText SearchPattern(const Form& form) {
  int index = form.ComboIndex(Control::组合框_仅检索);
  if (index == -1) {
    GbkText typed = form.Text(Control::组合框_仅检索);
    if (typed.empty()) return Gbk("*.*");
    return Find(typed, ".") != -1 ? "*" + typed : "*." + typed;
  }
  static const GbkText all = Gbk("所有");
  GbkText item = form.ComboItem(Control::组合框_仅检索, index);
  return item == all ? GbkText("*.*") : "*" + item;
}

SkipFilter ReadSkipFilter(const Form& form) {
  return {form.ComboIndex(Control::组合框_跳过扩展) != -1, form.Text(Control::组合框_跳过扩展)};
}

ScannedNames ScanFiles(FileSystem& files, WindowSystem& windows, const GbkText& folder,
                       const GbkText& pattern, std::chrono::nanoseconds pump_interval) {
  using Clock = std::chrono::steady_clock;
  ScannedNames scanned;
  const bool by_time = pump_interval.count() > 0;
  bool pumped = false;
  Clock::time_point last_pump = by_time ? Clock::now() : Clock::time_point();
  FolderListing listing =
      files.ListFolder(WithSeparator(folder), [&](const GbkText& name, bool is_directory) {
        bool kept = !is_directory && WildcardMatch(pattern, name);
        if (kept) scanned.names.push_back(name);
        // A pump per name costs as much as the whole scan in a large folder; a
        // pump after the first name and then every interval (also while no name
        // matches) keeps the window just as responsive.
        bool pump = by_time ? (kept && !pumped) || Clock::now() - last_pump >= pump_interval : kept;
        if (!pump) return;
        pumped = true;
        windows.PumpMessages();
        if (by_time) last_pump = Clock::now();
      });
  scanned.left_out = listing.unrepresentable;
  auto now_and_then = [&] {
    if (!by_time || Clock::now() - last_pump < pump_interval) return;
    windows.PumpMessages();
    last_pump = Clock::now();
  };
  scanned.names = PaddedNameOrder(std::move(scanned.names), now_and_then);
  return scanned;
}

ScannedNames ScanSubfolders(FileSystem& files, const GbkText& folder) {
  ScannedNames scanned;
  FolderListing listing =
      files.ListFolder(WithSeparator(folder), [&](const GbkText& name, bool is_directory) {
        if (is_directory && name != "." && name != "..") scanned.names.push_back(name);
      });
  scanned.left_out = listing.unrepresentable;
  scanned.names = FolderNameOrder(std::move(scanned.names));
  return scanned;
}

}  // namespace qm

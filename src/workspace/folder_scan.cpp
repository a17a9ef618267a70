#include "workspace/folder_scan.h"

#include <algorithm>
#include <cstdint>

#include "base/encoding.h"
#include "base/path_rules.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

char FoldAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte;
}

// Greedy match with one backtrack point, stepping whole characters so that
// "?" takes a two- or four-byte character and no byte inside one is ever
// case-folded or compared on its own.
bool MatchCharacters(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
      continue;
    }
    if (p < pattern.size()) {
      size_t pattern_width = CharacterWidthAt(pattern, p);
      size_t name_width = CharacterWidthAt(name, n);
      if (pattern_width == 1 && pattern[p] == '?') {
        ++p;
        n += name_width;
        continue;
      }
      bool same =
          pattern_width == name_width &&
          (pattern_width == 1 ? FoldAscii(pattern[p]) == FoldAscii(name[n])
                              : pattern.substr(p, pattern_width) == name.substr(n, name_width));
      if (same) {
        p += pattern_width;
        n += name_width;
        continue;
      }
    }
    if (star == std::string_view::npos) return false;
    p = star + 1;
    resume += CharacterWidthAt(name, resume);
    n = resume;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool EndsWithSeparator(const GbkText& folder) {
  return !folder.empty() && folder.back() == kPathSeparator;
}

GbkText WithSeparator(GbkText folder) {
  if (!EndsWithSeparator(folder)) folder += kPathSeparator;
  return folder;
}

const GbkText& TipTitle() {
  static const GbkText title = Gbk("提示");
  return title;
}

// Only a number that starts within the first 7 bytes of a name is padded.
constexpr size_t kDigitWindow = 7;

// The index of the name's first digit, when it lies within that window.
size_t FirstDigitInWindow(const GbkText& name) {
  for (size_t i = 0; i < name.size() && i < kDigitWindow;) {
    size_t width = CharacterWidthAt(name, i);
    if (width == 1 && IsAsciiDigit(name[i])) return i;
    i += width;
  }
  return GbkText::npos;
}

bool DigitAt(const GbkText& name, size_t index) {
  return index < name.size() && IsAsciiDigit(name[index]);
}

// The case mapping the Windows file system applies when it orders names:
// letters compare as their capitals. Covers the scripts that occur in names
// here (Latin, Greek, Cyrillic, full-width Latin); other characters stand as
// they are.
char32_t UpcaseForOrder(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    // Latin Extended-A pairs capital and small letters as even/odd code points,
    // shifted by one in the ranges 0139-0148 and 0179-017E.
    bool odd_first = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool small = odd_first ? (c % 2 == 0) : (c % 2 == 1);
    return small ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// The name as the Windows file system compares it: UTF-16 code units of the
// upper-cased name.
std::u16string FolderOrderKey(const GbkText& name) {
  std::u16string key;
  if (std::all_of(name.begin(), name.end(), [](char byte) { return byte >= 0; })) {
    key.reserve(name.size());
    for (char byte : name) key.push_back(static_cast<char16_t>(UpcaseForOrder(byte)));
    return key;
  }
  Result<std::string> utf8 = InternalToUtf8(name);
  if (!utf8.ok()) {
    // Not reached for names read from disk; order such a name by its bytes.
    for (unsigned char byte : name) key.push_back(byte);
    return key;
  }
  const std::string& text = utf8.value();
  key.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    AppendUtf16(key, UpcaseForOrder(c));
    i += length;
  }
  return key;
}

// How many items a pass handles between two calls of its `between`.
constexpr size_t kPiece = 4096;
// How many rows go into the list at once: a list takes them in about 10 ms.
constexpr size_t kRowsPerAppend = 65536;

// std::sort in pieces: runs of kPiece items are sorted, then merged pairwise
// into ever longer runs, with `between` called after every kPiece items, so
// no step takes long however many items there are. `less` must be a total
// order, so the result is the one std::sort gives.
template <class T, class Less>
void SortInPieces(std::vector<T>& items, Less less, const std::function<void()>& between) {
  const size_t count = items.size();
  for (size_t first = 0; first < count; first += kPiece) {
    std::sort(items.begin() + first, items.begin() + std::min(count, first + kPiece), less);
    if (between) between();
  }
  std::vector<T> merged(count);
  for (size_t run = kPiece; run < count; run *= 2) {
    size_t out = 0;
    for (size_t first = 0; first < count; first += 2 * run) {
      size_t left = first, right = std::min(count, first + run);
      const size_t left_end = right, right_end = std::min(count, first + 2 * run);
      while (left < left_end || right < right_end) {
        const bool from_right =
            left == left_end || (right < right_end && less(items[right], items[left]));
        merged[out++] = std::move(items[from_right ? right++ : left++]);
        if (between && out % kPiece == 0) between();
      }
    }
    items.swap(merged);
  }
}

struct IntakeResult {
  GbkText folder;
  ScannedNames scanned;
};

// Appends the scan's rows unless the list or WorkingFolder moved on while the
// scan processed messages: a newer intake or a clear wins. A large folder's
// rows go in a piece at a time with the window's messages in between, and the
// same holds between two pieces.
void FinishIntake(MainServices& services, const IntakeGuard& guard, uint64_t ticket,
                  IntakeResult& result) {
  auto still_newest = [&] {
    return guard.IsNewest(ticket) && WorkingFolder(services.form) == result.folder;
  };
  std::vector<GbkText>& names = result.scanned.names;
  for (size_t first = 0; first < names.size(); first += kRowsPerAppend) {
    if (first > 0) services.windows.PumpMessages();
    if (!still_newest()) return;
    const auto begin = std::make_move_iterator(names.begin() + first);
    const auto end = begin + std::min(kRowsPerAppend, names.size() - first);
    services.list.AppendRows(std::vector<GbkText>(begin, end));
  }
  if (!still_newest()) return;
  if (result.scanned.left_out > 0) {
    static const GbkText before = Gbk("有");
    static const GbkText after =
        Gbk("个文件或文件夹的名称不是有效的 UTF-8 编码，无法显示和改名，已略过，没有列入列表。");
    services.messages.Show(before + ToText(result.scanned.left_out) + after, TipTitle(),
                           Icon::Information, Buttons::Ok);
  }
}

void DropSkipped(const Form& form, std::vector<GbkText>& names) {
  const SkipFilter skip = ReadSkipFilter(form);
  std::erase_if(names, [&skip](const GbkText& name) { return skip.Skips(ExtensionOf(name)); });
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (MatchCharacters(pattern, name)) return true;
  // Windows lets a trailing ".*" match the end of any name, and a trailing "."
  // the end of a name without a dot.
  if (pattern.ends_with(".*")) return MatchCharacters(pattern.substr(0, pattern.size() - 2), name);
  if (pattern.ends_with('.') && name.find('.') == std::string_view::npos) {
    return MatchCharacters(pattern.substr(0, pattern.size() - 1), name);
  }
  return false;
}

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

std::vector<GbkText> FolderNameOrder(std::vector<GbkText> names) {
  struct Entry {
    std::u16string key;
    uint32_t index;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    entries.push_back({FolderOrderKey(names[i]), static_cast<uint32_t>(i)});
  }
  // Names that differ only in case (possible here, not on Windows) keep a
  // fixed order: by their bytes.
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : names[a.index] < names[b.index];
  });
  std::vector<GbkText> ordered;
  ordered.reserve(names.size());
  for (const Entry& entry : entries) ordered.push_back(std::move(names[entry.index]));
  return ordered;
}

std::vector<GbkText> PaddedNameOrder(std::vector<GbkText> names,
                                     const std::function<void()>& between) {
  static const GbkText one_pad = Gbk("加1个蛋蛋");
  static const GbkText two_pads = Gbk("加2个蛋蛋");
  const bool three_digits = names.size() >= 100;

  // Most keys are the name itself; only padded ones are built, once each.
  std::vector<GbkText> padded_keys;
  padded_keys.reserve(names.size());
  struct Entry {
    std::string_view key;
    uint32_t index;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    if (between && i % kPiece == 0) between();
    const GbkText& name = names[i];
    size_t p = FirstDigitInWindow(name);
    int zeros = 0;
    if (p != GbkText::npos) {
      bool two = DigitAt(name, p + 1);
      bool three = two && DigitAt(name, p + 2);
      if (!three_digits) {
        zeros = two ? 0 : 1;
      } else {
        zeros = three ? 0 : (two ? 1 : 2);
      }
    }
    if (zeros == 0) {
      entries.push_back({name, static_cast<uint32_t>(i)});
      continue;
    }
    const GbkText& marker = zeros == 1 ? one_pad : two_pads;
    GbkText key;
    key.reserve(name.size() + zeros + marker.size());
    key.append(name, 0, p)
        .append(static_cast<size_t>(zeros), '0')
        .append(name, p, GbkText::npos)
        .append(marker);
    padded_keys.push_back(std::move(key));
    entries.push_back({padded_keys.back(), static_cast<uint32_t>(i)});
  }
  // string_view compares bytes as unsigned values, a prefix first.
  SortInPieces(
      entries,
      [](const Entry& a, const Entry& b) {
        int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.index < b.index;
      },
      between);
  std::vector<GbkText> ordered;
  ordered.reserve(names.size());
  for (const Entry& entry : entries) {
    if (between && ordered.size() % kPiece == 0) between();
    ordered.push_back(std::move(names[entry.index]));
  }
  return ordered;
}

bool RefuseDesktopFolder(MainServices& services) {
  const GbkText folder = WorkingFolder(services.form);
  // Any "Desktop" folder, and the desktop of a Linux desktop whatever its name
  // (for example ~/桌面).
  if (!IsDesktopFolder(folder) && !IsFolderOrBelow(folder, UserDesktopFolder(services.files))) {
    return false;
  }
  static const GbkText message =
      Gbk("为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面，\r\n"
          "因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到其他盘符进行"
          "操作！");
  services.messages.Show(message, TipTitle(), Icon::Information, Buttons::Ok);
  SetWorkingFolder(services.form, {});
  return true;
}

namespace {

// What 按钮_手动读取 does once it has a folder: the desktop guard, then the
// entries for the processing mode, kept only while ticket is the newest intake.
void ReadChosenFolder(MainServices& services, IntakeGuard& guard, uint64_t ticket,
                      const GbkText& chosen) {
  IntakeResult result{WithSeparator(chosen), {}};
  SetWorkingFolder(services.form, result.folder);
  if (RefuseDesktopFolder(services)) return;
  switch (ReadProcessingMode(services.form)) {
    case ProcessingMode::Files:
    case ProcessingMode::Dropped:
      result.scanned =
          ScanFiles(services.files, services.windows, result.folder, SearchPattern(services.form));
      DropSkipped(services.form, result.scanned.names);
      break;
    case ProcessingMode::Folders:
      result.scanned = ScanSubfolders(services.files, result.folder);
      break;
    case ProcessingMode::Other:
      return;
  }
  FinishIntake(services, guard, ticket, result);
}

}  // namespace

void ChooseFolder(MainServices& services, IntakeGuard& guard) {
  services.list.RemoveAllRows();
  uint64_t ticket = guard.Begin();
  static const GbkText dialog_title = Gbk("选择目录");
  GbkText chosen = services.windows.ChooseFolderDialog(dialog_title, WorkingFolder(services.form));
  if (chosen.empty()) {
    static const GbkText nothing = Gbk("什么都没有选择");
    services.messages.Show(nothing, TipTitle(), Icon::Information, Buttons::Ok);
    return;
  }
  ReadChosenFolder(services, guard, ticket, chosen);
}

void ReadFolder(MainServices& services, IntakeGuard& guard, const GbkText& folder) {
  services.list.RemoveAllRows();
  uint64_t ticket = guard.Begin();
  ReadChosenFolder(services, guard, ticket, folder);
}

void ReloadFolder(MainServices& services, IntakeGuard& guard) {
  IntakeResult result{WorkingFolder(services.form), {}};
  if (result.folder.empty()) return;
  if (result.folder == GbkText(1, kPathSeparator)) {
    SetWorkingFolder(services.form, {});
    return;
  }
  uint64_t ticket = guard.Begin();
  switch (ReadProcessingMode(services.form)) {
    case ProcessingMode::Files: {
      GbkText pattern = SearchPattern(services.form);
      result.scanned = ScanFiles(services.files, services.windows, result.folder, pattern);
      // While a single extension is searched the skip filter is not consulted.
      if (pattern == "*.*") DropSkipped(services.form, result.scanned.names);
      break;
    }
    case ProcessingMode::Folders:
      result.scanned = ScanSubfolders(services.files, result.folder);
      break;
    case ProcessingMode::Dropped:
    case ProcessingMode::Other:
      return;
  }
  FinishIntake(services, guard, ticket, result);
}

}  // namespace qm

#include "rename/info_naming.h"

#include <cstdio>

#include "base/encoding.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

GbkText TwoDigits(int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", n);
  return GbkText(std::string_view(digits));
}

// The reason an entry keeps its name when a field is missing.
std::string_view MissingReason(InfoField field) {
  switch (field) {
    case InfoField::OriginalName:
      return "没有原名";
    case InfoField::TakenDate:
    case InfoField::TakenTime:
      return "没有拍摄日期";
    case InfoField::Camera:
      return "没有相机信息";
    case InfoField::Width:
    case InfoField::Height:
      return "没有图像尺寸";
    case InfoField::Title:
      return "没有标题";
    case InfoField::Artist:
      return "没有艺术家";
    case InfoField::Album:
      return "没有专辑";
    case InfoField::Track:
      return "没有音轨号";
    case InfoField::Year:
      return "没有年份";
    case InfoField::Duration:
      return "没有时长";
    case InfoField::ModifiedDate:
      return "没有修改时间";
  }
  return "";
}

std::optional<CivilTime> TakenOrFallback(const FileInfo& info, const InfoNamingOptions& options) {
  if (info.taken) return info.taken;
  if (options.modified_when_no_date) return info.modified;
  return std::nullopt;
}

// The field's text, or nullopt when the file lacks it.
std::optional<GbkText> FieldText(InfoField field, const GbkText& stem, const FileInfo& info,
                                 const InfoNamingOptions& options) {
  auto text_or_none = [](const GbkText& text) -> std::optional<GbkText> {
    GbkText clean = CleanForName(text);
    if (clean.empty()) return std::nullopt;
    return clean;
  };
  auto number_or_none = [](int n) -> std::optional<GbkText> {
    if (n <= 0) return std::nullopt;
    return ToText(n);
  };
  switch (field) {
    case InfoField::OriginalName:
      return stem;
    case InfoField::TakenDate:
      if (auto when = TakenOrFallback(info, options)) {
        return CleanForName(FormatCivilTime(*when, options.date_format));
      }
      return std::nullopt;
    case InfoField::TakenTime:
      if (auto when = TakenOrFallback(info, options))
        return FormatCivilTime(*when, Gbk("HH-mm-ss"));
      return std::nullopt;
    case InfoField::Camera:
      return text_or_none(info.camera);
    case InfoField::Width:
      return number_or_none(info.width);
    case InfoField::Height:
      return number_or_none(info.height);
    case InfoField::Title:
      return text_or_none(info.title);
    case InfoField::Artist:
      return text_or_none(info.artist);
    case InfoField::Album:
      return text_or_none(info.album);
    case InfoField::Track:
      if (info.track <= 0) return std::nullopt;
      return TwoDigits(info.track);
    case InfoField::Year:
      return number_or_none(info.year);
    case InfoField::Duration:
      if (info.duration_seconds < 0) return std::nullopt;
      return TwoDigits(info.duration_seconds / 60) + Gbk("分") +
             TwoDigits(info.duration_seconds % 60) + Gbk("秒");
    case InfoField::ModifiedDate:
      if (!info.modified) return std::nullopt;
      return CleanForName(FormatCivilTime(*info.modified, options.date_format));
  }
  return std::nullopt;
}

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

const std::vector<InfoFieldName>& InfoFieldNames() {
  static const std::vector<InfoFieldName> names = {
      {InfoField::OriginalName, "{原名}"},
      {InfoField::TakenDate, "{拍摄日期}"},
      {InfoField::TakenTime, "{拍摄时间}"},
      {InfoField::Camera, "{相机}"},
      {InfoField::Width, "{宽}"},
      {InfoField::Height, "{高}"},
      {InfoField::Title, "{标题}"},
      {InfoField::Artist, "{艺术家}"},
      {InfoField::Album, "{专辑}"},
      {InfoField::Track, "{音轨}"},
      {InfoField::Year, "{年份}"},
      {InfoField::Duration, "{时长}"},
      {InfoField::ModifiedDate, "{修改日期}"},
  };
  return names;
}

InfoTemplate ParseInfoTemplate(const GbkText& text) {
  InfoTemplate parsed;
  auto add_text = [&parsed](std::string_view piece) {
    if (piece.empty()) return;
    if (parsed.empty() || parsed.back().field) parsed.push_back({GbkText(), std::nullopt});
    parsed.back().text += piece;
  };
  size_t i = 0;
  while (i < text.size()) {
    bool matched = false;
    if (text[i] == '{') {
      for (const InfoFieldName& name : InfoFieldNames()) {
        const GbkText written = Gbk(name.utf8);
        if (text.compare(i, written.size(), written) == 0) {
          parsed.push_back({GbkText(), name.field});
          i += written.size();
          matched = true;
          break;
        }
      }
    }
    if (!matched) {
      const size_t width = CharacterWidthAt(text, i);
      add_text(std::string_view(text).substr(i, width));
      i += width;
    }
  }
  return parsed;
}

bool NeedsFileInfo(const InfoTemplate& parsed) {
  for (const InfoTemplatePiece& piece : parsed) {
    if (piece.field && *piece.field != InfoField::OriginalName) return true;
  }
  return false;
}

InfoName NameFromInfo(const InfoTemplate& parsed, const GbkText& stem, const FileInfo& info,
                      const InfoNamingOptions& options) {
  InfoName name;
  GbkText made;
  for (const InfoTemplatePiece& piece : parsed) {
    if (!piece.field) {
      made += piece.text;
      continue;
    }
    std::optional<GbkText> text = FieldText(*piece.field, stem, info, options);
    if (!text) {
      name.reason = Gbk(MissingReason(*piece.field));
      return name;
    }
    made += *text;
  }
  name.stem = CleanForName(made);
  return name;
}

GbkText InfoFailureText(FileInfoFailure failure) {
  switch (failure) {
    case FileInfoFailure::Unreadable:
      return Gbk("读不出文件信息");
    case FileInfoFailure::TooSlow:
      return Gbk("读取文件信息太久，放弃了这个文件");
  }
  return {};
}

// The number a format letter stands for; nullopt for any other character.
std::optional<int> FieldOfLetter(char letter, const CivilTime& time) {
  switch (letter) {
    case 'M':
      return time.month;
    case 'd':
      return time.day;
    case 'H':
      return time.hour;
    case 'h':
      return time.hour % 12 == 0 ? 12 : time.hour % 12;
    case 'm':
      return time.minute;
    case 's':
      return time.second;
    default:
      return std::nullopt;
  }
}

GbkText FormatCivilTime(const CivilTime& time, const GbkText& format) {
  GbkText out;
  bool quoted = false;
  size_t i = 0;
  auto run_of = [&format, &i](char letter) {
    size_t n = 0;
    while (i + n < format.size() && format[i + n] == letter) ++n;
    return n;
  };
  while (i < format.size()) {
    const char c = format[i];
    if (c == '\'') {
      // '' is a quote, inside quoted text or out of it; a lone ' opens or closes.
      if (i + 1 < format.size() && format[i + 1] == '\'') {
        out += '\'';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    if (!quoted) {
      const size_t n = run_of(c);
      if (c == 'y' && n >= 2) {
        char year[16];
        std::snprintf(year, sizeof year, n >= 4 ? "%04d" : "%02d",
                      n >= 4 ? time.year : time.year % 100);
        out += std::string_view(year);
        i += n >= 4 ? 4 : 2;
        continue;
      }
      if (std::optional<int> value = FieldOfLetter(c, time)) {
        out += n >= 2 ? TwoDigits(*value) : ToText(*value);
        i += n >= 2 ? 2 : 1;
        continue;
      }
      if ((c == 'A' || c == 'a') && i + 1 < format.size() &&
          (format[i + 1] == 'P' || format[i + 1] == 'p')) {
        const bool upper = c == 'A';
        const std::string_view half =
            time.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
        out += half;
        i += 2;
        continue;
      }
    }
    const size_t width = CharacterWidthAt(format, i);
    out.append(format, i, width);
    i += width;
  }
  return out;
}

GbkText CleanForName(const GbkText& text) {
  GbkText clean;
  clean.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t width = CharacterWidthAt(text, i);
    const auto byte = static_cast<unsigned char>(text[i]);
    if (width == 1 && (byte == '/' || IsControl(byte))) {
      clean += '_';
    } else {
      clean.append(text, i, width);
    }
    i += width;
  }
  return Trim(clean);
}

GbkText FitStem(const GbkText& stem, const GbkText& extension, size_t limit) {
  auto bytes_on_disk = [](const GbkText& text) {
    Result<std::string> utf8 = InternalToUtf8(text);
    return utf8.ok() ? utf8->size() : text.size() * 2;
  };
  const size_t extension_bytes = bytes_on_disk(extension);
  if (bytes_on_disk(stem) + extension_bytes <= limit) return stem;
  // Whole characters, from the front, while they fit.
  GbkText fitted;
  size_t used = extension_bytes;
  for (size_t i = 0; i < stem.size();) {
    const size_t width = CharacterWidthAt(stem, i);
    const size_t more = bytes_on_disk(stem.substr(i, width));
    if (used + more > limit) break;
    fitted.append(stem, i, width);
    used += more;
    i += width;
  }
  return Trim(fitted);
}

}  // namespace qm

#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/file_info.h"

namespace qm {

// Names made from what a file holds: a template such as "{拍摄日期}_{原名}"
// whose fields are filled from the file's information. The extension is kept
// by the run; everything here makes the stem.

enum class InfoField {
  OriginalName,  // {原名}: the name without its extension
  TakenDate,     // {拍摄日期}: when the photo was taken, in the date format
  TakenTime,     // {拍摄时间}: the time of day it was taken, HH-mm-ss
  Camera,        // {相机}: make and model
  Width,         // {宽}
  Height,        // {高}
  Title,         // {标题}
  Artist,        // {艺术家}
  Album,         // {专辑}
  Track,         // {音轨}: two digits
  Year,          // {年份}
  Duration,      // {时长}: "mm分ss秒"
  ModifiedDate,  // {修改日期}: the file's modification time, in the date format
};

struct InfoFieldName {
  InfoField field;
  std::string_view utf8;  // as the template writes it, braces included
};
// Every field, in the order the field list offers them.
const std::vector<InfoFieldName>& InfoFieldNames();

struct InfoTemplatePiece {
  GbkText text;  // literal text, when field is empty
  std::optional<InfoField> field;
};
using InfoTemplate = std::vector<InfoTemplatePiece>;

// A "{...}" that names no field stays as literal text.
InfoTemplate ParseInfoTemplate(const GbkText& text);
// False when the template needs nothing but the name, so no file is read.
bool NeedsFileInfo(const InfoTemplate& parsed);

struct InfoNamingOptions {
  GbkText date_format;                 // Qt's date format letters
  bool modified_when_no_date = false;  // {拍摄日期}/{拍摄时间} fall back to the modification time
};

// The new stem, or why the entry keeps its name.
struct InfoName {
  std::optional<GbkText> stem;
  GbkText reason;  // when stem is empty: "没有拍摄日期", "没有标题", ...
};
InfoName NameFromInfo(const InfoTemplate& parsed, const GbkText& stem, const FileInfo& info,
                      const InfoNamingOptions& options);

// The reason shown for a file whose information could not be read.
GbkText InfoFailureText(FileInfoFailure failure);

// A date and time written with Qt's format letters: yyyy yy M MM d dd H HH
// h hh m mm s ss AP ap, text in single quotes ('' for a quote); any other
// character stands for itself.
GbkText FormatCivilTime(const CivilTime& time, const GbkText& format);

// Text from a tag made safe for a name: "/" and control characters become
// "_", and spaces at either end go.
GbkText CleanForName(const GbkText& text);

// The stem cut at a character boundary so that stem and extension together
// take at most `limit` bytes on disk (UTF-8).
GbkText FitStem(const GbkText& stem, const GbkText& extension, size_t limit = 255);

}  // namespace qm

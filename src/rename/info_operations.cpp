#include "rename/info_operations.h"

#include <memory>
#include <unordered_map>

#include "rename/info_naming.h"
#include "text/gbk_text.h"
#include "workspace/folder_scan.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

// What every listed file holds, read once before the names are made: a file
// read per name inside the run would hold the window for as long as a slow
// file takes.
using InfoByName = std::unordered_map<GbkText, FileInfoRead>;

// Reads the listed files as a long job the user can stop; nullopt when stopped.
// A file the skip-extension filter leaves alone is not read.
std::optional<InfoByName> ReadListedFiles(MainServices& services) {
  InfoByName infos;
  if (services.file_info == nullptr) return infos;
  const GbkText folder = WorkingFolder(services.form);
  const SkipFilter skip = ReadSkipFilter(services.form);
  std::vector<GbkText> names;
  std::vector<GbkText> paths;
  for (int row = 0, rows = services.list.RowCount(); row < rows; ++row) {
    GbkText name = services.list.Cell(row, 0);
    if (name.empty() || skip.Skips(ExtensionOf(name))) continue;
    paths.push_back(folder + name);
    names.push_back(std::move(name));
  }
  const int total = static_cast<int>(paths.size());
  LongJob job(services.progress, Gbk("正在读取文件信息……"), total);
  bool stopped = false;
  services.file_info->ReadEach(paths, [&](size_t index, FileInfoRead read) {
    infos[names[index]] = std::move(read);
    stopped = !job(static_cast<int>(index) + 1, total);
    return !stopped;
  });
  if (stopped) return std::nullopt;
  return infos;
}

NameResult NameOf(const InfoTemplate& parsed, const InfoNamingOptions& options,
                  const InfoByName& infos, const EntryContext& entry) {
  FileInfo none;
  const FileInfo* info = &none;
  if (NeedsFileInfo(parsed)) {
    auto found = infos.find(entry.name);
    if (found == infos.end() || !found->second.info) {
      return NameResult::Failed(InfoFailureText(found == infos.end() ? FileInfoFailure::Unreadable
                                                                     : found->second.failure));
    }
    info = &*found->second.info;
  }
  InfoName made = NameFromInfo(parsed, entry.stem, *info, options);
  if (!made.stem) return NameResult::Failed(std::move(made.reason));
  return FitStem(*made.stem, entry.extension);
}

}  // namespace

OperationDefinition NameFromInfoOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices& services, bool) {
    const Form& form = services.form;
    InfoTemplate parsed = ParseInfoTemplate(form.Text(Control::编辑框_信息模板));
    InfoNamingOptions options;
    options.date_format = form.Text(Control::编辑框_日期格式);
    if (options.date_format.empty()) options.date_format = "yyyy-MM-dd";
    options.modified_when_no_date = form.IsChecked(Control::选择框_无日期用修改时间);
    PreparedOperation prepared;
    std::optional<InfoByName> infos;
    if (NeedsFileInfo(parsed)) {
      infos = ReadListedFiles(services);
      if (!infos) {
        prepared.stopped = true;
        return prepared;
      }
    }
    auto shared = std::make_shared<const InfoByName>(infos ? std::move(*infos) : InfoByName());
    prepared.transform = [parsed = std::move(parsed), options, shared](const GbkText&,
                                                                       const EntryContext& entry) {
      return NameOf(parsed, options, *shared, entry);
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm

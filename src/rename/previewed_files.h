#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"
#include "platform/file_system.h"

namespace qm {

// The files that previewed names stood for when the preview read them, by
// name inside the folder the preview was made in, so that a commit refuses a
// file replaced in the meantime. A preview of a million names notes a million
// files: the names sit side by side in one buffer, not one allocation each
// with its folder in front, so this costs a third of a map of paths.
class PreviewedFiles {
 public:
  // Notes the file `name` stands for inside folder. Names noted in another
  // folder are dropped: values made in two folders are never committed
  // together, so a preview in a new folder starts from none.
  void Note(const GbkText& folder, std::string_view name, const FileIdentity& identity);
  // The file noted for name inside folder, if any.
  std::optional<FileIdentity> Find(const GbkText& folder, std::string_view name) const;
  // Drops the note of name inside folder: it no longer stands for that file.
  void Forget(const GbkText& folder, std::string_view name);
  // Room for `more` notes beyond the present ones, made at once.
  void Reserve(size_t more);
  size_t size() const { return live_; }
  void clear();

 private:
  struct Entry {
    uint32_t offset = 0;  // where the name starts in names_
    uint32_t size = 0;
    uint32_t hash = 0;
    bool live = false;
    FileIdentity identity;
  };
  static constexpr uint32_t kEmpty = UINT32_MAX;

  static uint32_t HashOf(std::string_view name);
  std::string_view NameOf(const Entry& note) const {
    return std::string_view(names_).substr(note.offset, note.size);
  }
  // The slot holding name's note, or the empty slot where it belongs.
  size_t PlaceOf(std::string_view name, uint32_t hash) const;
  // Rebuilds with only the live notes and room for `room` of them.
  void Rebuild(size_t room);

  GbkText folder_;
  std::string names_;
  std::vector<Entry> notes_;
  std::vector<uint32_t> slots_;  // index into notes_, or kEmpty
  size_t live_ = 0;
};

}  // namespace qm

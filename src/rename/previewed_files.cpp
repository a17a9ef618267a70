#include "rename/previewed_files.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace qm {

uint32_t PreviewedFiles::HashOf(std::string_view name) {
  const size_t hash = std::hash<std::string_view>{}(name);
  return static_cast<uint32_t>(hash >> 32 ^ hash);
}

size_t PreviewedFiles::PlaceOf(std::string_view name, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const uint32_t index = slots_[at];
    if (index == kEmpty) return at;
    const Entry& note = notes_[index];
    if (note.hash == hash && NameOf(note) == name) return at;
  }
}

void PreviewedFiles::Rebuild(size_t room) {
  size_t slots = 16;
  while (slots < room * 2) slots *= 2;
  std::string names;
  std::vector<Entry> notes;
  names.reserve(live_ == 0 ? 0 : names_.size());
  notes.reserve(room);
  std::vector<uint32_t> placed(slots, kEmpty);
  slots_.swap(placed);
  for (const Entry& note : notes_) {
    if (!note.live) continue;
    Entry kept = note;
    kept.offset = static_cast<uint32_t>(names.size());
    names += NameOf(note);
    size_t at = note.hash & (slots - 1);
    while (slots_[at] != kEmpty) at = (at + 1) & (slots - 1);
    slots_[at] = static_cast<uint32_t>(notes.size());
    notes.push_back(kept);
  }
  names_.swap(names);
  notes_.swap(notes);
}

void PreviewedFiles::Reserve(size_t more) {
  const size_t notes = notes_.size() + more;
  if (notes <= notes_.capacity() && notes * 2 <= slots_.size()) return;
  Rebuild(live_ + more);
}

void PreviewedFiles::Note(const GbkText& folder, std::string_view name,
                          const FileIdentity& identity) {
  if (folder != folder_) {
    clear();
    folder_ = folder;
  }
  // Forgotten notes keep their places until a rebuild: one is due when the
  // notes, live or not, would fill half the slots.
  if ((notes_.size() + 1) * 2 > slots_.size()) Rebuild(std::max<size_t>(16, (live_ + 1) * 2));
  const uint32_t hash = HashOf(name);
  const size_t at = PlaceOf(name, hash);
  if (slots_[at] != kEmpty) {
    Entry& note = notes_[slots_[at]];
    if (!note.live) ++live_;
    note.live = true;
    note.identity = identity;
    return;
  }
  // Offsets are 32 bits: past that the note is not made, and the commit
  // takes that file as it finds it.
  if (names_.size() + name.size() > UINT32_MAX) return;
  slots_[at] = static_cast<uint32_t>(notes_.size());
  notes_.push_back({static_cast<uint32_t>(names_.size()), static_cast<uint32_t>(name.size()), hash,
                    true, identity});
  names_ += name;
  ++live_;
}

std::optional<FileIdentity> PreviewedFiles::Find(const GbkText& folder,
                                                 std::string_view name) const {
  if (live_ == 0 || folder != folder_) return std::nullopt;
  const uint32_t index = slots_[PlaceOf(name, HashOf(name))];
  if (index == kEmpty || !notes_[index].live) return std::nullopt;
  return notes_[index].identity;
}

void PreviewedFiles::Forget(const GbkText& folder, std::string_view name) {
  if (live_ == 0 || folder != folder_) return;
  const uint32_t index = slots_[PlaceOf(name, HashOf(name))];
  if (index == kEmpty || !notes_[index].live) return;
  notes_[index].live = false;
  if (--live_ == 0) clear();
}

void PreviewedFiles::clear() {
  folder_.clear();
  std::string().swap(names_);
  std::vector<Entry>().swap(notes_);
  std::vector<uint32_t>().swap(slots_);
  live_ = 0;
}

}  // namespace qm

#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "platform/journal_store.h"

namespace qm {

// Journals in memory; can be told to refuse new ones.
class FakeJournalStore : public JournalStore {
 public:
  Result<std::unique_ptr<JournalWriter>> Create() override {
    if (fail_create) return Error{"journal folder not writable (test)"};
    char id[32];
    std::snprintf(id, sizeof id, "%08d", ++created_);
    journals[id];
    return std::unique_ptr<JournalWriter>(std::make_unique<Writer>(*this, id));
  }
  Result<std::unique_ptr<JournalWriter>> Reopen(const std::string& id) override {
    if (journals.count(id) == 0) return Error{"no such journal"};
    return std::unique_ptr<JournalWriter>(std::make_unique<Writer>(*this, id));
  }
  std::vector<std::string> List() override {
    std::vector<std::string> ids;
    for (const auto& [id, bytes] : journals) ids.push_back(id);
    return ids;
  }
  Result<std::string> Read(const std::string& id, size_t tail_bytes) override {
    auto found = journals.find(id);
    if (found == journals.end()) return Error{"no such journal"};
    const std::string& bytes = found->second;
    std::string read = bytes.substr(bytes.size() > tail_bytes ? bytes.size() - tail_bytes : 0);
    bytes_read += read.size();
    return read;
  }
  Result<uint64_t> Size(const std::string& id) override {
    auto found = journals.find(id);
    if (found == journals.end()) return Error{"no such journal"};
    if (auto claimed = claimed_sizes.find(id); claimed != claimed_sizes.end())
      return claimed->second;
    return found->second.size();
  }
  void SetAside(const std::string& id) override {
    auto found = journals.find(id);
    if (found == journals.end()) return;
    set_aside[id] = std::move(found->second);
    journals.erase(found);
  }
  void Remove(const std::string& id) override { journals.erase(id); }

  std::map<std::string, std::string> journals;  // by id, oldest first
  std::map<std::string, std::string> set_aside;
  // Sizes a journal reports instead of its own, to stand for a huge one.
  std::map<std::string, uint64_t> claimed_sizes;
  bool fail_create = false;
  int syncs = 0;
  size_t bytes_read = 0;

 private:
  class Writer : public JournalWriter {
   public:
    Writer(FakeJournalStore& store, std::string id) : store_(store), id_(std::move(id)) {}
    const std::string& Id() const override { return id_; }
    Result<void> Append(std::string_view bytes, bool sync) override {
      store_.journals[id_] += bytes;
      if (sync) ++store_.syncs;
      return {};
    }

   private:
    FakeJournalStore& store_;
    std::string id_;
  };
  int created_ = 0;
};

}  // namespace qm

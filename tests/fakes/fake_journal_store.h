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
  std::vector<StoredJournal> ReadAll() override {
    std::vector<StoredJournal> all;
    for (const auto& [id, bytes] : journals) all.push_back({id, bytes});
    return all;
  }
  void Remove(const std::string& id) override { journals.erase(id); }

  std::map<std::string, std::string> journals;  // by id, oldest first
  bool fail_create = false;
  int syncs = 0;

 private:
  class Writer : public JournalWriter {
   public:
    Writer(FakeJournalStore& store, std::string id) : store_(store), id_(std::move(id)) {}
    const std::string& Id() const override { return id_; }
    Result<bool> Append(std::string_view bytes, bool sync) override {
      store_.journals[id_] += bytes;
      if (sync) ++store_.syncs;
      return true;
    }

   private:
    FakeJournalStore& store_;
    std::string id_;
  };
  int created_ = 0;
};

}  // namespace qm

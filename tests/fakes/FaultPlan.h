#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::testing {

class Faultable;

// One plan of port failures for a whole run, shared by every fake the run uses: it
// counts, in order, each call that can fail, whichever fake it reaches, names it,
// and fails the one chosen, which the fake then reports as its real port would.
// The fakes also enter here what each call deleted, so that a test can tell what
// went before the failure and what after it.
class FaultPlan {
 public:
  struct Call {
    std::string name;   // "Files.RemoveFile"
    std::string phase;  // what the run was doing, where the test says so
  };
  struct Deletion {
    std::size_t call;  // the number of the call that deleted it, from 1
    std::string what;  // "file C:\a.txt", "cache Cookie:me@a.test/", ...
  };

  // The fakes of a run take part in this plan.
  void Attach(std::initializer_list<Faultable*> fakes);
  // Counts from nothing again, in no phase; the `failAt`-th call from now fails (from
  // 1; 0: none).
  void Start(std::size_t failAt = 0) {
    failAt_ = failAt;
    phase_.clear();
    calls_.clear();
    deletions_.clear();
  }
  void SetPhase(std::string phase) { phase_ = std::move(phase); }

  // Counts the call; true when it is the one to fail.
  bool Fails(std::string_view name) {
    calls_.push_back({std::string(name), phase_});
    return calls_.size() == failAt_;
  }
  // What the call just counted deleted.
  void Deleted(std::string what) { deletions_.push_back({calls_.size(), std::move(what)}); }

  const std::vector<Call>& calls() const { return calls_; }
  const std::vector<Deletion>& deletions() const { return deletions_; }

 private:
  std::size_t failAt_ = 0;
  std::string phase_;
  std::vector<Call> calls_;
  std::vector<Deletion> deletions_;
};

// The part of a fake that takes part in a plan; with no plan the fake never fails
// on its own account.
class Faultable {
 public:
  FaultPlan* faults = nullptr;

 protected:
  bool Fails(std::string_view name) const { return faults && faults->Fails(name); }
  void Deleted(std::string what) const {
    if (faults) faults->Deleted(std::move(what));
  }
};

inline void FaultPlan::Attach(std::initializer_list<Faultable*> fakes) {
  for (Faultable* fake : fakes) fake->faults = this;
}

}  // namespace quillmere::testing

#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

void FaultPlan::Start(std::size_t failAt) {
  failAt_ = failAt;
  phase_.clear();
  calls_.clear();
  deletions_.clear();
}

bool FaultPlan::Fails(std::string_view name) {
  calls_.push_back({std::string(name), phase_});
  return calls_.size() == failAt_;
}

void FaultPlan::Deleted(std::string what) {
  deletions_.push_back({calls_.size(), std::move(what)});
}

}  // namespace quillmere::testing

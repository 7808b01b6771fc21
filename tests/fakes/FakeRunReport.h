#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/RunReport.h"

namespace quillmere::testing {

// Records what a run reports, in order.
class FakeRunReport final : public RunReport {
 public:
  void ShowStatus(std::string_view message) override { lines.emplace_back(message); }
  void SetProgressMax(int max) override {
    progressMax = max;
    maxima.push_back(max);
  }
  void SetProgressPosition(int position) override {
    progressPosition = position;
    positions.push_back(position);
  }

  std::vector<std::string> lines;
  std::vector<int> maxima;
  std::vector<int> positions;
  int progressMax = 100;
  int progressPosition = 0;
};

}  // namespace quillmere::testing

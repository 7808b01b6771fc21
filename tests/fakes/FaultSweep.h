#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// What one run showed.
struct FaultRun {
  // A status line and the number of port calls made before it; kUnstamped where the
  // lines cannot be placed among the calls (a window's log read afterwards).
  struct Line {
    std::size_t call;
    std::string text;
  };
  static constexpr std::size_t kUnstamped = SIZE_MAX;

  std::vector<FaultPlan::Call> calls;
  std::vector<FaultPlan::Deletion> deletions;
  std::vector<Line> lines;
  // "box: " + the text of a message box, "line: " + the error line of a routine.
  std::vector<std::string> errors;
  // What the run found wrong with itself: a search left open, a count that lies.
  std::vector<std::string> problems;
  // What the run leaves on show (a count, a figure), for the table.
  std::string state;
};

// A run once without a failure, then once for each of its calls, that call failing.
struct FaultSweep {
  std::string title;
  FaultRun clean;
  std::vector<FaultRun> faulted;  // the k-th call failing at [k - 1]
};

// `run` makes its world afresh, calls plan.Start(failAt) where the run begins and
// says what it saw; the calls and the deletions are taken from the plan.
FaultSweep SweepFaults(std::string title, FaultPlan& plan,
                       const std::function<FaultRun(std::size_t failAt)>& run);

// What a run may show when one of its calls fails.
struct FaultExpectation {
  std::vector<std::string> errors;  // exactly these, in this order
  bool endsRun = false;             // the failure ends the run: nothing goes after it
};

// Where each run departs from what `expect` allows for its failed call, measured
// against the clean run: other errors; anything deleted that the clean run keeps, or
// after a failure that ends the run; a failed deletion that stops the rest; a file
// kept without a line that names it; other lines than the clean run's besides those
// of the items; a line that tells of a deletion that did not happen, or not of one
// that did; and whatever the run found wrong with itself. Each problem is prefixed
// with the call's number, name and phase.
std::vector<std::string> SweepProblems(
    const FaultSweep& sweep, const std::function<FaultExpectation(const FaultPlan::Call&)>& expect);

// The sweep as a table of calls by outcome, with a summary by call, in Markdown.
void WriteFaultTable(const std::string& path, const FaultSweep& sweep);

}  // namespace quillmere::testing

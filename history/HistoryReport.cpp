#include "history/HistoryReport.h"

#include "common/FuncUnit.h"
#include "common/Guarded.h"

namespace quillmere {

void ReportUrlHistory(TUrlHistory& history, const LocaleTime& locale, RunReport& report) {
  RunGuarded(report, "Failed to Create Index.dat Report!", [&] {
    report.ShowStatus("Reading Index.Dat...");
    report.ShowStatus("  ");
    const int count = history.Refresh();
    report.SetProgressMax(count);
    for (int index = 0; index < count; ++index) {
      const TEntry& entry = history.Items()[index];
      report.ShowStatus(entry.Title + " : " + entry.Url + " : Expires - " +
                        DateTimeToText(locale, entry.Expires));
      report.SetProgressPosition(index);
    }
    report.ShowStatus("  ");
    report.ShowStatus("  ");
    report.ShowStatus("Index.dat Report Finished!");
    report.SetProgressPosition(0);
  });
}

}  // namespace quillmere

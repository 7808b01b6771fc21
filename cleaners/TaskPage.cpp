#include <string>

#include "app/Application.h"
#include "app/EraserForm.h"
#include "cleaners/CleanupRun.h"
#include "history/HistoryPurge.h"

// The task page of the main window: the check list of clean-up tasks, its run and
// the index report of the URL history.
namespace quillmere {
namespace {

// The clean-up tasks, in the order the run takes them.
const char* const kTaskCaptions[] = {
    "Clear Internet Explorer URL Drop Down Cache",
    "Clear Internet Explorer URL History    (Index.dat)",
    "Clear Internet Explorer Cached Pages",
    "Clear Widows Media Player URL History",
    "Clear Start / Run Menu Hustory",
    "Clear Start / Recent Documents",
    "Empty Recycle Bin",
    "Clear Netscape Browser Cache",
    "Clear AOL (2 - 6)  Browser Cache",
};

}  // namespace

void TEraserForm::FillTaskList() {
  CheckListBox1->Clear();
  for (const char* caption : kTaskCaptions) CheckListBox1->Add(caption);
}

void TEraserForm::AppendToTask(int index, std::string_view text) {
  CheckListBox1->SetText(index, CheckListBox1->Text(index) + std::string(text));
}

void TEraserForm::ToolButton7Click(int) {
  const int count = CheckListBox1->Count();
  for (int i = 0; i < count; ++i) CheckListBox1->SetChecked(i, true);
}

void TEraserForm::ToolButton8Click(int) {
  const int count = CheckListBox1->Count();
  for (int i = 0; i < count; ++i) CheckListBox1->SetChecked(i, false);
}

void TEraserForm::ToolButton11Click(int) {
  ShowEmptyActivityWindow();
  RunTickedTasks([this](int index) { return CheckListBox1->Checked(index); },
                 CleanupServices{.ports = ports_,
                                 .history = UrlHistory1,
                                 .report = *this,
                                 .ownerWindow = reinterpret_cast<std::uintptr_t>(hwnd()),
                                 .showMessage = ShowErrorBox});
  ToolButton8Click(0);
  RefreshGauges();
}

void TEraserForm::ToolButton15Click(int) {
  ShowEmptyActivityWindow();
  ReportUrlHistory(UrlHistory1, ports_.localeTime, *this);
}

void TEraserForm::UrlHistory1Delete(const std::string&, const std::string& Url, TDateTime,
                                    TDateTime, TDateTime, bool& Delete) {
  ApproveHistoryDeletion(*this, Url, Delete);
}

}  // namespace quillmere

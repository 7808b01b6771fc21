#include "cleaners/gui/TaskPage.h"

#include <cstdint>

#include "cleaners/CleanupRun.h"
#include "cleaners/HistoryPurge.h"
#include "history/HistoryReport.h"

namespace quillmere {
namespace {

constexpr int kToolBarHeight = 60;

}  // namespace

// The tool bar, button for button as the page shows it.
TTaskPage::Buttons TTaskPage::ToolButtons() {
  static const Buttons::Info buttons[] = {
      {.id = ToolButton7,
       .caption = "Check All",
       .image = 0,
       .hint = "Check All Boxes",
       .click = &TTaskPage::ToolButton7Click},
      {.id = ToolButton8,
       .caption = "UnCheck All",
       .image = 1,
       .hint = "UnCheck All Boxes",
       .click = &TTaskPage::ToolButton8Click},
      {.id = ToolButton11,
       .caption = "Clean Up",
       .image = 4,
       .hint = "Run Clean Up",
       .click = &TTaskPage::ToolButton11Click},
      {.separatorWidth = 8},
      {.id = ToolButton15,
       .caption = "Index Report",
       .image = 7,
       .hint = "Read And Report on Index.dat",
       .click = &TTaskPage::ToolButton15Click},
      {.id = ToolButton14,
       .caption = "Help",
       .image = 6,
       .hint = "Show Help Form",
       .click = &TTaskPage::ToolButton13Click},
      {.separatorWidth = 8},
      {.id = ToolButton12,
       .caption = "Close",
       .image = 5,
       .hint = "Close Quillmere",
       .click = &TTaskPage::btnCloseClick},
  };
  return Buttons(buttons);
}

TTaskPage::TTaskPage(const Args& args)
    : page_(args.frame.sheet), services_(args.services), UrlHistory1(args.history) {
  UrlHistory1.OnDelete = [this](const std::string& Title, const std::string& Url,
                                TDateTime LastVisited, TDateTime LastUpdated, TDateTime Expires,
                                bool& Delete) {
    UrlHistory1Delete(Title, Url, LastVisited, LastUpdated, Expires, Delete);
  };
  const auto buttons = ToolButtons().Args();
  ToolBar2 = std::make_unique<win32::ToolBar>(win32::ToolBar::Args{.parent = page_,
                                                                   .width = args.frame.width,
                                                                   .height = kToolBarHeight,
                                                                   .button = {68, 52},
                                                                   .images = args.frame.images,
                                                                   .font = args.frame.font,
                                                                   .showHints = true,
                                                                   .buttons = buttons});
  CheckListBox1 = std::make_unique<win32::CheckListBox>(
      win32::CheckListBox::Args{.parent = page_,
                                .y = kToolBarHeight,
                                .width = args.frame.width,
                                .height = args.frame.height - kToolBarHeight,
                                .itemHeight = 13,
                                .font = args.frame.font});
  FillTaskList();
}

bool TTaskPage::OnCommand(int id) { return ToolButtons().Dispatch(*this, id); }

const char* TTaskPage::Hint(int id) const {
  const auto* button = ToolButtons().Find(id);
  return button ? button->hint : nullptr;
}

void TTaskPage::FillTaskList() {
  CheckListBox1->Clear();
  for (const char* caption : kTaskCaptions) CheckListBox1->Add(caption);
}

void TTaskPage::AppendToTask(int index, std::string_view text) {
  CheckListBox1->SetText(index, CheckListBox1->Text(index) + std::string(text));
}

void TTaskPage::ToolButton7Click(int) {
  const int count = CheckListBox1->Count();
  for (int i = 0; i < count; ++i) CheckListBox1->SetChecked(i, true);
}

void TTaskPage::ToolButton8Click(int) {
  const int count = CheckListBox1->Count();
  for (int i = 0; i < count; ++i) CheckListBox1->SetChecked(i, false);
}

void TTaskPage::ToolButton11Click(int) {
  services_.activity.ShowEmpty();
  RunTickedTasks(
      [this](int index) { return CheckListBox1->Checked(index); },
      CleanupServices{.ports = services_.ports,
                      .history = UrlHistory1,
                      .report = services_.report,
                      .ownerWindow = reinterpret_cast<std::uintptr_t>(GetAncestor(page_, GA_ROOT)),
                      .showMessage = win32::ShowErrorBox});
  ToolButton8Click(0);
  services_.gauges.RefreshGauges();
}

void TTaskPage::ToolButton15Click(int) {
  services_.activity.ShowEmpty();
  ReportUrlHistory(UrlHistory1, services_.ports.localeTime, services_.report);
}

void TTaskPage::ToolButton13Click(int) { services_.help.ShowHelp(); }

void TTaskPage::btnCloseClick(int) { win32::CloseTopLevelWindow(page_); }

void TTaskPage::UrlHistory1Delete(const std::string&, const std::string& Url, TDateTime, TDateTime,
                                  TDateTime, bool& Delete) {
  ApproveHistoryDeletion(services_.report, Url, Delete);
}

}  // namespace quillmere

#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/PageServices.h"
#include "history/UrlHistory.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/PageFrame.h"
#include "toolkit/ToolBar.h"
#include "toolkit/ToolButtons.h"

namespace quillmere {

// Command identifiers of the task page's tool buttons, named as the buttons are.
enum TaskPageCommand : int {
  ToolButton7 = 108,  // "Check All"
  ToolButton8,        // "UnCheck All"
  ToolButton11,       // "Clean Up"
  ToolButton15,       // "Index Report"
  ToolButton14,       // "Help"
  ToolButton12,       // "Close"
};

// The "System / Internet History" page: the check list of clean-up tasks, its run
// and the index report of the URL history.
class TTaskPage final {
 public:
  struct Args {
    win32::PageFrame frame;
    PageServices services;
    TUrlHistory& history;  // the main window's; the page approves what its purge offers
  };
  explicit TTaskPage(const Args& args);
  TTaskPage(const TTaskPage&) = delete;
  TTaskPage& operator=(const TTaskPage&) = delete;

  // The command of one of the page's buttons; false when it is not one of them.
  bool OnCommand(int id);
  // The hint of one of the page's buttons; nullptr when it is not one of them.
  const char* Hint(int id) const;

  // The nine task captions anew, none ticked.
  void FillTaskList();
  // `text` added to task `index`'s caption (a gauge's figure).
  void AppendToTask(int index, std::string_view text);

  // The controls a caller or a test looks at.
  win32::CheckListBox& TaskList() { return *CheckListBox1; }
  win32::ToolBar& ToolBar() { return *ToolBar2; }

 private:
  using Buttons = win32::ToolButtonTable<TTaskPage>;
  static Buttons ToolButtons();

  void ToolButton7Click(int tag);
  void ToolButton8Click(int tag);
  void ToolButton11Click(int tag);
  void ToolButton15Click(int tag);
  void ToolButton13Click(int tag);
  void btnCloseClick(int tag);
  void UrlHistory1Delete(const std::string& Title, const std::string& Url, TDateTime LastVisited,
                         TDateTime LastUpdated, TDateTime Expires, bool& Delete);

  HWND page_;
  PageServices services_;
  TUrlHistory& UrlHistory1;

  std::unique_ptr<win32::ToolBar> ToolBar2;
  std::unique_ptr<win32::CheckListBox> CheckListBox1;
};

}  // namespace quillmere

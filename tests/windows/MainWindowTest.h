#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "tests/windows/GuiTestSupport.h"

namespace quillmere::testing {

// A test of the main window, made as the application makes it: the main window
// over the given ports, then its activity window attached to it.
class MainWindowTest : public ::testing::Test {
 protected:
  void OpenMainWindow(const Ports& ports) {
    CloseMainWindow();
    form = std::make_unique<TEraserForm>(ports);
    activity = std::make_unique<TActiveForm>(form->hwnd());
    form->AttachActivityWindow(activity.get());
  }
  // Before the ports go: the windows still use them while they are taken down.
  void CloseMainWindow() {
    activity.reset();
    form.reset();
    TakeQuitMessage();
  }
  void TearDown() override { CloseMainWindow(); }

  std::unique_ptr<TEraserForm> form;
  std::unique_ptr<TActiveForm> activity;
};

}  // namespace quillmere::testing

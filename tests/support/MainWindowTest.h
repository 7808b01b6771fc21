#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32LocaleTime.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingDesktop.h"

namespace quillmere::testing {

// A test of the main window, made as the application makes it: the main window
// over the given ports, then its activity window attached to it. The desktop is the
// real one, with what the window asks of it recorded.
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

  RecordingDesktop desktop;  // outlives the windows
  std::unique_ptr<TEraserForm> form;
  std::unique_ptr<TActiveForm> activity;
};

// The main window over fakes of the ports the tests steer, with the real locale and
// files.
class FakePortsMainWindowTest : public MainWindowTest {
 protected:
  void MakeForm() {
    OpenMainWindow(Ports{locale, shell, files, registry, history, cache, desktop});
  }

  win32::Win32LocaleTime locale;
  FakeShell shell;
  win32::Win32Files files;
  FakeRegistry registry;
  FakeHistoryStore history;
  FakeUrlCache cache;
};

}  // namespace quillmere::testing

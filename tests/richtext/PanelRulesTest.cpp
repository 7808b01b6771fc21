// The panel's rules that need no window: the caption bar and its buttons, where the
// text goes below it, the sizing corner, moving and sizing with fixed edges,
// collapsing, a group's stacking and a saved position in the registry or a file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "richtext/PanelPlacement.h"
#include "richtext/PanelPosition.h"
#include "richtext/PanelView.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeSurface.h"

namespace quillmere::richtext {
namespace {

using ::testing::Contains;
using testing::FakeFiles;
using testing::FakeRegistry;
using testing::FakeSurface;
using testing::FaultPlan;

// A 100 x 50 panel with its 1-pixel raised bevel and a caption 20 high.
class PanelCaptionTest : public ::testing::Test {
 protected:
  PanelCaptionTest() {
    panel.client = {100, 50};
    panel.font = canvas.Font();
    panel.caption.Visible = true;
    panel.caption.Font = canvas.Font();
  }
  FakeSurface canvas;
  PanelView panel;
};

TEST_F(PanelCaptionTest, TheBarFillsTheCaptionHeightInsideTheBevelWithItsButtonsAtTheRight) {
  panel.caption.CloseButton = true;
  panel.caption.MinMaxButton = true;
  const CaptionLayout layout = CaptionOf(panel);
  EXPECT_EQ(layout.bar, (Rect{1, 1, 99, 19}));
  EXPECT_EQ(layout.close, (Rect{83, 3, 97, 17}));
  EXPECT_EQ(layout.minMax, (Rect{67, 3, 81, 17}));
  EXPECT_EQ(CaptionPartAt(layout, 90, 10), CaptionPart::kClose);
  EXPECT_EQ(CaptionPartAt(layout, 70, 10), CaptionPart::kMinMax);
  EXPECT_EQ(CaptionPartAt(layout, 82, 10), CaptionPart::kBar);  // between the buttons
  EXPECT_EQ(CaptionPartAt(layout, 10, 19), CaptionPart::kNone);

  panel.caption.CloseButton = false;  // the other button takes the far place
  EXPECT_EQ(CaptionOf(panel).minMax, (Rect{83, 3, 97, 17}));
  EXPECT_EQ(CaptionOf(panel).close, Rect{});
  panel.caption.Visible = false;
  EXPECT_EQ(CaptionPartAt(CaptionOf(panel), 10, 10), CaptionPart::kNone);
}

TEST_F(PanelCaptionTest, TheTextStartsBelowTheBarAndTheCaptionsOwnTextAnswersAboveIt) {
  panel.text = "<A href=\"body\">body</A>";
  panel.caption.Text = "<A href=\"head\">head</A>";
  PaintPanel(canvas, panel);
  ASSERT_EQ(canvas.runs.size(), 2u);
  EXPECT_EQ(canvas.runs[0].rect.top, 19);  // the body first, under the bar
  EXPECT_EQ(canvas.runs[1].rect.top, 1);
  EXPECT_THAT(canvas.fills, Contains(FakeSurface::Fill{{1, 1, 99, 19}, SystemColor(13)}));
  EXPECT_EQ(HitTestPanel(canvas, panel, 10, 8).anchor, "head");
  EXPECT_EQ(HitTestPanel(canvas, panel, 10, 24).anchor, "body");
}

TEST_F(PanelCaptionTest, TheSizingCornerShowsSixStrokesOnlyWhileThePanelIsExpanded) {
  panel.caption.Visible = false;
  panel.gripSize = 16;
  EXPECT_EQ(SizeGripRect(panel.client, 16), (Rect{84, 34, 100, 50}));
  PaintPanel(canvas, panel);
  ASSERT_EQ(canvas.lines.size(), 6u);
  for (const auto& stroke : canvas.lines) {
    EXPECT_EQ(stroke.y1, 49);  // from the bottom row up to the right edge
    EXPECT_EQ(stroke.x2, 100);
    EXPECT_GE(stroke.x1, 84);
  }
  canvas.ClearRecords();
  panel.collapsed = true;
  PaintPanel(canvas, panel);
  EXPECT_TRUE(canvas.lines.empty());
}

TEST(PanelPlacement, FixedEdgesAndSizesStayWhileThePanelIsMovedOrSized) {
  const PanelBounds start{10, 20, 100, 50};
  EXPECT_EQ(Moved(start, 5, -7, {}), (PanelBounds{15, 13, 100, 50}));
  EXPECT_EQ(Moved(start, 5, -7, {.top = true}), (PanelBounds{15, 20, 100, 50}));
  EXPECT_EQ(Moved(start, 5, -7, {.left = true}), (PanelBounds{10, 13, 100, 50}));
  EXPECT_EQ(Sized(start, 30, 10, {}, 20), (PanelBounds{10, 20, 130, 60}));
  EXPECT_EQ(Sized(start, 30, 10, {.height = true}, 20), (PanelBounds{10, 20, 130, 50}));
  EXPECT_EQ(Sized(start, 30, 10, {.width = true}, 20), (PanelBounds{10, 20, 100, 60}));
  EXPECT_EQ(Sized(start, -200, -200, {}, 20), (PanelBounds{10, 20, 20, 20}));
}

TEST(PanelPlacement, ACollapsedPanelIsAsHighAsItsCaptionAndExpandsToTheHeightItHad) {
  CollapseState state;
  EXPECT_EQ(state.Expand(120), 120) << "an expanded panel stays as it is";
  EXPECT_EQ(state.Collapse(120, 20), 20);
  EXPECT_EQ(state.FullHeight(20), 120);
  EXPECT_EQ(state.Collapse(20, 20), 20) << "collapsing twice keeps the first height";
  EXPECT_EQ(state.Expand(20), 120);
}

TEST(PanelPlacement, AGroupStacksItsPanelsInTheOrderOfTheirPlacesWithThePadding) {
  const std::vector<PanelBounds> panels{{0, 100, 50, 30}, {7, 0, 80, 40}, {3, 50, 10, 20}};
  EXPECT_EQ(Stacked(panels, {200, 300}, gsVertical, 4, 6),
            (std::vector<PanelBounds>{{4, 78, 192, 30}, {4, 6, 192, 40}, {4, 52, 192, 20}}));
  EXPECT_EQ(Stacked(panels, {200, 300}, gsHorizontal, 4, 6),
            (std::vector<PanelBounds>{{4, 6, 50, 288}, {72, 6, 80, 288}, {58, 6, 10, 288}}));
}

TEST(PanelPosition, APositionIsSavedAndReadBackInTheRegistryOrAnIniFile) {
  FakeRegistry registry;
  FakeFiles files;
  const PositionPorts ports{registry, files};
  const SavedPanelPosition saved{{12, 34, 160, 90}, true};
  TPanelPosition position{.Save = true, .Key = "Software\\Quillmere", .Section = "Panel1"};
  EXPECT_FALSE(LoadPanelPosition(position, ports)) << "nothing saved yet";
  ASSERT_TRUE(SavePanelPosition(position, saved, ports));
  EXPECT_THAT(registry.ValueNames("Software\\Quillmere\\Panel1"),
              ::testing::ElementsAre("Top", "Left", "Height", "Width", "Collaps"));
  EXPECT_EQ(LoadPanelPosition(position, ports), saved);
  registry.SetText("Software\\Quillmere\\Panel1", "Width", "wide");
  EXPECT_FALSE(LoadPanelPosition(position, ports)) << "a value that is no number";

  position = {.Save = true, .Key = "C:\\panels.ini", .Section = "Panel1", .Location = clInifile};
  ASSERT_TRUE(files.WriteFile("C:\\panels.ini", "; mine\r\n[Other]\r\nTop=1\r\n"));
  ASSERT_TRUE(SavePanelPosition(position, saved, ports));
  EXPECT_EQ(files.ReadFile("C:\\panels.ini", 1000),
            "; mine\r\n[Other]\r\nTop=1\r\n\r\n[Panel1]\r\nTop=34\r\nLeft=12\r\nHeight=90\r\n"
            "Width=160\r\nCollaps=1\r\n");
  EXPECT_EQ(LoadPanelPosition(position, ports), saved);
}

// Each call of a save to the ports fails in turn: the save says it failed.
TEST(PanelPosition, ASaveThatAPortFailsIsReportedAsFailed) {
  FakeRegistry registry;
  FakeFiles files;
  ASSERT_TRUE(files.WriteFile("C:\\panels.ini", "[Panel1]\r\n"));
  FaultPlan plan;
  plan.Attach({&registry, &files});
  for (const TPanelLocation location : {clRegistry, clInifile}) {
    const TPanelPosition position{.Save = true,
                                  .Key = location == clRegistry ? "Software\\Q" : "C:\\panels.ini",
                                  .Section = "Panel1",
                                  .Location = location};
    plan.Start();
    ASSERT_TRUE(SavePanelPosition(position, {}, {registry, files}));
    const std::size_t calls = plan.calls().size();
    ASSERT_GT(calls, 1u);
    for (std::size_t failAt = 1; failAt <= calls; ++failAt) {
      plan.Start(failAt);
      EXPECT_FALSE(SavePanelPosition(position, {}, {registry, files}))
          << location << " " << plan.calls().back().name;
    }
  }
}

}  // namespace
}  // namespace quillmere::richtext

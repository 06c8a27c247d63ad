#include "main_window_form.h"

#include <array>
#include <utility>

#include "editor/controls.h"
#include "editor/web_lookup.h"

namespace zelbor::forms {
namespace {

using enum ControlKind;

// clang-format off
void addGeneralInformation(std::vector<ControlSpec>& layout) {
  const std::string f = "Frame1";
  appendRows(layout, {
      {"txtRealName", f, TextBox, "", {120, 360, 1815, 285}, kCentred},
      {"Label1(3)", f, Label, "D.O.B.", {2280, 120, 1455, 255}, kCentred},
      {"txtDOB", f, TextBox, "", {2280, 360, 1455, 285}, kCentred},
      {"Label1(4)", f, Label, "Shirt Numbers", {2280, 840, 1455, 255}, kCentred},
  });
  for (int i = 1; i <= 4; ++i) {
    const int left = 2280 + 360 * (i - 1);
    layout.push_back({arrayElement("txtShirt", i), f, TextBox, "", {left, 1080, 375, 285},
                      kCentred});
  }
  appendRows(layout, {
      // The outline is drawn over the picture as its border.
      {"img1", f, Picture, "", {360, 720, 1380, 1740}},
      {"Shape1", f, Outline, "", {360, 720, 1380, 1740}},
      {"cboFace", f, ComboBox, "", {360, 2520, 1380, 315}},
      {"Label1(0)", f, Label, "Role", {2280, 1560, 1455, 255}, kCentred},
      {"cboRole", f, ComboBox, "", {2280, 1800, 1455, 315}},
      {"Label1(1)", f, Label, "Bat/Bowl Hand", {2280, 2280, 1455, 255}, kCentred},
      {"cboBatHand", f, ComboBox, "", {2280, 2520, 735, 315}},
      {"cboBowlHand", f, ComboBox, "", {3000, 2520, 735, 315}},
      {"Label4(8)", f, Label, "Bowl Type", {120, 3120, 975, 255}},
      {"cboBowlStyle", f, ComboBox, "", {1080, 3120, 2775, 315}},
      {"Label4(9)", f, Label, "Bowl Action", {120, 3600, 1935, 255}},
      {"cboBowlAction", f, ComboBox, "", {1080, 3600, 2775, 315}},
      {"Label4(20)", f, Label, "Def. Captain", {120, 4080, 1935, 255}},
      {"cboCaptain", f, ComboBox, "", {1080, 4080, 975, 315}},
      {"Label4(21)", f, Label, "Bowls (?)", {120, 4560, 1935, 255}},
      {"cboEverBowls", f, ComboBox, "", {1080, 4560, 975, 315}},
  });
}

// Thirteen ability rows under three bold headings. Row k: its caption Label3(k), its outline
// box(k) and, drawn over the outline, its text box: the bar that grows to the right.
void addPlayerAttributes(std::vector<ControlSpec>& layout) {
  const std::string f = "Frame2";
  constexpr std::array<int, editor::kAbilityRowCount> kRowTops = {
      600, 960, 1320, 1680, 2280, 2640, 3000, 3360, 3960, 4320, 4680, 5040, 5400};
  struct Heading {
    const char* name;
    const char* caption;
    int top;
    int firstRow;
  };
  constexpr std::array<Heading, 3> kHeadings = {{
      {"Label2(0)", "Batting", 360, 0},
      {"Label2(1)", "Bowling", 2040, 4},
      {"Label2(2)", "Fielding", 3720, 8},
  }};
  for (int row = 0; row < editor::kAbilityRowCount; ++row) {
    for (const Heading& heading : kHeadings) {
      if (heading.firstRow != row) continue;
      const TwipsRect rect{120, heading.top, 2535, 255};
      layout.push_back({heading.name, f, Label, heading.caption, rect, kBold});
    }
    const int top = kRowTops[row];
    const editor::TextBox box = editor::abilityBox(row);
    appendRows(layout, {
        {arrayElement("Label3", row), f, Label, editor::caption(box), {240, top, 975, 255}},
        {arrayElement("box", row), f, Outline, "", {1080, top, 1695, 285}},
        {editor::designName(box), f, TextBox, "", {1080, top, 285, 285}},
    });
  }
}

void addKitBag(std::vector<ControlSpec>& layout) {
  const std::string f = "Frame4";
  appendRows(layout, {
      {"Label4(16)", f, Label, "Bat", {240, 360, 1935, 255}},
      {"cboBat", f, ComboBox, "", {240, 600, 2775, 315}},
      {"Label4(15)", f, Label, "Sunscreen", {3120, 360, 1935, 255}},
      {"cboSunscreen", f, ComboBox, "", {3120, 600, 2055, 315}},
      {"Label4(19)", f, Label, "Helmet", {5280, 360, 1935, 255}},
      {"cboHelmet", f, ComboBox, "", {5280, 600, 1935, 315}},
      {"Label4(18)", f, Label, "Hat/Cap", {7320, 360, 975, 255}},
      {"cboHat", f, ComboBox, "", {7320, 600, 975, 315}},
      {"Label4(17)", f, Label, "Glasses", {240, 1200, 975, 255}},
      {"cboGlasses", f, ComboBox, "", {240, 1440, 975, 315}},
      {"Label4(22)", f, Label, "Kit 1", {1320, 1200, 975, 255}},
      {"cboKit1", f, ComboBox, "", {1320, 1440, 1455, 315}},
      {"Label4(23)", f, Label, "Kit 2", {2880, 1200, 975, 255}},
      {"cboKit2", f, ComboBox, "", {2880, 1440, 1455, 315}},
      {"Label4(24)", f, Label, "Kit 3", {4440, 1200, 975, 255}},
      {"cboKit3", f, ComboBox, "", {4440, 1440, 1455, 315}},
      {"Label4(25)", f, Label, "Kit 4", {6000, 1200, 975, 255}},
      {"cboKit4", f, ComboBox, "", {6000, 1440, 1455, 315}},
      {"Label4(26)", f, Label, "Arm Guard", {7560, 1200, 975, 255}},
      {"cboGuard", f, ComboBox, "", {7560, 1440, 1455, 315}},
  });
}

// Centred column captions over centred boxes; the three two-line captions wrap in taller labels.
void addOdiStatistics(std::vector<ControlSpec>& layout) {
  const std::string f = "Frame3";
  constexpr unsigned kTwoLines = kCentred | kWrapped;
  appendRows(layout, {
      {"Label4(0)", f, Label, "Mat.", {240, 360, 615, 255}, kCentred},
      {"txtStats(0)", f, TextBox, "", {240, 600, 615, 285}, kCentred},
      {"Label4(1)", f, Label, "Inns", {960, 360, 615, 255}, kCentred},
      {"txtStats(1)", f, TextBox, "", {960, 600, 615, 285}, kCentred},
      {"Label4(2)", f, Label, "Runs", {1680, 360, 615, 255}, kCentred},
      {"txtStats(2)", f, TextBox, "", {1680, 600, 615, 285}, kCentred},
      {"Label4(10)", f, Label, "Bat Avge", {2400, 360, 735, 255}, kCentred},
      {"txtBatAvge", f, TextBox, "", {2400, 600, 735, 285}, kCentred},
      {"Label4(12)", f, Label, "NOs", {3240, 360, 615, 255}, kCentred},
      {"txtNOs", f, TextBox, "", {3240, 600, 615, 285}, kCentred},
      {"Label4(13)", f, Label, "100s", {3960, 360, 615, 255}, kCentred},
      {"txtTons", f, TextBox, "", {3960, 600, 615, 285}, kCentred},
      {"Label4(14)", f, Label, "50s", {4680, 360, 615, 255}, kCentred},
      {"txtHalfs", f, TextBox, "", {4680, 600, 615, 285}, kCentred},
      {"Label4(3)", f, Label, "Balls Bowled", {6120, 170, 615, 375}, kTwoLines},
      {"txtStats(3)", f, TextBox, "", {6120, 600, 615, 285}, kCentred},
      {"Label4(4)", f, Label, "Wkts", {6840, 360, 615, 255}, kCentred},
      {"txtStats(4)", f, TextBox, "", {6840, 600, 615, 285}, kCentred},
      {"Label4(5)", f, Label, "Runs Conceded", {7440, 170, 855, 375}, kTwoLines},
      {"txtStats(5)", f, TextBox, "", {7560, 600, 615, 285}, kCentred},
      {"Label4(11)", f, Label, "Bowl Avge", {8280, 165, 735, 495}, kTwoLines},
      {"txtBowlAvge", f, TextBox, "", {8280, 600, 735, 285}, kCentred},
      {"Label4(6)", f, Label, "Best Batting", {240, 1080, 1935, 255}},
      {"txtBestBatODI", f, TextBox, "", {240, 1320, 6375, 285}},
      {"Label4(7)", f, Label, "Best Bowling", {240, 1680, 1935, 255}},
      {"txtBestBowlODI", f, TextBox, "", {240, 1920, 6375, 285}},
      {"Label6", f, Label, "Click to look up on", {7080, 1440, 1575, 255}, kCentred},
      {"lblCricInfo", f, Label, editor::lookupSiteName(editor::kDefaultLookupAddress), {7080, 1680, 1575, 255},
       kCentred | kLink},
  });
}
// clang-format on

}  // namespace

FormSpec mainWindowForm() {
  std::vector<ControlSpec> layout = {
      {"cboTeams", "", ComboBox, "", {120, 120, 2175, 315}},
      {"lstPlayers", "", ListBox, "", {120, 600, 2175, 5325}},
      {"Frame1", "", Frame, "General Information", {2400, 120, 3975, 5895}},
      {"Frame2", "", Frame, "Player Attributes", {6480, 120, 2895, 5895}},
      {"Frame4", "", Frame, "Kit Bag", {120, 6120, 9255, 1935}},
      {"Frame3", "", Frame, "ODI Statistics", {120, 8160, 9255, 2415}},
  };
  addGeneralInformation(layout);
  addPlayerAttributes(layout);
  addKitBag(layout);
  addOdiStatistics(layout);
  // The caption is the design's until start-up shows the database's path.
  return {"Form1", "Form1", 9495, 10650, std::move(layout)};
}

}  // namespace zelbor::forms

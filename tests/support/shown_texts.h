#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/control_rows.h"

namespace zelbor::testing {

// A designed window and every text its controls come to show, by design name: the rows' captions,
// and what the editor puts into the boxes and lists, without the blanks that end a stored text.
struct ShownTexts {
  forms::FormSpec form;
  std::map<std::string, std::set<std::string>> texts;
  // The width in twips the editor gives a control while it shows a text: the ability bars.
  std::map<std::string, std::map<std::string, double>> widths;
};

// The texts of the four windows over the sample database, walked as a user would: every player of
// every team in the main window, the batch window (its sliders over their range) and the lineups
// of each team, the file hash.
// The list files are read from the working folder.
std::vector<ShownTexts> textsOfTheSampleDatabase();

}  // namespace zelbor::testing

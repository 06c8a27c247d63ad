#pragma once

#include <span>
#include <string>

#include "backup_chooser.h"
#include "db/player_fields.h"
#include "exchange/database_diff.h"
#include "exchange/field_cells.h"

namespace zelbor::editor {

// How the tables of the restore, the import and the comparison show a player field: by the
// caption the main window gives the control showing it ("Timing", "Kit 1", "Bowl Type").
std::string fieldCaption(const db::PlayerField& field);

// A value as the main window shows it: a text without the blanks around it, a list field by its
// item's text (its number where the list has no such item, or no lists were read).
std::string shownValue(const db::PlayerField& field, const db::FieldValue& value,
                       exchange::ItemNames names);

// The lists' item texts; none when the lists could not be read, and the numbers are shown then.
exchange::ItemNames itemNames(const db::Result<db::ValueLists>& lists);

// `field` of player `slot` of `team` (named as the window names it) going from its value in
// `before` to its value in `after`, as a table row.
RestoreChange fieldChange(const std::string& team, int slot, const db::PlayerField& field,
                          const db::PlayerRecord& before, const db::PlayerRecord& after,
                          exchange::ItemNames names);

// A difference between the database images `a` and `b` as a table row: a player's field as
// fieldChange shows it, anything else as the comparison names it. `team` names the difference's
// team; empty for one outside every team.
RestoreChange differenceChange(const exchange::Difference& difference, const std::string& team,
                               std::span<const db::Byte> a, std::span<const db::Byte> b,
                               exchange::ItemNames names);

}  // namespace zelbor::editor

// calc/breakdown_text.h — the breakdown of the estimates as the texts of a table, for the window and the
// report alike.
#pragma once

#include "calc/breakdown.h"

#include <string>
#include <vector>

// The table: a header, one row per recipe line (blank cells where a line takes no part), the colour scale's
// base when it has one, then the totals, which are the figures the results panel shows.
struct BreakdownTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> settings; // "Rendement de brassage : 75 %", ...
};

// Number of columns of every row: line, ingredient, density points and %, EBC and %, IBU and %, the hop's
// time and gravity factors (under Tinseth's model: its utilisation and its hop stand's temperature).
constexpr size_t kBreakdownColumns = 10;

BreakdownTable breakdown_table(const Breakdown& breakdown);

// The text of a setting's value with its unit ("75 %", "20 L", "1 L/kg").
std::string setting_text(const BreakdownSetting& setting);

// The lines naming the gravity and bitterness models when they are not the classic ones (none otherwise).
std::vector<std::string> model_lines(const Breakdown& breakdown);

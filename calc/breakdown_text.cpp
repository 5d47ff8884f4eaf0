// calc/breakdown_text.cpp — the breakdown of the estimates as the texts of a table, for the window and the
// report alike.
#include "calc/breakdown_text.h"

#include "calc/attenuation.h"
#include "core/text.h"

static std::string f2(double x)
{
    return format_decimals(x, 2);
}

static std::string f1(double x)
{
    return format_decimals(x, 1);
}

static std::string f3(double x)
{
    return format_decimals(x, 3);
}

std::string setting_text(const BreakdownSetting& setting)
{
    const std::string unit = setting.unit;
    return f2(setting.value) + (unit.empty() ? "" : " " + unit);
}

std::vector<std::string> model_lines(const Breakdown& b)
{
    std::vector<std::string> lines;
    if (b.gravity_model == GravityModel::extract)
        lines.push_back("Modèle de densité : extrait dans le volume final (°Plato)");
    if (b.bitterness_model == BitternessModel::tinseth)
        lines.push_back("Modèle d'amertume : Tinseth (infusion selon sa température, houblon à cru sans "
                        "amertume)");
    if (b.attenuation_model == AttenuationModel::mash) {
        const double yeast = b.estimates.attenuation;
        std::string line = "Modèle d'atténuation : grains " +
                           f1(100 * mashed_attenuation(yeast, b.conversion_celsius)) + " %";
        if (b.conversion_celsius > 0)
            line += " (saccharification " + f1(b.conversion_celsius) + " °C)";
        lines.push_back(line + ", sucres " + f1(yeast > 0 ? 100 * kWholeSugarAttenuation : 0) + " %");
    }
    return lines;
}

// The last two cells of a hop line under Tinseth's model: its utilisation, and where it isomerised.
static void tinseth_cells(const BreakdownLine& l, std::vector<std::string>& row)
{
    row[8] = f1(100 * l.utilisation) + " %";
    if (l.dry_hop)
        row[9] = "à cru";
    else if (l.stand_celsius >= 0)
        row[9] = "infusion " + format_decimals(l.stand_celsius, 0) + " °C";
    else
        row[9] = "ébullition";
}

BreakdownTable breakdown_table(const Breakdown& b)
{
    BreakdownTable table;
    const bool tinseth = b.bitterness_model == BitternessModel::tinseth;
    table.header = {"N°", "Ingrédient",    "Densité (points)", "%", "EBC", "%", "IBU",
                    "%",  "Facteur temps", "Facteur densité"};
    if (tinseth) {
        table.header[8] = "Utilisation";
        table.header[9] = "Houblon";
    }
    for (size_t k = 0; k < b.lines.size(); k++) {
        const BreakdownLine& l = b.lines[k];
        std::vector<std::string> row(kBreakdownColumns);
        row[0] = std::to_string(k + 1);
        row[1] = l.designation;
        if (l.fermentable) {
            row[2] = f2(l.gravity);
            row[3] = f1(l.gravity_percent);
            row[4] = f2(l.colour);
            row[5] = f1(l.colour_percent);
        }
        if (l.hop) {
            row[6] = f2(l.ibu);
            row[7] = f1(l.ibu_percent);
            row[8] = f3(l.time_factor);
            row[9] = f3(l.gravity_factor);
            if (tinseth)
                tinseth_cells(l, row);
        }
        table.rows.push_back(row);
    }
    if (b.colour_base != 0) {
        std::vector<std::string> row(kBreakdownColumns);
        row[1] = "Base de l'échelle de couleur";
        row[4] = f2(b.colour_base);
        table.rows.push_back(row);
    }
    if (b.gravity_unassigned != 0 || b.colour_unassigned != 0 || b.ibu_unassigned != 0) {
        std::vector<std::string> row(kBreakdownColumns);
        row[1] = "Non réparti (estimations d'un autre calcul)";
        row[2] = f2(b.gravity_unassigned);
        row[4] = f2(b.colour_unassigned);
        row[6] = f2(b.ibu_unassigned);
        table.rows.push_back(row);
    }
    std::vector<std::string> total(kBreakdownColumns);
    total[1] = "Total";
    if (b.estimates.initial_density > 0)
        total[1] += " (densité initiale " + f2(b.estimates.initial_density) + ")";
    total[2] = f2(b.gravity_total);
    total[4] = f2(b.colour_total);
    total[6] = f2(b.ibu_total);
    table.rows.push_back(total);
    for (const BreakdownSetting& s : b.settings)
        table.settings.push_back(std::string(s.label) + " : " + setting_text(s));
    table.settings.push_back(b.colour_model == ColourModel::morey
                                 ? "Modèle de couleur : Morey"
                                 : "Modèle de couleur : linéaire (1,75 EBC de base)");
    for (const std::string& line : model_lines(b))
        table.settings.push_back(line);
    return table;
}

// recipe/formats/foreign_water.cpp — salts and acids by their names, waters by their ions: what the readers
// of other programs' files need to put a recipe's water onto Cuvelo's lines.
#include "recipe/formats/foreign_water.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/quantity.h"
#include "core/text.h"

#include <glib.h>

#include <cmath>

namespace
{

// Lower-case ASCII: "Sulfate de Magnésium" is read as "sulfate de magnesium".
std::string folded(const std::string& name)
{
    gchar* ascii = g_str_to_ascii(name.c_str(), "C");
    gchar* lower = g_ascii_strdown(ascii, -1);
    std::string out = lower;
    g_free(lower);
    g_free(ascii);
    return out;
}

// The names, most particular first: "sodium bicarbonate" before any "sodium", "calcium chloride" before
// any "chloride". A plain "lime" is a fruit: only slaked or pickling lime is the salt.
struct Naming {
    Additive additive;
    std::initializer_list<const char*> words;
};

const Naming kNamings[] = {
    {Additive::baking_soda, {"bicarbonate", "baking soda", "nahco3", "soda bicarb"}},
    {Additive::chalk, {"chalk", "craie", "carbonate de calcium", "calcium carbonate", "caco3"}},
    {Additive::lime,
     {"slaked lime", "pickling lime", "hydrated lime", "calcium hydroxide", "hydroxyde de calcium", "chaux",
      "ca(oh)2", "caoh2"}},
    {Additive::epsom, {"epsom", "magnesium sulfate", "magnesium sulphate", "sulfate de magnesium", "mgso4"}},
    {Additive::magnesium_chloride, {"magnesium chloride", "chlorure de magnesium", "mgcl2"}},
    {Additive::calcium_chloride, {"calcium chloride", "chlorure de calcium", "cacl2"}},
    {Additive::gypsum,
     {"gypsum", "gypse", "calcium sulfate", "calcium sulphate", "sulfate de calcium", "caso4"}},
    {Additive::table_salt,
     {"table salt", "sodium chloride", "chlorure de sodium", "nacl", "canning salt", "kosher salt",
      "sel de cuisine", "sel de table", "sel fin"}},
    {Additive::lactic, {"lactic", "lactique"}},
    {Additive::phosphoric, {"phosphoric", "phosphorique"}},
};

} // namespace

Additive additive_of_name(const std::string& name)
{
    const std::string lowered = folded(name);
    for (const Naming& n : kNamings)
        if (mentions(lowered, n.words))
            return n.additive;
    // "Salt" or "Sel" alone is table salt; "salt" within another name (Epsom salt) was matched above.
    if (lowered == "salt" || lowered == "sel")
        return Additive::table_salt;
    return Additive::none;
}

double acid_percent_of_name(const std::string& name, Additive acid)
{
    const double usual = acid == Additive::phosphoric ? 10 : 80;
    const size_t percent = name.find('%');
    if (percent == std::string::npos)
        return usual;
    size_t start = percent;
    while (start > 0 && (g_ascii_isdigit(name[start - 1]) || name[start - 1] == '.' ||
                         name[start - 1] == ',' || name[start - 1] == ' '))
        start--;
    const double stated = text_to_number(commas_to_points(name.substr(start, percent - start)));
    return stated > 0 && stated <= 100 ? stated : usual;
}

AdditiveTexts additive_texts(Additive a, const std::string& name, double amount, bool is_weight,
                             const std::string& unit)
{
    AdditiveTexts t;
    t.value = additive_key(a);
    // The file's unit is quoted as any of its texts is shown: valid UTF-8, nothing hidden, bounded.
    const std::string shown_unit = bounded_display_text(unit, 16);
    const std::string written = format_decimals(amount * 1000, 2) + (is_weight ? " g" : " mL") +
                                (unit.empty() ? "" : " (en « " + shown_unit + " » dans le fichier)");
    for (const char* counted : {"1", "unit", "units", "each", "dimensionless", "pkg", "packet", "packets"})
        if (unit == counted) {
            t.refused = true;
            t.why = "en « " + shown_unit + " » : un nombre d'unités ne donne ni poids ni volume";
            return t;
        }
    if (is_acid(a)) {
        if (is_weight) {
            t.refused = true;
            t.why = written + " : un acide se dose en volume (mL)";
            return t;
        }
        t.quantity = quantity_text(amount * 1000, Unit::millilitre, 2);
        t.yield = format_decimals(acid_percent_of_name(name, a), 2);
        return t;
    }
    if (!is_weight) {
        t.refused = true;
        t.why = written + " : une mesure en volume d'un sel ne donne pas son poids sûrement";
        return t;
    }
    t.quantity = quantity_text(grams_of_kg(amount), Unit::gram, 2);
    t.yield = "0";
    return t;
}

const WaterProfile* matching_profile(const Ions& ions, const std::vector<WaterProfile>& profiles)
{
    const WaterProfile* best = nullptr;
    double best_distance = 0;
    for (const WaterProfile& p : profiles) {
        const double pairs[6][2] = {{ions.ca, p.ions.ca},   {ions.mg, p.ions.mg}, {ions.na, p.ions.na},
                                    {ions.so4, p.ions.so4}, {ions.cl, p.ions.cl}, {ions.hco3, p.ions.hco3}};
        bool near = true;
        double distance = 0;
        for (const auto& pair : pairs) {
            const double gap = std::fabs(pair[0] - pair[1]);
            near = near && gap <= std::max(2.0, 0.05 * pair[1]);
            distance += gap;
        }
        if (near && (!best || distance < best_distance)) {
            best = &p;
            best_distance = distance;
        }
    }
    return best;
}

std::string ions_summary(const Ions& i)
{
    const auto f0 = [](double x) { return format_decimals(x, 0); };
    return "Ca " + f0(i.ca) + ", Mg " + f0(i.mg) + ", Na " + f0(i.na) + ", SO4 " + f0(i.so4) + ", Cl " +
           f0(i.cl) + ", HCO3 " + f0(i.hco3) + " mg/L";
}

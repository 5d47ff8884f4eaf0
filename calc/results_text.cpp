// calc/results_text.cpp — the texts of the results panel (Pango markup), built from the estimates and style.
#include "calc/results_text.h"

#include "calc/format.h"
#include "calc/water_text.h"
#include "core/brewing_units.h"
#include "core/text.h"

#include <cmath>

std::string escape_markup(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

static std::string span(const std::string& colour, const std::string& text)
{
    return "<span foreground=\"" + colour + "\">" + text + "</span>";
}

static std::string range_text(const std::string& min, const std::string& max)
{
    return escape_markup(min) + "-" + escape_markup(max);
}

static std::string bounded_colour(double value, const std::string& min, const std::string& max,
                                  const Settings& settings)
{
    return range_colour(value, text_to_number(min), text_to_number(max), settings);
}

// A sign that says above or below the range without colour, by the same tests as range_colour.
static std::string range_sign(double value, const std::string& min, const std::string& max)
{
    if (!(value >= text_to_number(min)))
        return " ▼";
    if (value > text_to_number(max))
        return " ▲";
    return "";
}

// The beer colour of the swatch; white for a colour that the scale has no entry for (below 0).
static std::string swatch_colour(double colour_ebc)
{
    double rounded = std::floor(colour_ebc + 0.5);
    // Keep the conversion to int defined; every index beyond the scale is black anyway.
    if (std::isnan(rounded))
        rounded = 0;
    rounded = std::fmin(std::fmax(rounded, -1e6), 1e6);
    std::string colour = ebc_to_colour(static_cast<int>(rounded));
    return colour.empty() ? "#FFFFFF" : colour;
}

// Brewers aim the mash at 5.2 to 5.6: a pH outside is coloured and signed as an estimate outside its style's
// range is; with the water's sulfate-to-chloride ratio and residual alkalinity beside it.
static std::string mash_ph_label(const Estimates& e, const Settings& settings)
{
    if (e.mash_ph <= 0)
        return "pH d'empâtage : -";
    const std::string low = "5.2", high = "5.6";
    std::string text =
        "pH d'empâtage : " + span(bounded_colour(e.mash_ph, low, high, settings),
                                  escape_markup(mash_ph_text(e)) + range_sign(e.mash_ph, low, high));
    text += "   (" + low + "-" + high + " ; SO4/Cl " +
            (e.so4_cl_ratio > 0 ? format_decimals(e.so4_cl_ratio, 2) : std::string("-")) +
            " ; alcalinité résiduelle " + format_decimals(e.residual_alkalinity, 2) + " mEq/L)";
    return text;
}

ResultsText results_text(const Estimates& e, const StyleEntry& style, const Settings& settings,
                         int style_display_mode, bool volume_forced)
{
    ResultsText r;

    std::string bitterness_colour = bounded_colour(e.bitterness_ibu, style.ibu_min, style.ibu_max, settings);
    std::string ebc_colour = bounded_colour(e.colour_ebc, style.ebc_min, style.ebc_max, settings);
    std::string initial_colour = bounded_colour(e.initial_density, style.og_min, style.og_max, settings);
    std::string final_colour = bounded_colour(e.final_density, style.fg_min, style.fg_max, settings);

    switch (style_display_mode) {
    case 0:
        r.style_button = " " + escape_markup(style.name);
        break;
    case 1:
        r.style_button = " " + escape_markup(style.category);
        break;
    case 2:
        r.style_button = " " + escape_markup(style.description);
        break;
    default:
        r.style_button_changes = false;
    }

    std::string volume_colour = volume_forced ? "#00F" : "#000";

    r.labels[3] = "Densité Initiale : ";
    r.labels[4] = span(initial_colour, format_decimals(e.initial_density, 2) +
                                           range_sign(e.initial_density, style.og_min, style.og_max));
    r.labels[5] = range_text(style.og_min, style.og_max);
    r.labels[7] = "Densité Finale :";
    r.labels[8] = span(final_colour, format_decimals(e.final_density, 2) +
                                         range_sign(e.final_density, style.fg_min, style.fg_max));
    r.labels[9] = range_text(style.fg_min, style.fg_max);
    r.labels[11] = "Amertume :";
    r.labels[12] = span(bitterness_colour, format_decimals(e.bitterness_ibu, 2) + " IBU" +
                                               range_sign(e.bitterness_ibu, style.ibu_min, style.ibu_max));
    r.labels[13] = range_text(style.ibu_min, style.ibu_max);
    r.labels[15] = "Couleur :";
    r.labels[16] = span(ebc_colour, format_decimals(e.colour_ebc, 2) + " EBC" +
                                        range_sign(e.colour_ebc, style.ebc_min, style.ebc_max));
    r.labels[17] = range_text(style.ebc_min, style.ebc_max);
    r.labels[1] = "Min - Max";
    r.labels[2] = span(volume_colour, "Volume Final : " + format_decimals(e.final_volume, 2) + " L");
    r.labels[6] = "Malt : " + format_decimals(e.malt_kg, 2) + " KG";
    r.labels[10] = "Houblon : " + format_decimals(grams_of_kg(e.hop_kg), 2) + " G";
    r.labels[14] = "Alcool : " + format_decimals(e.alcohol, 2) + " %Vol.";
    r.labels[18] =
        "<span background=\"" + swatch_colour(e.colour_ebc) + "\">" + std::string(33, ' ') + "</span>";
    r.labels[19] = mash_ph_label(e, settings);
    return r;
}

void add_brew_day_labels(ResultsText& texts, const BrewDay& day)
{
    const MashPlan& m = day.mash;
    const StageVolumes& v = day.volumes;
    const auto litres = [](double x) { return format_decimals(x, 2) + " L"; };
    const auto at = [](double celsius) {
        return celsius > 0 ? " à " + format_decimals(celsius, 1) + " °C" : "";
    };
    texts.labels[20] = "Eau : empâtage " + litres(m.strike_litres) + at(m.strike_temperature) + ", rinçage " +
                       litres(m.sparge_litres) + (m.sparge_litres > 0 ? at(m.sparge_temperature) : "");
    if (v.top_up_litres > 0)
        texts.labels[20] += ", appoint au fermenteur " + litres(v.top_up_litres);
    texts.labels[21] = "Avant ébullition : " + litres(v.pre_boil_litres) + " à " +
                       format_decimals(v.pre_boil_density, 2) + " ; après : " + litres(v.post_boil_litres) +
                       " ; en fermenteur : " + litres(v.fermenter_litres);
}

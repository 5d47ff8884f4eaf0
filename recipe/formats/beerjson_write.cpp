// recipe/formats/beerjson_write.cpp — the BeerJSON writer: the reverse of the reader. Quantities leave in
// kilograms and litres, colours in EBC, times in whole minutes (seconds or days when those are whole), as
// the schema wants times as integers. Texts are escaped UTF-8 as the window shows them.
#include "recipe/formats/beerjson_write.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/keywords.h"
#include "core/line_figures.h"
#include "core/replace_file.h"
#include "core/stated_acidity.h"
#include "core/text.h"
#include "core/additive_keys.h"
#include "recipe/formats/plain_decimal.h"
#include "refdata/water_profiles.h"

#include <glib.h>

#include <cmath>
#include <vector>

namespace
{

// A JSON string of any bytes: UTF-8 as the window shows them, quotes, backslashes and controls escaped.
std::string json_string(const std::string& text)
{
    const std::string utf8 = display_text(text);
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            g_snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// An indented JSON document written member by member; commas and nesting are its own.
class JsonOut
{
  public:
    void open(const char* key, char bracket = '{')
    {
        start(key);
        out_ += bracket;
        first_.push_back(true);
    }

    void close(char bracket = '}')
    {
        const bool empty = first_.back();
        first_.pop_back();
        if (!empty) {
            out_ += '\n';
            indent();
        }
        out_ += bracket;
    }

    void text(const char* key, const std::string& value)
    {
        start(key);
        out_ += json_string(value);
    }

    void raw(const char* key, const std::string& value)
    {
        start(key);
        out_ += value;
    }

    void number(const char* key, double x, int decimals)
    {
        raw(key, plain_decimal(x, decimals));
    }

    // A measured value: {"unit": …, "value": …}.
    void measure(const char* key, double x, const char* unit, int decimals)
    {
        open(key);
        text("unit", unit);
        number("value", x, decimals);
        close();
    }

    // A time, whose value the schema wants whole: in minutes, or days or seconds when those are whole.
    void time(const char* key, double minutes)
    {
        const long long seconds = std::isfinite(minutes) ? std::llround(std::max(0.0, minutes) * 60) : 0;
        open(key);
        if (seconds > 0 && seconds % 86400 == 0) {
            text("unit", "day");
            raw("value", std::to_string(seconds / 86400));
        } else if (seconds % 60 == 0) {
            text("unit", "min");
            raw("value", std::to_string(seconds / 60));
        } else {
            text("unit", "sec");
            raw("value", std::to_string(seconds));
        }
        close();
    }

    std::string take()
    {
        return std::move(out_) + "\n";
    }

  private:
    void start(const char* key)
    {
        if (!first_.empty()) {
            if (!first_.back())
                out_ += ',';
            first_.back() = false;
            out_ += '\n';
            indent();
        }
        if (key)
            out_ += json_string(key) + ": ";
    }

    void indent()
    {
        out_.append(2 * first_.size(), ' ');
    }

    std::string out_;
    std::vector<bool> first_; // per open object or array: nothing written in it yet
};

std::string name_or_default(const std::string& name)
{
    return name.find_first_not_of(" \t") == std::string::npos ? "Sans nom" : name;
}

// The boil's steps as the hop additions name them, numbered from 1; 0 for a step the recipe does not need.
struct BoilSteps {
    int first_wort = 0, boil = 1, whirlpool = 0;
};

BoilSteps boil_steps_of(const Recipe& recipe)
{
    bool rinse = false, aroma = false;
    for (const RecipeLine& line : recipe.lines) {
        if (!is_hop(category_of(line.category)))
            continue;
        const Step step = step_of(line.step);
        rinse = rinse || step == Step::rinse;
        aroma = aroma || step == Step::aroma;
    }
    BoilSteps s;
    s.first_wort = rinse ? 1 : 0;
    s.boil = s.first_wort + 1;
    s.whirlpool = aroma ? s.boil + 1 : 0;
    return s;
}

void write_boil(JsonOut& x, const BoilSteps& steps, double minutes)
{
    x.open("boil");
    x.text("name", "Ébullition");
    x.time("boil_time", minutes);
    x.open("boil_steps", '[');
    if (steps.first_wort) {
        x.open(nullptr);
        x.text("name", "Premier moût (first wort)");
        x.close();
    }
    x.open(nullptr);
    x.text("name", "Ébullition");
    x.measure("start_temperature", 100, "C", 0);
    x.measure("end_temperature", 100, "C", 0);
    x.time("step_time", minutes);
    x.close();
    if (steps.whirlpool) {
        x.open(nullptr);
        x.text("name", "Whirlpool (aromatisation)");
        x.close();
    }
    x.close(']');
    x.close();
}

// Kilograms of a weight, litres of a liquid, millilitres of an acid.
void write_amount(JsonOut& x, const LineFigures& f)
{
    if (f.unit == Unit::litre)
        x.measure("amount", f.amount, "l", 6);
    else if (f.unit == Unit::millilitre)
        x.measure("amount", f.amount, "ml", 4);
    else
        x.measure("amount", f.kg, "kg", 6);
}

void write_timing(JsonOut& x, const char* use, double minutes, int step = 0)
{
    x.open("timing");
    x.time("duration", minutes);
    if (step > 0)
        x.raw("step", std::to_string(step));
    x.text("use", use);
    x.close();
}

// --- Water: a grain's DI pH, salts and acids, waters with their ions.

// The DI pH a grain's value states; the member is one of the schema's fermentable record, which its
// additions may carry.
void write_di_ph(JsonOut& x, const RecipeLine& l)
{
    const StatedAcidity stated = stated_acidity(l.value);
    if (is_grain(category_of(l.category)) && stated.di_ph > 0)
        x.measure("di_ph", stated.di_ph, "pH", 2);
}

// A salt or acid line: a water agent (the schema has no type of its own for acids) by weight or volume; a
// rinse addition timed at the mash's sparge step. The acid's strength goes with its name when the name
// does not give it, so that a reader finds it there.
void write_additive(JsonOut& x, const RecipeLine& l, Additive a, int sparge_step)
{
    const LineFigures f = figures_of(l);
    std::string name = name_or_default(l.designation);
    if (is_acid(a) && name.find('%') == std::string::npos)
        name += " " + format_decimals(text_to_number(l.yield), 2) + " %";
    x.open(nullptr);
    x.text("name", name);
    x.text("type", "water agent");
    write_timing(x,
                 f.step == Step::fermentation                    ? "add_to_fermentation"
                 : f.step == Step::mash || f.step == Step::rinse ? "add_to_mash"
                                                                 : "add_to_boil",
                 f.minutes, f.step == Step::rinse ? sparge_step : 0);
    if (is_acid(a))
        x.measure("amount", f.litres * 1000, "ml", 4);
    else
        x.measure("amount", f.grams, "g", 4);
    x.close();
}

// A water line of a bundled profile, with the profile's ions; a water of no known profile has no ions to
// write and is left out.
void write_water(JsonOut& x, const RecipeLine& l, const std::vector<WaterProfile>& profiles)
{
    const WaterProfile* p = find_water_profile(profiles, l.value);
    if (!p)
        return;
    const LineFigures f = figures_of(l);
    x.open(nullptr);
    x.text("name", p->name);
    x.measure("calcium", p->ions.ca, "mg/l", 2);
    x.measure("bicarbonate", p->ions.hco3, "mg/l", 2);
    x.measure("sulfate", p->ions.so4, "mg/l", 2);
    x.measure("chloride", p->ions.cl, "mg/l", 2);
    x.measure("sodium", p->ions.na, "mg/l", 2);
    x.measure("magnesium", p->ions.mg, "mg/l", 2);
    x.measure("amount", f.amount, "l", 3);
    x.close();
}

// True when a salt or acid goes to the rinse water: the mash then gets a sparge step to time it at.
bool has_rinse_additive(const Recipe& recipe)
{
    for (const RecipeLine& l : recipe.lines)
        if (category_of(l.category) == Category::other_addition && step_of(l.step) == Step::rinse &&
            additive_of_key(l.value) != Additive::none)
            return true;
    return false;
}

void write_fermentable(JsonOut& x, const RecipeLine& l)
{
    const LineFigures f = figures_of(l);
    const Category c = f.category;
    x.open(nullptr);
    x.text("name", name_or_default(l.designation));
    x.text("type", c == Category::sugar            ? "sugar"
                   : c == Category::liquid_extract ? "extract"
                   : c == Category::powder_extract ? "dry extract"
                                                   : "grain");
    if (c == Category::grain || c == Category::flakes)
        x.text("grain_group", c == Category::flakes ? "flaked" : "adjunct");
    else if (c == Category::malt || c == Category::wheat_malt)
        x.text("grain_group", "base");
    else if (c == Category::special_malt)
        x.text("grain_group", "specialty");
    x.open("yield");
    x.measure("fine_grind", f.extract_percent, "%", 4);
    x.close();
    x.measure("color", f.colour_ebc, "EBC", 3);
    write_di_ph(x, l);
    write_amount(x, f);
    x.close();
}

void write_hop(JsonOut& x, const RecipeLine& l, const BoilSteps& steps)
{
    const LineFigures f = figures_of(l);
    x.open(nullptr);
    x.text("name", name_or_default(l.designation));
    x.text("form", f.category == Category::hop_pellet ? "pellet" : "leaf");
    x.measure("alpha_acid", f.alpha_percent, "%", 4);
    switch (f.step) {
    case Step::mash:
        write_timing(x, "add_to_mash", f.minutes);
        break;
    case Step::fermentation:
        write_timing(x, "add_to_fermentation", f.minutes * 1440); // a dry hop's time is in days
        break;
    case Step::rinse:
        write_timing(x, "add_to_boil", f.minutes, steps.first_wort);
        break;
    case Step::aroma:
        write_timing(x, "add_to_boil", f.minutes, steps.whirlpool);
        break;
    default:
        write_timing(x, "add_to_boil", f.minutes, steps.boil);
        break;
    }
    write_amount(x, f);
    x.close();
}

void write_culture(JsonOut& x, const RecipeLine& l)
{
    const LineFigures f = figures_of(l);
    x.open(nullptr);
    x.text("name", name_or_default(l.designation));
    x.text("type", mentions(folded_display_text(l.designation), {"lager", "pils", "bock"}) ? "lager" : "ale");
    x.text("form", f.unit == Unit::litre ? "liquid" : "dry");
    x.measure("attenuation", f.attenuation_percent, "%", 4);
    write_amount(x, f);
    x.close();
}

const char* misc_use(Step step)
{
    switch (step) {
    case Step::mash:
    case Step::rinse:
        return "add_to_mash";
    case Step::fermentation:
        return "add_to_fermentation";
    default:
        return "add_to_boil";
    }
}

void write_misc(JsonOut& x, const RecipeLine& l, int sparge_step)
{
    const Additive a =
        category_of(l.category) == Category::other_addition ? additive_of_key(l.value) : Additive::none;
    if (a != Additive::none) {
        write_additive(x, l, a, sparge_step);
        return;
    }
    const LineFigures f = figures_of(l);
    x.open(nullptr);
    x.text("name", name_or_default(l.designation));
    x.text("type", "other");
    write_timing(x, misc_use(f.step), f.minutes);
    write_amount(x, f);
    x.close();
}

// `infuse_celsius`: the temperature of the water poured at the step, written when known (above 0 °C).
void write_mash_step(JsonOut& x, const MashStep& step, double infuse_celsius)
{
    x.open(nullptr);
    x.text("name", name_or_default(step.name));
    x.text("type", step.kind == MashStepKind::decoction     ? "decoction"
                   : step.kind == MashStepKind::direct_heat ? "temperature"
                                                            : "infusion");
    x.measure("step_temperature", step.temperature, "C", 2);
    x.time("step_time", step.minutes);
    if (infuse_celsius > 0)
        x.measure("infuse_temperature", infuse_celsius, "C", 1);
    x.close();
}

// The recipe's own rests, else the configuration's that last (the first an infusion).
std::vector<MashStep> mash_steps_of(const RecipeReport& w)
{
    std::vector<MashStep> steps = w.recipe.plan.mash;
    if (steps.empty()) {
        static const char* const kRests[5] = {"", "Palier protéinique", "Palier maltose", "Palier dextrines",
                                              "Palier de fin d'empâtage"};
        for (int i = 1; i <= 4; i++)
            if (w.settings.rest_minutes[i] > 0)
                steps.push_back(MashStep{kRests[i], w.settings.rest_first[i], w.settings.rest_minutes[i],
                                         steps.empty() ? MashStepKind::infusion : MashStepKind::direct_heat});
    }
    return steps;
}

// The mash's rests, and the sparge step after them when a salt or acid is timed at it; none, no mash.
void write_mash(JsonOut& x, const RecipeReport& w)
{
    const std::vector<MashStep> steps = mash_steps_of(w);
    const bool sparge = has_rinse_additive(w.recipe);
    if (steps.empty() && !sparge)
        return;
    x.open("mash");
    x.text("name", "Empâtage");
    x.measure("grain_temperature", 20, "C", 0);
    x.open("mash_steps", '[');
    for (size_t i = 0; i < steps.size(); i++)
        write_mash_step(x, steps[i], i == 0 ? w.strike_celsius : 0);
    if (sparge) {
        x.open(nullptr);
        x.text("name", "Rinçage");
        x.text("type", "sparge");
        x.measure("step_temperature", w.sparge_celsius > 0 ? w.sparge_celsius : 78, "C", 1);
        x.time("step_time", 0);
        x.close();
    }
    x.close(']');
    x.close();
}

// The recipe's own fermentation steps; none planned, no fermentation.
void write_fermentation(JsonOut& x, const std::vector<FermentationStep>& steps)
{
    if (steps.empty())
        return;
    x.open("fermentation");
    x.text("name", "Fermentation");
    x.open("fermentation_steps", '[');
    for (const FermentationStep& step : steps) {
        x.open(nullptr);
        x.text("name", name_or_default(step.name));
        x.measure("start_temperature", step.temperature, "C", 2);
        x.time("step_time", step.days * 1440);
        x.close();
    }
    x.close(']');
    x.close();
}

const char* recipe_type(const Recipe& recipe)
{
    bool grain = false, extract = false;
    for (const RecipeLine& line : recipe.lines) {
        const Category c = category_of(line.category);
        grain = grain || is_grain(c);
        extract = extract || c == Category::liquid_extract || c == Category::powder_extract;
    }
    return grain && extract ? "partial mash" : extract ? "extract" : "all grain";
}

const char* style_type(const StyleEntry& s)
{
    const std::string both = folded_display_text(s.category + " " + s.name);
    if (mentions(both, {"cidre", "cider"}))
        return "cider";
    if (mentions(both, {"hydromel", "mead"}))
        return "mead";
    return "beer";
}

void write_style_name(JsonOut& x, const StyleEntry& s)
{
    x.text("name", name_or_default(s.name));
    x.text("category", s.category);
    x.text("style_guide", "");
    x.text("type", style_type(s));
}

// The style's ranges live in the file's style records: the recipe names its style only.
void write_style(JsonOut& x, const StyleEntry& s)
{
    x.open(nullptr);
    write_style_name(x, s);
    const auto range = [&x](const char* key, const std::string& lo, const std::string& hi, double per_unit,
                            const char* unit, int decimals) {
        x.open(key);
        x.measure("minimum", text_to_number(lo) / per_unit, unit, decimals);
        x.measure("maximum", text_to_number(hi) / per_unit, unit, decimals);
        x.close();
    };
    range("original_gravity", s.og_min, s.og_max, 1000, "sg", 4);
    range("final_gravity", s.fg_min, s.fg_max, 1000, "sg", 4);
    range("international_bitterness_units", s.ibu_min, s.ibu_max, 1, "IBUs", 2);
    range("color", s.ebc_min, s.ebc_max, 1, "EBC", 2);
    if (!s.description.empty())
        x.text("notes", s.description);
    x.close();
}

// The lines of one kind, in the recipe's order, as one array of additions.
template <typename Keep, typename Write>
void write_additions(JsonOut& x, const Recipe& recipe, const char* key, Keep keep, Write write)
{
    x.open(key, '[');
    for (const RecipeLine& line : recipe.lines)
        if (keep(category_of(line.category)))
            write(x, line);
    x.close(']');
}

void write_recipe(JsonOut& x, const RecipeReport& w, const std::vector<WaterProfile>& profiles)
{
    const Recipe& recipe = w.recipe;
    const Estimates& e = w.estimates;
    const BrewingPlan& plan = recipe.plan;
    x.open(nullptr);
    x.text("name", name_or_default(!recipe.title.empty() ? recipe.title : w.file_base_name));
    x.text("type", recipe_type(recipe));
    x.text("author", "");
    x.measure("batch_size", e.final_volume, "l", 3);
    x.open("efficiency");
    x.measure("brewhouse", plan.efficiency >= 0 ? plan.efficiency : w.settings.efficiency * 100, "%", 2);
    x.close();
    x.open("style");
    write_style_name(x, recipe.style);
    x.close();
    const BoilSteps steps = boil_steps_of(recipe);
    x.open("ingredients");
    write_additions(x, recipe, "fermentable_additions", is_fermentable, write_fermentable);
    write_additions(x, recipe, "hop_additions", is_hop,
                    [&steps](JsonOut& out, const RecipeLine& l) { write_hop(out, l, steps); });
    const int sparge_step = has_rinse_additive(recipe) ? static_cast<int>(mash_steps_of(w).size()) + 1 : 0;
    write_additions(
        x, recipe, "miscellaneous_additions",
        [](Category c) { return c == Category::other_addition || c == Category::other; },
        [sparge_step](JsonOut& out, const RecipeLine& l) { write_misc(out, l, sparge_step); });
    write_additions(
        x, recipe, "culture_additions", [](Category c) { return c == Category::yeast; }, write_culture);
    write_additions(
        x, recipe, "water_additions", [](Category c) { return c == Category::water; },
        [&profiles](JsonOut& out, const RecipeLine& l) { write_water(out, l, profiles); });
    x.close();
    write_mash(x, w);
    write_fermentation(x, plan.fermentation);
    if (!plan.notes.empty())
        x.text("notes", plan.notes);
    // The estimates, where the standard keeps them; none when there is no wort.
    if (e.initial_density > 0) {
        x.measure("original_gravity", sg_of_density(e.initial_density), "sg", 4);
        x.measure("final_gravity", sg_of_density(e.final_density), "sg", 4);
        x.measure("alcohol_by_volume", e.alcohol, "%", 2);
        x.open("ibu_estimate");
        x.text("method", "Tinseth");
        x.measure("value", e.bitterness_ibu, "IBUs", 2);
        x.close();
        x.measure("color_estimate", e.colour_ebc, "EBC", 2);
    }
    const double carbonation = text_to_number(recipe.carbonation);
    if (carbonation > 0)
        x.number("carbonation", carbonation, 2);
    write_boil(x, steps, plan.boil_minutes >= 0 ? plan.boil_minutes : w.settings.boil_minutes);
    x.close();
}

} // namespace

std::string beerjson_document(const RecipeReport& w)
{
    return beerjson_document(w, water_profiles());
}

std::string beerjson_document(const RecipeReport& w, const std::vector<WaterProfile>& profiles)
{
    JsonOut x;
    x.open(nullptr);
    x.open("beerjson");
    x.raw("version", "1.0");
    x.open("recipes", '[');
    write_recipe(x, w, profiles);
    x.close(']');
    x.open("styles", '[');
    write_style(x, w.recipe.style);
    x.close(']');
    x.close();
    x.close();
    return x.take();
}

bool export_beerjson(const std::string& path, const RecipeReport& report, std::string* why)
{
    return replace_file(path, beerjson_document(report), why);
}

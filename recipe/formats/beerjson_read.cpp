// recipe/formats/beerjson_read.cpp — a BeerJSON document, checked for its size and shape before json-glib
// parses it (a recipe at a time, recipe/formats/json_layout.h), into foreign recipe records. A missing or
// unreadable value takes a default; each such correction is written down beside its recipe, as the BeerXML
// reader does.
#include "recipe/formats/beerjson_read.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/text.h"
#include "core/workspace.h" // kLineCapacity
#include "recipe/formats/beerjson_units.h"
#include "recipe/formats/beerjson_water.h"
#include "recipe/formats/json_layout.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <json-glib/json-glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

// The records of one kind a recipe reads; the others are counted.
constexpr size_t kMostRecords = static_cast<size_t>(kLineCapacity);

std::string lower(const std::string& text)
{
    return folded_display_text(text);
}

std::string quoted(const std::string& text)
{
    return " « " + bounded_display_text(text, kMaxNameCharacters) + " »";
}

std::string figure(double x)
{
    char buffer[G_ASCII_DTOSTR_BUF_SIZE];
    g_ascii_formatd(buffer, sizeof buffer, "%.6g", x);
    return buffer;
}

JsonObject* object_member(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    return node && JSON_NODE_HOLDS_OBJECT(node) ? json_node_get_object(node) : nullptr;
}

JsonArray* array_member(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    return node && JSON_NODE_HOLDS_ARRAY(node) ? json_node_get_array(node) : nullptr;
}

// The objects of an array, at most `most` of them; what is not an object is skipped.
std::vector<JsonObject*> objects_of(JsonArray* array, size_t most, size_t* beyond = nullptr)
{
    std::vector<JsonObject*> found;
    const guint n = array ? json_array_get_length(array) : 0;
    for (guint i = 0; i < n; i++) {
        JsonNode* node = json_array_get_element(array, i);
        if (!JSON_NODE_HOLDS_OBJECT(node))
            continue;
        if (found.size() >= most) {
            if (beyond)
                (*beyond)++;
            continue;
        }
        found.push_back(json_node_get_object(node));
    }
    return found;
}

std::string text_member(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    if (!node || !JSON_NODE_HOLDS_VALUE(node) || json_node_get_value_type(node) != G_TYPE_STRING)
        return std::string();
    const char* text = json_node_get_string(node);
    return text ? text : "";
}

// A number of the file: a JSON number, or a text that holds nothing else (some programs quote them).
bool number_of(JsonNode* node, double* x, bool* quoted_text)
{
    *quoted_text = false;
    if (!node || !JSON_NODE_HOLDS_VALUE(node))
        return false;
    const GType type = json_node_get_value_type(node);
    if (type == G_TYPE_DOUBLE || type == G_TYPE_INT64) {
        *x =
            type == G_TYPE_DOUBLE ? json_node_get_double(node) : static_cast<double>(json_node_get_int(node));
        return std::isfinite(*x);
    }
    if (type != G_TYPE_STRING)
        return false;
    const char* text = json_node_get_string(node);
    char* end = nullptr;
    *x = g_ascii_strtod(text, &end);
    while (end && g_ascii_isspace(*end))
        end++;
    *quoted_text = true;
    return end != text && end && *end == '\0' && std::isfinite(*x);
}

// The fields of one record, read with the corrections written down under the record's kind and name. The
// members it lacks are said together, in one correction, once the record is read.
class Fields
{
  public:
    Fields(JsonObject* o, const char* kind, ForeignRecipe& recipe, bool named = true)
        : o_(o), kind_(kind), recipe_(recipe), named_(named)
    {
    }

    ~Fields()
    {
        if (!missing_.empty() && saying())
            say("manquant(s), pris par défaut : " + missing_);
    }

    Fields(const Fields&) = delete;
    Fields& operator=(const Fields&) = delete;

    JsonObject* object() const
    {
        return o_;
    }

    std::string text(const char* name) const
    {
        return text_member(o_, name);
    }

    // A measured value in the kind's unit, within [lo, hi]; `fallback` when missing (said when `required`),
    // unreadable or in a unit the kind does not have.
    double measure(const char* name, JsonMeasure kind, double fallback, bool required, double lo, double hi,
                   bool report = true) const
    {
        return measure_in(o_, name, kind, fallback, required, lo, hi, report);
    }

    double measure_in(JsonObject* holder, const char* name, JsonMeasure kind, double fallback, bool required,
                      double lo, double hi, bool report = true) const
    {
        JsonNode* node = holder ? json_object_get_member(holder, name) : nullptr;
        if (!node || JSON_NODE_HOLDS_NULL(node)) {
            if (required && report)
                lacks(name, fallback);
            return fallback;
        }
        double value = 0;
        bool quoted_text = false;
        if (!JSON_NODE_HOLDS_OBJECT(node)) {
            // A bare number: programs that drop the unit mean the standard's usual one.
            if (!number_of(node, &value, &quoted_text))
                return unreadable(name, fallback, report);
            if (report && saying())
                say(std::string(name) + " sans unité : lu " + figure(value) + " " + beerjson_base_unit(kind));
            return within(name, value, lo, hi, report);
        }
        JsonObject* measured = json_node_get_object(node);
        const std::string unit = text_member(measured, "unit");
        if (!number_of(json_object_get_member(measured, "value"), &value, &quoted_text))
            return unreadable(name, fallback, report);
        if (!beerjson_convert(kind, unit, value, &value) || !std::isfinite(value)) {
            if (report && saying())
                say(std::string(name) + " : unité" + quoted(unit) + " inconnue, " + figure(fallback) +
                    " pris par défaut");
            return fallback;
        }
        return within(name, value, lo, hi, report);
    }

    // A plain number (the recipe's carbonation), within [lo, hi]; `fallback` when missing or unreadable.
    double number(const char* name, double fallback, double lo, double hi) const
    {
        JsonNode* node = json_object_get_member(o_, name);
        if (!node || JSON_NODE_HOLDS_NULL(node))
            return fallback;
        double value = 0;
        bool quoted_text = false;
        if (!number_of(node, &value, &quoted_text))
            return unreadable(name, fallback, true);
        return within(name, value, lo, hi, true);
    }

    // One of the standard's spellings, whatever the case; `fallback` (said) otherwise.
    std::string choice(const char* name, std::initializer_list<const char*> spellings,
                       const char* fallback) const
    {
        const std::string text = this->text(name);
        for (const char* spelling : spellings)
            if (g_ascii_strcasecmp(text.c_str(), spelling) == 0)
                return spelling;
        if (text.empty())
            lacks(name, fallback);
        else if (saying())
            say(std::string(name) + quoted(text) + " inconnu : " + fallback + " pris par défaut");
        return fallback;
    }

    // Whether the recipe keeps one more correction; once it holds its most, a correction is only counted.
    bool saying() const
    {
        if (recipe_.corrections.size() < kMostCorrections)
            return true;
        recipe_.more_corrections++;
        return false;
    }

    void say(const std::string& what) const
    {
        const std::string name = named_ ? text("name") : std::string();
        add_correction(recipe_.corrections, recipe_.more_corrections,
                       kind_ + (name.empty() ? std::string() : quoted(name)) + " : " + what);
    }

    void lacks(const char* name, const std::string& fallback) const
    {
        if (recipe_.corrections.size() < kMostCorrections)
            missing_ += (missing_.empty() ? "" : ", ") + std::string(name) + " " + fallback;
        else if (missing_.empty())
            missing_ = "…";
    }

    void lacks(const char* name, double fallback) const
    {
        lacks(name, figure(fallback));
    }

  private:
    double unreadable(const char* name, double fallback, bool report) const
    {
        if (report && saying())
            say(std::string(name) + " illisible : " + figure(fallback) + " pris par défaut");
        return fallback;
    }

    double within(const char* name, double value, double lo, double hi, bool report) const
    {
        if (value >= lo && value <= hi)
            return value;
        const double kept = value < lo ? lo : hi;
        if (report && saying())
            say(std::string(name) + " " + figure(value) + " ramené à " + figure(kept));
        return kept;
    }

    JsonObject* o_;
    std::string kind_;
    ForeignRecipe& recipe_;
    bool named_;
    mutable std::string missing_; // "amount 0, alpha_acid 0"
};

// An amount: kilograms of a weight, litres of a volume, or a count of packets or units.
struct Amount {
    enum Kind { weight, volume, count } kind = weight;
    double value = 0;
};

Amount amount_of(const Fields& f, double most)
{
    Amount a;
    JsonObject* measured = object_member(f.object(), "amount");
    const std::string unit = text_member(measured, "unit");
    double ignored = 0;
    if (beerjson_convert(JsonMeasure::volume, unit, 1, &ignored)) {
        a.kind = Amount::volume;
        a.value = f.measure("amount", JsonMeasure::volume, 0, true, 0, most);
        return a;
    }
    for (const char* counted : {"1", "unit", "units", "each", "dimensionless", "pkg", "packet", "packets"})
        if (g_ascii_strcasecmp(unit.c_str(), counted) == 0 && measured) {
            bool quoted_text = false;
            a.kind = Amount::count;
            if (!number_of(json_object_get_member(measured, "value"), &a.value, &quoted_text))
                a.value = 0;
            a.value = std::clamp(a.value, 0.0, most);
            return a;
        }
    a.value = f.measure("amount", JsonMeasure::mass, 0, true, 0, most);
    return a;
}

// Where the recipe's boil steps put an addition: the boil itself, the heating before it (a first wort hop) or
// the cooling after it (a whirlpool, at the step's temperature).
struct BoilStage {
    enum Kind { boil, first_wort, whirlpool } kind = boil;
    double temperature = -1; // °C of a whirlpool step, -1 when the file gives none
};

std::vector<BoilStage> boil_stages(JsonObject* boil, const Fields& f)
{
    std::vector<BoilStage> stages;
    for (JsonObject* step : objects_of(array_member(boil, "boil_steps"), kMostRecords)) {
        const std::string name = lower(text_member(step, "name"));
        const double start =
            f.measure_in(step, "start_temperature", JsonMeasure::temperature, -1, false, -50, 150, false);
        const double end =
            f.measure_in(step, "end_temperature", JsonMeasure::temperature, -1, false, -50, 150, false);
        BoilStage s;
        if (mentions(name, {"whirlpool", "hop stand", "hopstand", "aromatisation", "flameout", "steep"}) ||
            (end >= 0 && end < 95))
            s.kind = BoilStage::whirlpool;
        else if (mentions(name, {"first wort", "premier moût", "fwh", "preboil", "pre-boil", "lauter",
                                 "rinçage"}) ||
                 (start >= 0 && start < 95 && end >= 95))
            s.kind = BoilStage::first_wort;
        if (s.kind == BoilStage::whirlpool)
            s.temperature = end >= 0 ? end : start;
        stages.push_back(s);
    }
    return stages;
}

// What a recipe's records need from the recipe as a whole.
struct RecipeContext {
    std::vector<BoilStage> stages;
    double boil_minutes = -1;
};

// When an addition is made: its use and minutes (its duration, else its time into the step).
struct Timing {
    std::string use; // "add_to_mash", "add_to_boil", "add_to_fermentation", "add_to_package" or ""
    double minutes = 0;
    bool timed = false;
    int step = 0; // 1 for the first step of the process, 0 when none is named
};

Timing timing_of(const Fields& f)
{
    Timing t;
    JsonObject* timing = object_member(f.object(), "timing");
    if (!timing)
        return t;
    t.use = lower(text_member(timing, "use"));
    const double duration = f.measure_in(timing, "duration", JsonMeasure::time, -1, false, 0, 1e6);
    const double time = f.measure_in(timing, "time", JsonMeasure::time, -1, false, 0, 1e6);
    t.timed = duration >= 0 || time >= 0;
    t.minutes = duration >= 0 ? duration : std::max(time, 0.0);
    JsonNode* step = json_object_get_member(timing, "step");
    if (step && JSON_NODE_HOLDS_VALUE(step) && json_node_get_value_type(step) == G_TYPE_INT64)
        t.step = static_cast<int>(std::clamp<gint64>(json_node_get_int(step), 0, 1 << 20));
    return t;
}

// BeerXML's spelling of a fermentable, from the type and grain group.
std::string fermentable_type(const Fields& f)
{
    const std::string type = f.choice(
        "type", {"grain", "sugar", "extract", "dry extract", "fruit", "juice", "honey", "other"}, "grain");
    if (type == "extract")
        return "Extract";
    if (type == "dry extract")
        return "Dry Extract";
    if (type == "sugar" || type == "honey" || type == "fruit" || type == "juice")
        return "Sugar";
    const std::string group = lower(f.text("grain_group"));
    if (type == "other" || group == "adjunct" || group == "flaked")
        return "Adjunct";
    return "Grain";
}

// Extract in percent: the fine grind's, the coarse grind's, else the potential gravity's points over
// sucrose's 46.21.
double yield_percent(const Fields& f, const std::string& type)
{
    JsonObject* yield = object_member(f.object(), "yield");
    const double fine = f.measure_in(yield, "fine_grind", JsonMeasure::percent, -1, false, 0, 100);
    if (fine >= 0)
        return fine;
    const double coarse = f.measure_in(yield, "coarse_grind", JsonMeasure::percent, -1, false, 0, 100);
    if (coarse >= 0)
        return coarse;
    const double potential = f.measure_in(yield, "potential", JsonMeasure::gravity, -1, false, 0.9, 1.3);
    if (potential >= 1)
        return std::min(100.0, (potential - 1) * 1000 / 46.21 * 100);
    const double usual = type == "Sugar" ? 100 : type == "Dry Extract" ? 95 : type == "Extract" ? 78 : 75;
    f.lacks("yield", usual);
    return usual;
}

void read_fermentable(JsonObject* o, ForeignRecipe& recipe)
{
    Fields f(o, "malt", recipe);
    ForeignFermentable x;
    x.name = f.text("name");
    x.type = fermentable_type(f);
    const Amount a = amount_of(f, 1e4);
    x.amount = a.value;
    if (a.kind == Amount::volume) {
        // Syrups and liquid extracts weigh about 1.4 kg a litre; anything else is taken as water.
        const double density = x.type == "Extract" || x.type == "Sugar" ? 1.4 : 1;
        x.amount = a.value * density;
        if (f.saying())
            f.say("quantité de " + figure(a.value) + " L lue comme " + figure(x.amount) + " kg");
    }
    x.yield = yield_percent(f, x.type);
    x.colour_ebc = f.measure("color", JsonMeasure::colour, 0, true, 0, 1e4);
    x.di_ph = read_beerjson_di_ph(o);
    recipe.fermentables.push_back(x);
}

void read_hop(JsonObject* o, const RecipeContext& context, ForeignRecipe& recipe)
{
    Fields f(o, "houblon", recipe);
    ForeignHop x;
    x.name = f.text("name");
    x.alpha = f.measure("alpha_acid", JsonMeasure::percent, 0, true, 0, 100);
    const Amount a = amount_of(f, 1e4);
    x.amount = a.value;
    // A hop extract measured in millilitres weighs about a gram each, as the brewer is told.
    if (a.kind == Amount::volume && f.saying())
        f.say("quantité de " + figure(a.value) + " L lue comme " + figure(x.amount) + " kg");
    const std::string form = lower(f.text("form"));
    x.form = form.empty() ? "" : mentions(form, {"pellet", "powder", "extract"}) ? "Pellet" : "Leaf";
    // Cuvelo knows cones and pellets only: a plug, pressed cones, is a cone, and the brewer is told.
    if (form == "plug") {
        x.form = "Plug";
        if (f.saying())
            f.say("form plug (cônes pressés) lu comme houblon en cônes");
    }
    const Timing t = timing_of(f);
    x.time = t.minutes;
    if (t.use == "add_to_mash") {
        x.use = "Mash";
    } else if (t.use == "add_to_fermentation" || t.use == "add_to_package") {
        x.use = "Dry Hop";
    } else {
        if (t.use != "add_to_boil")
            f.lacks("timing", "add_to_boil");
        x.use = "Boil";
        const bool staged = t.step >= 1 && static_cast<size_t>(t.step) <= context.stages.size();
        const BoilStage stage = staged ? context.stages[static_cast<size_t>(t.step) - 1] : BoilStage();
        if (stage.kind == BoilStage::whirlpool) {
            x.use = "Aroma";
            x.temperature = stage.temperature;
        } else if (stage.kind == BoilStage::first_wort) {
            x.use = "First Wort";
            // A first wort hop boils for the whole boil, whatever its time into the heating.
            if (context.boil_minutes >= 0)
                x.time = context.boil_minutes;
        }
    }
    recipe.hops.push_back(x);
}

void read_culture(JsonObject* o, ForeignRecipe& recipe)
{
    Fields f(o, "levure", recipe);
    ForeignYeast x;
    x.name = f.text("name");
    const Amount a = amount_of(f, 1e3);
    x.is_weight = a.kind != Amount::volume;
    x.amount = a.value;
    if (a.kind == Amount::count) {
        constexpr double kPacket = 0.011; // kg: the usual packet of dry yeast
        x.amount = a.value * kPacket;
        if (f.saying())
            f.say(figure(a.value) + " sachet(s) lu(s) comme " + figure(x.amount * 1000) + " g");
    }
    x.attenuation = f.measure("attenuation", JsonMeasure::percent, -1, false, 0, 100);
    // Programs that write the culture's own record in the addition give its range (Brewtarget): its middle.
    if (x.attenuation < 0) {
        JsonObject* range = object_member(o, "attenuation_range");
        const double lo = f.measure_in(range, "minimum", JsonMeasure::percent, -1, false, 0, 100);
        const double hi = f.measure_in(range, "maximum", JsonMeasure::percent, -1, false, 0, 100);
        if (lo >= 0 || hi >= 0)
            x.attenuation = lo < 0 ? hi : hi < 0 ? lo : (lo + hi) / 2;
    }
    recipe.yeasts.push_back(x);
}

void read_misc(JsonObject* o, JsonObject* mash, ForeignRecipe& recipe)
{
    Fields f(o, "ingrédient", recipe);
    ForeignMisc x;
    x.name = f.text("name");
    const Timing t = timing_of(f);
    x.use = t.use == "add_to_mash"           ? "Mash"
            : t.use == "add_to_fermentation" ? "Primary"
            : t.use == "add_to_package"      ? "Bottling"
                                             : "Boil";
    if (t.use.empty())
        f.lacks("timing", "add_to_boil");
    x.time = t.minutes;
    if (is_sparge_addition(o, mash))
        x.use = "Sparge";
    x.unit = beerjson_amount_unit(o);
    const Amount a = amount_of(f, 1e4);
    x.is_weight = a.kind != Amount::volume;
    x.amount = a.value;
    if (a.kind == Amount::count) {
        x.amount = a.value / 1000; // a tablet or a sachet of finings weighs about a gram
        if (f.saying())
            f.say(figure(a.value) + " unité(s) lue(s) comme " + figure(a.value) + " g");
    }
    recipe.miscs.push_back(x);
}

// The style's ranges come from the file's style record of the same name: a recipe names its style only.
void read_style(JsonObject* o, JsonObject* ranges, ForeignRecipe& recipe)
{
    Fields f(o, "style", recipe);
    ForeignStyle& s = recipe.style;
    s.present = true;
    s.name = f.text("name");
    s.category = f.text("category");
    // Without a range, the bounds are the open ones the style database writes for "no bound".
    s.og_min = s.fg_min = s.ebc_min = s.ibu_min = 0;
    s.og_max = s.fg_max = 9.999;
    s.ebc_max = s.ibu_max = 9999;
    if (!ranges)
        return;
    Fields r(ranges, "style", recipe);
    s.notes = r.text("notes");
    const auto range = [&](const char* name, JsonMeasure kind, double* lo, double* hi, double most) {
        JsonObject* both = object_member(ranges, name);
        *lo = r.measure_in(both, "minimum", kind, *lo, false, 0, most);
        *hi = r.measure_in(both, "maximum", kind, *hi, false, 0, most);
    };
    range("original_gravity", JsonMeasure::gravity, &s.og_min, &s.og_max, 9.999);
    range("final_gravity", JsonMeasure::gravity, &s.fg_min, &s.fg_max, 9.999);
    range("international_bitterness_units", JsonMeasure::bitterness, &s.ibu_min, &s.ibu_max, 9999);
    range("color", JsonMeasure::colour, &s.ebc_min, &s.ebc_max, 9999);
}

void read_mash(JsonObject* mash, ForeignRecipe& recipe)
{
    size_t beyond = 0;
    for (JsonObject* o : objects_of(array_member(mash, "mash_steps"), kMostRecords, &beyond)) {
        Fields f(o, "palier d'empâtage", recipe);
        const std::string type = lower(f.text("type"));
        if (type == "sparge" || type == "drain mash tun")
            continue; // the rinse: Cuvelo's own water line
        MashStep step;
        step.name = f.text("name");
        step.kind = type == "decoction"                                  ? MashStepKind::decoction
                    : type == "temperature" || type.find("souring") == 0 ? MashStepKind::direct_heat
                                                                         : MashStepKind::infusion;
        step.temperature = f.measure("step_temperature", JsonMeasure::temperature, 65, true, 0, 110);
        step.minutes = f.measure("step_time", JsonMeasure::time, 60, true, 0, 1e4);
        recipe.mash.push_back(step);
    }
    recipe.mash_steps = static_cast<int>(recipe.mash.size());
    if (beyond > 0)
        recipe.left_out.push_back(std::to_string(beyond) + " palier(s) d'empâtage au-delà de " +
                                  std::to_string(kMostRecords));
}

// A step lasts its step_time (0 when the file gives none, as the standard allows), at its start temperature,
// else its end one.
void read_fermentation(JsonObject* fermentation, ForeignRecipe& recipe)
{
    size_t beyond = 0;
    for (JsonObject* o :
         objects_of(array_member(fermentation, "fermentation_steps"), kMostRecords, &beyond)) {
        Fields f(o, "étape de fermentation", recipe);
        FermentationStep step;
        step.name = f.text("name");
        const double end = f.measure("end_temperature", JsonMeasure::temperature, 20, false, -10, 100);
        step.temperature = f.measure("start_temperature", JsonMeasure::temperature, end, false, -10, 100);
        if (!json_object_has_member(o, "start_temperature") && !json_object_has_member(o, "end_temperature"))
            f.lacks("start_temperature", 20);
        step.days = f.measure("step_time", JsonMeasure::time, 0, false, 0, 1e7) / 1440;
        recipe.fermentation.push_back(step);
    }
    if (beyond > 0)
        recipe.left_out.push_back(std::to_string(beyond) + " étape(s) de fermentation au-delà de " +
                                  std::to_string(kMostRecords));
}

// The records of one kind in the ingredients, at most kMostRecords; those beyond are said.
std::vector<JsonObject*> additions(JsonObject* ingredients, const char* member, const char* many,
                                   ForeignRecipe& recipe)
{
    size_t beyond = 0;
    std::vector<JsonObject*> found = objects_of(array_member(ingredients, member), kMostRecords, &beyond);
    if (beyond > 0)
        recipe.left_out.push_back(std::to_string(beyond) + " " + many + " au-delà de " +
                                  std::to_string(kMostRecords));
    return found;
}

// The style records of the file, by name, for the recipes' styles to find their ranges.
JsonObject* style_named(JsonArray* styles, const std::string& name)
{
    for (JsonObject* s : objects_of(styles, kMostRecipes))
        if (!name.empty() && g_ascii_strcasecmp(text_member(s, "name").c_str(), name.c_str()) == 0)
            return s;
    return nullptr;
}

ForeignRecipe read_recipe(JsonObject* o, JsonArray* styles)
{
    ForeignRecipe recipe;
    Fields f(o, "recette", recipe, false);
    recipe.name = f.text("name");
    recipe.batch_size = f.measure("batch_size", JsonMeasure::volume, 20, true, 0, 1e5);
    if (recipe.batch_size <= 0) {
        f.say("batch_size nul : 20 L pris par défaut");
        recipe.batch_size = 20;
    }
    recipe.carbonation = f.number("carbonation", -1, 0, 10);
    StatedFigures& s = recipe.stated;
    s.efficiency =
        f.measure_in(object_member(o, "efficiency"), "brewhouse", JsonMeasure::percent, NAN, false, 0, 100);
    s.og = f.measure("original_gravity", JsonMeasure::gravity, NAN, false, 0.9, 1.3, false);
    s.fg = f.measure("final_gravity", JsonMeasure::gravity, NAN, false, 0.9, 1.3, false);
    s.colour_ebc = f.measure("color_estimate", JsonMeasure::colour, NAN, false, 0, 1e5, false);
    s.ibu = f.measure_in(object_member(o, "ibu_estimate"), "value", JsonMeasure::bitterness, NAN, false, 0,
                         1e4, false);
    JsonObject* boil = object_member(o, "boil");
    RecipeContext context;
    recipe.boil_time = f.measure_in(boil, "boil_time", JsonMeasure::time, -1, false, 0, 1e4);
    context.boil_minutes = recipe.boil_time;
    context.stages = boil_stages(boil, f);
    recipe.notes_text = f.text("notes");
    recipe.notes = !recipe.notes_text.empty() || !text_member(object_member(o, "taste"), "notes").empty();
    if (JsonObject* style = object_member(o, "style"))
        read_style(style, style_named(styles, text_member(style, "name")), recipe);

    JsonObject* ingredients = object_member(o, "ingredients");
    if (!ingredients)
        f.lacks("ingredients", "aucun");
    for (JsonObject* r : additions(ingredients, "fermentable_additions", "malts", recipe))
        read_fermentable(r, recipe);
    for (JsonObject* r : additions(ingredients, "hop_additions", "houblons", recipe))
        read_hop(r, context, recipe);
    for (JsonObject* r : additions(ingredients, "culture_additions", "levures", recipe))
        read_culture(r, recipe);
    for (JsonObject* r : additions(ingredients, "miscellaneous_additions", "autres ingrédients", recipe))
        read_misc(r, object_member(o, "mash"), recipe);
    for (JsonObject* r : additions(ingredients, "water_additions", "profils d'eau", recipe)) {
        ForeignWater water;
        if (read_beerjson_water(r, &water))
            recipe.water_ions.push_back(water);
        else
            recipe.waters.push_back(text_member(r, "name"));
    }
    if (JsonObject* mash = object_member(o, "mash"))
        read_mash(mash, recipe);
    if (JsonObject* fermentation = object_member(o, "fermentation"))
        read_fermentation(fermentation, recipe);
    return recipe;
}

// The line of json-glib's error ("<data>:12:5: Parse error: …"), 0 when it names none.
int error_line(const char* message)
{
    const char* colon = message ? std::strchr(message, ':') : nullptr;
    return colon ? std::atoi(colon + 1) : 0;
}

// What a BeerJSON file without recipes holds, for the refusal to name.
std::string refusal_without_recipe(JsonObject* root)
{
    static const char* const kKinds[][3] = {
        {"fermentables", "malt", "malts"},
        {"hop_varieties", "houblon", "houblons"},
        {"cultures", "levure", "levures"},
        {"miscellaneous_ingredients", "autre ingrédient", "autres ingrédients"},
        {"profiles", "profil d'eau", "profils d'eau"},
        {"styles", "style", "styles"},
        {"equipments", "équipement", "équipements"},
        {"mashes", "profil d'empâtage", "profils d'empâtage"},
        {"fermentations", "profil de fermentation", "profils de fermentation"},
        {"boil", "profil d'ébullition", "profils d'ébullition"},
        {"packaging", "profil de conditionnement", "profils de conditionnement"}};
    std::string held;
    for (const auto& kind : kKinds) {
        JsonArray* array = array_member(root, kind[0]);
        const guint n = array ? json_array_get_length(array) : 0;
        if (n == 0)
            continue;
        held += (held.empty() ? "" : ", ") + std::to_string(n) + " " + (n > 1 ? kind[2] : kind[1]);
    }
    return held.empty() ? "ce fichier BeerJSON ne contient aucune recette"
                        : "ce fichier BeerJSON ne contient aucune recette : " + held;
}

ForeignFile refused(std::string why)
{
    ForeignFile content;
    content.format = "BeerJSON";
    content.refused = true;
    content.refusal = std::move(why);
    return content;
}

// A parser of one JSON text at a time; the tree of the last text stays until the next one or the end.
class Parser
{
  public:
    Parser() : parser_(json_parser_new()) {}

    ~Parser()
    {
        g_object_unref(parser_);
    }

    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Parses `text` into its top value (nullptr when it is empty); false when it is malformed, with
    // json-glib's line of the fault in `fault_line` (0 when it names none).
    bool parse(const char* text, size_t length, JsonNode** top, int* fault_line)
    {
        GError* error = nullptr;
        *top = nullptr;
        if (!json_parser_load_from_data(parser_, text, static_cast<gssize>(length), &error)) {
            *fault_line = error_line(error ? error->message : nullptr);
            g_clear_error(&error);
            return false;
        }
        *top = json_parser_get_root(parser_);
        return true;
    }

  private:
    JsonParser* parser_;
};

ForeignFile malformed(int line)
{
    return refused("ce fichier JSON est mal formé" +
                   (line > 0 ? " (ligne " + std::to_string(line) + ")" : std::string()));
}

} // namespace

ForeignFile read_beerjson(const std::string& bytes)
{
    if (bytes.size() > kBeerJsonLargest)
        return refused("ce fichier JSON dépasse " + std::to_string(kBeerJsonLargest / (1024 * 1024)) +
                       " Mo, la taille la plus grande que Cuvelo lit");
    const size_t bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const JsonLayout layout = json_layout(bytes, bom);
    if (layout.deepest > kDeepestJson)
        return refused("ce fichier JSON s'imbrique sur plus de " + std::to_string(kDeepestJson) +
                       " niveaux : ce n'est pas une recette BeerJSON");
    if (layout.values > kMostJsonValues)
        return refused("ce fichier JSON contient plus de " + std::to_string(kMostJsonValues) +
                       " valeurs, plus que Cuvelo n'en lit");
    if (layout.containers > kMostJsonContainers)
        return refused("ce fichier JSON contient plus de " + std::to_string(kMostJsonContainers) +
                       " objets et listes, plus que Cuvelo n'en lit");
    if (!g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr))
        return refused("ce fichier JSON n'est pas en UTF-8 valide");

    // The file without its blanks and comments, and without its recipes when they were cut out; a file that
    // is not standard JSON as it is.
    Parser whole;
    JsonNode* top = nullptr;
    int fault_line = 0;
    const bool parsed = layout.standard
                            ? whole.parse(layout.rest.data(), layout.rest.size(), &top, &fault_line)
                            : whole.parse(bytes.data() + bom, bytes.size() - bom, &top, &fault_line);
    if (!parsed)
        return malformed(fault_line);
    if (!top)
        return refused("ce fichier JSON est vide");
    JsonObject* document = JSON_NODE_HOLDS_OBJECT(top) ? json_node_get_object(top) : nullptr;
    JsonObject* root = object_member(document, "beerjson");
    if (!root)
        return refused(
            "ce fichier est au format JSON d'un autre programme (Brewfather, par exemple), pas une "
            "recette BeerJSON");
    ForeignFile content;
    content.format = "BeerJSON";
    double version = 0;
    bool quoted_text = false;
    if (!number_of(json_object_get_member(root, "version"), &version, &quoted_text))
        content.steps.push_back("version BeerJSON absente : lu comme BeerJSON 1.0");
    else if (version < 1 || version >= 3) // 1.0 and the 2.x numbering of the schemas' drafts
        content.steps.push_back("version BeerJSON " + figure(version) + " inconnue : lu comme BeerJSON 1.0");

    JsonArray* recipes = array_member(root, "recipes");
    JsonArray* styles = array_member(root, "styles");
    const guint n = recipes ? json_array_get_length(recipes) : 0;
    // Each recipe cut out is parsed on its own, in the order of the array's objects; the line of a fault is
    // the file's.
    Parser one;
    size_t next_piece = 0;
    for (guint i = 0; i < n; i++) {
        if (content.recipes.size() + content.unreadable.size() >= kMostRecipes) {
            content.recipes_left_out = n - i;
            break;
        }
        JsonNode* node = json_array_get_element(recipes, i);
        if (!JSON_NODE_HOLDS_OBJECT(node)) {
            content.unreadable.push_back("recette n° " + std::to_string(i + 1) +
                                         " illisible (ce n'est pas un objet JSON)");
            continue;
        }
        if (layout.split && next_piece < layout.recipes.size()) {
            const JsonPiece& piece = layout.recipes[next_piece++];
            const std::string text = compact_json_piece(bytes, piece);
            if (!one.parse(text.data(), text.size(), &node, &fault_line))
                return malformed(fault_line > 0 ? piece.first_line + fault_line - 1 : 0);
        }
        content.recipes.push_back(read_recipe(json_node_get_object(node), styles));
    }
    if (content.recipes.empty()) {
        content.refused = true;
        content.refusal = content.unreadable.empty()
                              ? refusal_without_recipe(root)
                              : "aucune recette lisible : " + content.unreadable.front();
    }
    return content;
}

bool read_beerjson_file(const std::string& path, ForeignFile* content, std::string* why)
{
    return read_foreign_file(path, kBeerJsonLargest, read_beerjson, content, why);
}

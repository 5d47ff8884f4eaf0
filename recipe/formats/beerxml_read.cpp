// recipe/formats/beerxml_read.cpp — each recipe's small tree (recipe/formats/beerxml_tree.h) into records.
// Values are read by their leading number and unit; a missing or unreadable one takes a default. Each such
// correction is written down beside its recipe.
#include "recipe/formats/beerxml_read.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "recipe/formats/beerxml_text.h"
#include "recipe/formats/beerxml_tree.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

using Node = XmlNode;

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = g_ascii_tolower(c);
    return text;
}

// The first child of that tag: a repeated tag keeps its first value.
const Node* child(const Node& node, const char* tag)
{
    const size_t length = std::strlen(tag);
    for (const Node& c : node.children)
        if (c.tag.size() == length && std::memcmp(c.tag.data(), tag, length) == 0)
            return &c;
    return nullptr;
}

std::string child_text(const Node& node, const char* tag)
{
    const Node* c = child(node, tag);
    return c ? trimmed(c->text) : std::string();
}

// Whether two texts hold the same letters and digits, whatever the case, spaces and punctuation.
bool same_letters(const std::string& text, const char* spelling)
{
    const char* p = spelling;
    for (char c : text) {
        if (!g_ascii_isalnum(c))
            continue;
        while (*p && !g_ascii_isalnum(*p))
            p++;
        if (g_ascii_tolower(c) != g_ascii_tolower(*p))
            return false;
        p++;
    }
    while (*p && !g_ascii_isalnum(*p))
        p++;
    return *p == '\0';
}

// A text of the file as a message quotes it: bounded, and shown as any text is.
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

// The fields of one record, read with the corrections written down under the record's kind and name. The
// fields it lacks are said together, in one correction, once the record is read.
class Fields
{
  public:
    Fields(const Node& node, const char* kind, ForeignRecipe& recipe, bool named = true)
        : node_(node), kind_(kind), recipe_(recipe), named_(named)
    {
    }

    ~Fields()
    {
        if (lacks_ && saying())
            say("manquant(s), pris par défaut : " + missing_);
    }

    Fields(const Fields&) = delete;
    Fields& operator=(const Fields&) = delete;

    std::string text(const char* tag) const
    {
        return child_text(node_, tag);
    }

    // A figure in `unit`, within [lo, hi]; `fallback` when missing (said when `required`) or unreadable.
    double number(const char* tag, const char* unit, double fallback, bool required, double lo, double hi,
                  bool report = true) const
    {
        const std::string text = child_text(node_, tag);
        if (text.empty()) {
            if (required && report)
                lacks(tag, fallback);
            return fallback;
        }
        double value = 0;
        bool plain = true;
        if (!beerxml_number(text, unit, &value, &plain)) {
            if (report && saying())
                say(std::string(tag) + quoted(text) + " illisible : " + figure(fallback) +
                    " pris par défaut");
            return fallback;
        }
        if (!plain && report && saying())
            say(std::string(tag) + quoted(text) + " lu " + figure(value));
        if (value < lo || value > hi) {
            const double kept = value < lo ? lo : hi;
            if (report && saying())
                say(std::string(tag) + " " + figure(value) + " ramené à " + figure(kept));
            return kept;
        }
        return value;
    }

    bool boolean(const char* tag, bool fallback) const
    {
        const std::string text = lower(child_text(node_, tag));
        if (text == "true" || text == "1" || text == "yes")
            return true;
        if (text == "false" || text == "0" || text == "no")
            return false;
        return fallback;
    }

    // One of the standard's spellings, whatever the case and spaces; `fallback` (said) otherwise.
    std::string choice(const char* tag, std::initializer_list<const char*> spellings,
                       const char* fallback) const
    {
        const std::string text = child_text(node_, tag);
        for (const char* spelling : spellings)
            if (same_letters(text, spelling))
                return spelling;
        if (text.empty())
            lacks(tag, fallback);
        else if (saying())
            say(std::string(tag) + quoted(text) + " inconnu : " + fallback + " pris par défaut");
        return fallback;
    }

    // Whether the recipe keeps one more correction: once it holds its most, a correction is only counted
    // and its text is never made (a file of many faulty records would spend its time on them).
    bool saying() const
    {
        if (recipe_.corrections.size() < kMostCorrections)
            return true;
        recipe_.more_corrections++;
        return false;
    }

    void say(const std::string& what) const
    {
        const std::string name = named_ ? child_text(node_, "NAME") : std::string();
        add_correction(recipe_.corrections, recipe_.more_corrections,
                       kind_ + (name.empty() ? std::string() : quoted(name)) + " : " + what);
    }

  private:
    void lacks(const char* tag, const char* fallback) const
    {
        lacks_ = true;
        if (recipe_.corrections.size() < kMostCorrections) // else only counted, once
            missing_ += (missing_.empty() ? "" : ", ") + std::string(tag) + " " + fallback;
    }

    void lacks(const char* tag, double fallback) const
    {
        lacks_ = true;
        if (recipe_.corrections.size() < kMostCorrections)
            lacks(tag, figure(fallback).c_str());
    }

    const Node& node_;
    std::string kind_;
    ForeignRecipe& recipe_;
    bool named_;
    mutable bool lacks_ = false;
    mutable std::string missing_; // "ALPHA 0, TIME 0"
};

// The records of one kind in a recipe: under their plural tag, or loose in the recipe itself.
std::vector<const Node*> records(const Node& recipe, const char* plural, const char* singular)
{
    const auto is = [](const std::string& tag, const char* name) {
        return tag[0] == name[0] && tag == name; // most tags differ at once
    };
    std::vector<const Node*> found;
    for (const Node& c : recipe.children) {
        if (is(c.tag, plural)) {
            for (const Node& r : c.children)
                if (is(r.tag, singular))
                    found.push_back(&r);
        } else if (is(c.tag, singular)) {
            found.push_back(&c);
        }
    }
    return found;
}

// Whether a fermentable's COLOR is in EBC: BeerSmith set to EBC writes it so, and then shows the same number
// followed by "EBC" in DISPLAY_COLOR (which otherwise gives the Lovibond figure converted).
bool colour_written_in_ebc(const Fields& f)
{
    const std::string shown = lower(f.text("DISPLAY_COLOR"));
    if (shown.size() < 3 || shown.compare(shown.size() - 3, 3, "ebc") != 0)
        return false;
    double colour = 0, display = 0;
    bool plain = true;
    if (!beerxml_number(f.text("COLOR"), "", &colour, &plain) ||
        !beerxml_number(shown.substr(0, shown.size() - 3), "", &display, &plain))
        return false;
    return std::fabs(colour - display) <= 0.051 + 1e-3 * std::fabs(colour); // as rounded for display
}

// Reads one fermentable; true when its colour was read as EBC (colour_written_in_ebc).
bool read_fermentable(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "malt", recipe);
    ForeignFermentable x;
    x.name = f.text("NAME");
    x.type = f.choice("TYPE", {"Grain", "Sugar", "Extract", "Dry Extract", "Adjunct"}, "Grain");
    x.amount = f.number("AMOUNT", "kg", 0, true, 0, 1e4);
    const bool sugar = x.type == "Sugar";
    const bool extract = x.type == "Extract" || x.type == "Dry Extract";
    const double usual_yield = sugar ? 100 : x.type == "Dry Extract" ? 95 : extract ? 78 : 75;
    x.yield = f.number("YIELD", "%", usual_yield, true, 0, 100);
    // The format's Lovibond is read as SRM by every program: EBC = 1.97 × COLOR, whatever the type.
    const bool ebc = colour_written_in_ebc(f);
    x.colour_ebc = f.number("COLOR", ebc ? "ebc" : "srm", 0, true, 0, 1e4);
    recipe.fermentables.push_back(x);
    return ebc;
}

// PicoBrew writes YIELD in points per pound per gallon (20 to 46) rather than percent. A recipe whose every
// fermentable with a yield stands in that range, grains among them, is such a file: no malt yields so little.
void read_points_per_gallon(ForeignRecipe& recipe)
{
    constexpr double kPointsOfSucrose = 46.21; // ppg of pure extract
    size_t in_range = 0, grains = 0;
    for (const ForeignFermentable& f : recipe.fermentables) {
        if (f.yield <= 0)
            continue;
        if (f.yield < 20 || f.yield > kPointsOfSucrose)
            return;
        in_range++;
        grains += f.type == "Grain" ? 1 : 0;
    }
    if (in_range == 0 || grains == 0)
        return;
    for (ForeignFermentable& f : recipe.fermentables)
        f.yield = std::min(100.0, f.yield / kPointsOfSucrose * 100);
    add_correction(recipe.corrections, recipe.more_corrections,
                   "YIELD en points par livre et par gallon (PicoBrew) : " + std::to_string(in_range) +
                       " rendement(s) converti(s) en pourcentage (ppg ÷ 46,21 × 100)");
}

// Programs without a whirlpool element leave it in the notes ("Whirlpool at 80°C"): its temperature, or -1.
double whirlpool_in_notes(const std::string& notes)
{
    const std::string text = lower(notes);
    if (text.find("whirlpool") == std::string::npos && text.find("hop stand") == std::string::npos &&
        text.find("hopstand") == std::string::npos)
        return -1;
    for (size_t at = text.find("\xC2\xB0"); at != std::string::npos; at = text.find("\xC2\xB0", at + 2)) {
        size_t start = at;
        while (start > 0 &&
               (g_ascii_isdigit(text[start - 1]) || text[start - 1] == ' ' || text[start - 1] == '.'))
            start--;
        double celsius = 0;
        bool plain = true;
        if (beerxml_number(text.substr(start, at - start) + text.substr(at, 3), "c", &celsius, &plain))
            return celsius;
    }
    return -1;
}

void read_hop(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "houblon", recipe);
    ForeignHop x;
    x.name = f.text("NAME");
    x.alpha = f.number("ALPHA", "%", 0, true, 0, 100);
    x.amount = f.number("AMOUNT", "kg", 0, true, 0, 1e4);
    x.use = f.choice("USE", {"Boil", "Dry Hop", "Mash", "First Wort", "Aroma", "Whirlpool"}, "Boil");
    if (x.use == "Whirlpool")
        x.use = "Aroma";
    x.time = f.number("TIME", "min", 0, true, 0, 1e7);
    const std::string form = lower(f.text("FORM"));
    x.form = form.find("pellet") != std::string::npos ? "Pellet" : form.empty() ? "" : "Leaf";
    // Cuvelo knows cones and pellets only: a plug, pressed cones, is a cone, and the brewer is told.
    if (form.find("plug") != std::string::npos) {
        x.form = "Plug";
        if (f.saying())
            f.say("FORM Plug (cônes pressés) lu comme houblon en cônes");
    }
    // Programs that know whirlpools write its temperature in an element of their own.
    for (const Node& c : node.children)
        if (c.tag.find("TEMP") != std::string::npos && x.temperature < 0)
            x.temperature = f.number(c.tag.c_str(), "c", -1, false, -50, 150);
    if (x.temperature < 0 && x.use == "Aroma")
        x.temperature = whirlpool_in_notes(f.text("NOTES"));
    recipe.hops.push_back(x);
}

void read_yeast(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "levure", recipe);
    ForeignYeast x;
    x.name = f.text("NAME");
    x.is_weight = f.boolean("AMOUNT_IS_WEIGHT", false);
    x.amount = f.number("AMOUNT", x.is_weight ? "kg" : "l", 0, true, 0, 1e3);
    x.attenuation = f.number("ATTENUATION", "%", -1, false, 0, 100);
    recipe.yeasts.push_back(x);
}

void read_misc(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "ingrédient", recipe);
    ForeignMisc x;
    x.name = f.text("NAME");
    x.use = f.choice("USE", {"Boil", "Mash", "Primary", "Secondary", "Bottling"}, "Boil");
    x.time = f.number("TIME", "min", 0, true, 0, 1e6);
    x.is_weight = f.boolean("AMOUNT_IS_WEIGHT", false);
    x.amount = f.number("AMOUNT", x.is_weight ? "kg" : "l", 0, true, 0, 1e4);
    recipe.miscs.push_back(x);
}

// A water with its six ions is read as one (the import finds its profile by them); one without is only named.
void read_water(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "eau", recipe);
    ForeignWater w;
    w.name = f.text("NAME");
    const struct {
        const char* tag;
        double Ions::*ion;
    } kIons[] = {{"CALCIUM", &Ions::ca},  {"MAGNESIUM", &Ions::mg}, {"SODIUM", &Ions::na},
                 {"SULFATE", &Ions::so4}, {"CHLORIDE", &Ions::cl},  {"BICARBONATE", &Ions::hco3}};
    for (const auto& ion : kIons) {
        w.ions.*ion.ion = f.number(ion.tag, "mg/l", -1, false, 0, 1e5);
        if (w.ions.*ion.ion < 0) {
            recipe.waters.push_back(w.name);
            return;
        }
    }
    recipe.water_ions.push_back(w);
}

void read_style(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "style", recipe);
    ForeignStyle& s = recipe.style;
    s.present = true;
    s.name = f.text("NAME");
    s.category = f.text("CATEGORY");
    s.notes = f.text("NOTES");
    s.og_min = f.number("OG_MIN", "sg", 1.0, true, 0.9, 1.3);
    s.og_max = f.number("OG_MAX", "sg", 1.2, true, 0.9, 1.3);
    s.fg_min = f.number("FG_MIN", "sg", 0.99, true, 0.9, 1.3);
    s.fg_max = f.number("FG_MAX", "sg", 1.2, true, 0.9, 1.3);
    s.ibu_min = f.number("IBU_MIN", "", 0, true, 0, 1e4);
    s.ibu_max = f.number("IBU_MAX", "", 9999, true, 0, 1e4);
    s.ebc_min = f.number("COLOR_MIN", "srm", 0, true, 0, 1e5);
    s.ebc_max = f.number("COLOR_MAX", "srm", 9999, true, 0, 1e5);
}

// True for a step that holds the rinse (sparge) water rather than a rest: Cuvelo's own export names it, other
// programs say "sparge".
bool is_rinse_step(const std::string& name)
{
    gchar* folded = g_utf8_strdown(name.c_str(), -1);
    const std::string lowered = folded ? folded : "";
    g_free(folded);
    return lowered.find("sparge") != std::string::npos || lowered.find("rinçage") != std::string::npos ||
           lowered.find("rincage") != std::string::npos;
}

void read_mash_step(const Node& node, ForeignRecipe& recipe)
{
    Fields f(node, "palier", recipe);
    MashStep step;
    step.name = f.text("NAME");
    if (is_rinse_step(step.name))
        return;
    const std::string type = f.choice("TYPE", {"Infusion", "Temperature", "Decoction"}, "Infusion");
    step.kind = type == "Decoction"     ? MashStepKind::decoction
                : type == "Temperature" ? MashStepKind::direct_heat
                                        : MashStepKind::infusion;
    step.temperature = f.number("STEP_TEMP", "c", 66, true, 0, 150);
    step.minutes = f.number("STEP_TIME", "min", 60, true, 0, 1e4);
    recipe.mash.push_back(step);
}

// The fermentation's stages, primary to tertiary, then the conditioning (AGE): a stage is read when it lasts,
// and only within the FERMENTATION_STAGES the file counts, when it counts them.
void read_fermentation_stages(const Node& node, ForeignRecipe& recipe)
{
    static const struct {
        const char *age, *temperature, *name;
    } kStages[] = {{"PRIMARY_AGE", "PRIMARY_TEMP", "Primaire"},
                   {"SECONDARY_AGE", "SECONDARY_TEMP", "Secondaire"},
                   {"TERTIARY_AGE", "TERTIARY_TEMP", "Tertiaire"},
                   {"AGE", "AGE_TEMP", "Garde"}};
    Fields f(node, "fermentation", recipe, false);
    const double counted = f.number("FERMENTATION_STAGES", "", -1, false, 0, 3, false);
    for (size_t i = 0; i < std::size(kStages); i++) {
        const double days = f.number(kStages[i].age, "", 0, false, 0, 1e4);
        if (!(days > 0) || (i < 3 && counted >= 0 && static_cast<double>(i) >= counted))
            continue;
        FermentationStep step;
        step.name = kStages[i].name;
        step.temperature = f.number(kStages[i].temperature, "c", 20, false, -10, 100);
        step.days = days;
        recipe.fermentation.push_back(step);
    }
}

// The notes a recipe keeps: a file may hold megabytes there, which every undo step would copy.
constexpr size_t kMostNoteBytes = 64 * 1024;

std::string bounded_notes(const std::string& notes, ForeignRecipe& recipe)
{
    if (notes.size() <= kMostNoteBytes)
        return notes;
    const char* start = notes.c_str();
    const char* cut = g_utf8_find_prev_char(start, start + kMostNoteBytes + 1);
    add_correction(recipe.corrections, recipe.more_corrections,
                   "NOTES coupées à " + std::to_string(kMostNoteBytes) + " octets");
    return notes.substr(0, cut ? static_cast<size_t>(cut - start) : 0);
}

// Singular and plural French names of the records, in the order of kRecordTags.
const char* const kRecordNames[kRecordKinds][2] = {{"houblon", "houblons"},
                                                   {"malt", "malts"},
                                                   {"levure", "levures"},
                                                   {"autre ingrédient", "autres ingrédients"},
                                                   {"profil d'eau", "profils d'eau"},
                                                   {"palier d'empâtage", "paliers d'empâtage"}};

std::string count_of(size_t n, const char* const names[2])
{
    return std::to_string(n) + " " + names[n > 1 ? 1 : 0];
}

// The records of one kind that are read: an ingredient with neither name nor amount makes no line worth
// having, and skipping it keeps a file of empty records from costing memory. Those skipped are said.
std::vector<const Node*> ingredients(const Node& recipe, int kind, const char* plural, ForeignRecipe& read)
{
    std::vector<const Node*> found;
    size_t empty = 0;
    for (const Node* r : records(recipe, plural, kRecordTags[kind])) {
        if (child_text(*r, "NAME").empty() && child_text(*r, "AMOUNT").empty())
            empty++;
        else
            found.push_back(r);
    }
    if (empty > 0)
        read.left_out.push_back(count_of(empty, kRecordNames[kind]) + " sans nom ni quantité");
    return found;
}

// The recipe's own fields; what it lacks is said before anything its records need to say.
void read_recipe_fields(const Node& node, const std::string& error, ForeignRecipe& recipe)
{
    Fields f(node, "recette", recipe, false);
    if (!error.empty())
        f.say(error + ", la suite de la recette est perdue");
    recipe.name = f.text("NAME");
    recipe.batch_size = f.number("BATCH_SIZE", "l", 20, true, 0, 1e5);
    if (recipe.batch_size <= 0) {
        f.say("BATCH_SIZE nul : 20 L pris par défaut");
        recipe.batch_size = 20;
    }
    recipe.boil_time = f.number("BOIL_TIME", "min", -1, false, 0, 1e4, false);
    recipe.carbonation = f.number("CARBONATION", "", -1, false, 0, 10);
    // The writer's estimates are what it brewed for: they come first, the measured figures otherwise.
    StatedFigures& s = recipe.stated;
    const auto stated = [&node](const char* estimated, const char* measured) {
        return !child_text(node, estimated).empty() ? estimated : measured;
    };
    s.og = f.number(stated("EST_OG", "OG"), "sg", NAN, false, 0.9, 1.3, false);
    s.fg = f.number(stated("EST_FG", "FG"), "sg", NAN, false, 0.9, 1.3, false);
    // BrewMate writes its estimated colour (SRM) and bitterness in elements of its own.
    s.colour_ebc = f.number(stated("EST_COLOR", "CALCCOLOUR"), "srm", NAN, false, 0, 1e5, false);
    s.ibu = f.number(stated("IBU", "CALCIBU"), "", NAN, false, 0, 1e4, false);
    s.abv = f.number(stated("EST_ABV", "ABV"), "%", NAN, false, 0, 100, false);
    s.efficiency = f.number("EFFICIENCY", "%", NAN, false, 0, 100, false);
}

// The writers whose files say what they mean otherwise than the format's words: Brewtarget and Brewken, its
// fork, named by the comment a file starts with.
enum class BrewtargetFamily { none, brewtarget, brewken };

// Brewken's files (its default recipes) state the bitterness of a hop of USE "Aroma" as a boil of its TIME,
// where the format means a hop added at the end of the boil: they are read as it computed them. Brewtarget
// itself counts such a hop for nothing (3.0.6 shows it "Post-Boil", 0 IBU, and states the IBU without it).
void boil_brewken_aroma_hops(ForeignRecipe& recipe)
{
    size_t boiled = 0;
    for (ForeignHop& hop : recipe.hops)
        if (hop.use == "Aroma" && hop.time > 0 && hop.temperature < 0) {
            hop.use = "Boil";
            boiled++;
        }
    if (boiled > 0)
        add_correction(recipe.corrections, recipe.more_corrections,
                       "USE Aroma compté par Brewken comme une ébullition de TIME minutes : " +
                           std::to_string(boiled) + " houblon(s) mis à l'ébullition");
}

// Brewtarget takes a grain's YIELD as the format defines it, on a dry basis, and takes the moisture off.
void dry_brewtarget_yields(const std::vector<const Node*>& records, ForeignRecipe& recipe)
{
    size_t dried = 0;
    for (size_t k = 0; k < records.size() && k < recipe.fermentables.size(); k++) {
        ForeignFermentable& x = recipe.fermentables[k];
        double moisture = 0;
        bool plain = true;
        if ((x.type == "Grain" || x.type == "Adjunct") &&
            beerxml_number(child_text(*records[k], "MOISTURE"), "%", &moisture, &plain) && moisture > 0 &&
            moisture < 100) {
            x.yield *= 1 - moisture / 100;
            dried++;
        }
    }
    if (dried > 0)
        add_correction(recipe.corrections, recipe.more_corrections,
                       "YIELD de Brewtarget sur grain sec : humidité (MOISTURE) retirée de " +
                           std::to_string(dried) + " rendement(s)");
}

// The format's batch goes into the fermenter, the equipment's TRUB_CHILLER_LOSS staying in the kettle;
// Cuvelo's final volume is the wort at the end of the boil, in which the hops' bitterness and the malts'
// colour are shared: it is the batch and that loss. The format's EFFICIENCY brings the extract into the
// batch, so it rises in proportion for the same gravity; Brewtarget's brings it into the kettle already.
void add_kettle_loss(const Node& node, bool efficiency_into_kettle, ForeignRecipe& recipe)
{
    const Node* equipment = child(node, "EQUIPMENT");
    double loss = 0;
    bool plain = true;
    if (!equipment || !beerxml_number(child_text(*equipment, "TRUB_CHILLER_LOSS"), "l", &loss, &plain) ||
        !(loss > 0 && loss < recipe.batch_size))
        return;
    const double batch = recipe.batch_size;
    recipe.batch_size = batch + loss;
    std::string said = "volume en fin d'ébullition : BATCH_SIZE " + figure(std::round(batch * 100) / 100) +
                       " L et TRUB_CHILLER_LOSS " + figure(std::round(loss * 100) / 100) +
                       " L laissés en cuve";
    const double efficiency = recipe.stated.efficiency;
    if (!efficiency_into_kettle && efficiency > 0) {
        recipe.stated.efficiency = std::min(100.0, efficiency * (batch + loss) / batch);
        said += ", rendement " + figure(efficiency) + " % au fermenteur soit " +
                figure(std::round(recipe.stated.efficiency * 10) / 10) + " % en fin d'ébullition";
    }
    add_correction(recipe.corrections, recipe.more_corrections, said);
}

// The equipment's TOP_UP_WATER is poured into the fermenter after the boil: the import makes it a water line
// of the fermentation, so that the kettle boils the stronger wort the writer boiled.
void add_top_up_water(const Node& node, ForeignRecipe& recipe)
{
    const Node* equipment = child(node, "EQUIPMENT");
    double top_up = 0;
    bool plain = true;
    if (!equipment || !beerxml_number(child_text(*equipment, "TOP_UP_WATER"), "l", &top_up, &plain) ||
        !(top_up > 0))
        return;
    const std::string litres = figure(std::round(top_up * 100) / 100) + " L";
    if (!(top_up < recipe.batch_size)) {
        add_correction(recipe.corrections, recipe.more_corrections,
                       "eau d'appoint : TOP_UP_WATER " + litres +
                           ", pas moins que le volume du lot, ignorée");
        return;
    }
    recipe.top_up_water = top_up;
    add_correction(recipe.corrections, recipe.more_corrections,
                   "eau d'appoint : TOP_UP_WATER " + litres +
                       " versés au fermenteur après l'ébullition, ligne d'eau en FERMENTATION");
}

ForeignRecipe read_recipe(const RecipeTree& tree, BrewtargetFamily family)
{
    const Node& node = *tree.recipe;
    ForeignRecipe recipe;
    for (int kind = 0; kind < kRecordKinds; kind++)
        if (tree.left_out[kind] > 0)
            recipe.left_out.push_back(count_of(tree.left_out[kind], kRecordNames[kind]) + " au-delà de " +
                                      std::to_string(kMostRecords));
    if (tree.elements_left_out > 0)
        recipe.left_out.push_back(std::to_string(tree.elements_left_out) + " éléments XML au-delà de " +
                                  std::to_string(kMostElements));
    read_recipe_fields(node, tree.error, recipe);
    if (const Node* style = child(node, "STYLE"))
        read_style(*style, recipe);
    size_t colours_in_ebc = 0;
    const std::vector<const Node*> fermentables =
        ingredients(node, kFermentableRecord, "FERMENTABLES", recipe);
    for (const Node* r : fermentables)
        colours_in_ebc += read_fermentable(*r, recipe) ? 1 : 0;
    if (colours_in_ebc > 0)
        add_correction(recipe.corrections, recipe.more_corrections,
                       "COLOR écrit en EBC (BeerSmith réglé en EBC, DISPLAY_COLOR le dit) : " +
                           std::to_string(colours_in_ebc) + " couleur(s) lue(s) telle(s) quelle(s)");
    read_points_per_gallon(recipe);
    for (const Node* r : ingredients(node, kHopRecord, "HOPS", recipe))
        read_hop(*r, recipe);
    const bool brewtarget = family != BrewtargetFamily::none;
    if (family == BrewtargetFamily::brewken)
        boil_brewken_aroma_hops(recipe);
    if (brewtarget)
        dry_brewtarget_yields(fermentables, recipe);
    add_kettle_loss(node, brewtarget, recipe);
    add_top_up_water(node, recipe);
    for (const Node* r : ingredients(node, kYeastRecord, "YEASTS", recipe))
        read_yeast(*r, recipe);
    for (const Node* r : ingredients(node, kMiscRecord, "MISCS", recipe))
        read_misc(*r, recipe);
    for (const Node* r : records(node, "WATERS", "WATER"))
        read_water(*r, recipe);
    if (const Node* mash = child(node, "MASH")) {
        const std::vector<const Node*> steps = records(*mash, "MASH_STEPS", "MASH_STEP");
        recipe.mash_steps = static_cast<int>(steps.size());
        for (const Node* step : steps)
            read_mash_step(*step, recipe);
    }
    read_fermentation_stages(node, recipe);
    recipe.notes_text = bounded_notes(child_text(node, "NOTES"), recipe);
    recipe.notes = !recipe.notes_text.empty() || !child_text(node, "TASTE_NOTES").empty();
    if (const Node* equipment = child(node, "EQUIPMENT"))
        recipe.equipment = child_text(*equipment, "NAME");
    return recipe;
}

// French names of the records counted outside recipes, in the order of kCensusTags.
const char* const kCensusNames[kCensusKinds][2] = {{"houblon", "houblons"},
                                                   {"malt", "malts"},
                                                   {"levure", "levures"},
                                                   {"autre ingrédient", "autres ingrédients"},
                                                   {"profil d'eau", "profils d'eau"},
                                                   {"style", "styles"},
                                                   {"équipement", "équipements"},
                                                   {"profil d'empâtage", "profils d'empâtage"}};

std::string refusal_without_recipe(const OutsideRecipes& outside)
{
    if (outside.beersmith)
        return "ce fichier est une recette BeerSmith dans son propre format (.bsmx) : exportez-la en BeerXML "
               "depuis BeerSmith";
    if (outside.html)
        return "ce fichier est une page web (HTML), pas une recette BeerXML";
    if (outside.draft)
        return "ce fichier suit le brouillon BeerXML 2, que Cuvelo ne lit pas : exportez-le en BeerXML 1.0";
    std::string held;
    for (int i = 0; i < kCensusKinds; i++) {
        if (outside.counts[i] == 0)
            continue;
        held += held.empty() ? "" : ", ";
        held += count_of(outside.counts[i], kCensusNames[i]);
    }
    if (held.empty())
        return "ce fichier ne contient aucune recette BeerXML";
    return "ce fichier ne contient aucune recette : " + held;
}

// Which of Brewtarget or Brewken the comment a file starts with names as its writer.
BrewtargetFamily brewtarget_family(const std::string& bytes)
{
    const std::string start = lower(bytes.substr(0, std::min(bytes.find("<RECIPE"), size_t{4096})));
    for (size_t at = start.find("<!--"); at != std::string::npos; at = start.find("<!--", at + 4)) {
        const std::string comment = start.substr(at, start.find("-->", at) - at);
        if (comment.find("brewken") != std::string::npos)
            return BrewtargetFamily::brewken;
        if (comment.find("brewtarget") != std::string::npos)
            return BrewtargetFamily::brewtarget;
    }
    return BrewtargetFamily::none;
}

// The BeerXML 1.1 draft declares its namespace as the default one on its root, so no tag holds a prefix: the
// declaration, near the start, names it.
bool is_beerxml_1_1(const std::string& bytes)
{
    const std::string start = lower(bytes.substr(0, 4096));
    for (size_t at = start.find("xmlns"); at != std::string::npos; at = start.find("xmlns", at + 5)) {
        const size_t end = start.find_first_of(">", at);
        if (start.substr(at, end == std::string::npos ? std::string::npos : end - at)
                .find("beerxml.com/v1.1") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

bool beerxml_number(const std::string& text, const char* unit, double* value, bool* plain)
{
    std::string t = trimmed(text);
    *plain = true;
    // A decimal comma, as European programs write them.
    if (t.find(',') != std::string::npos && t.find('.') == std::string::npos) {
        t[t.find(',')] = '.';
        *plain = false;
    }
    const char* start = t.c_str();
    char* end = nullptr;
    double x = g_ascii_strtod(start, &end);
    if (end == start || !std::isfinite(x) || (start[0] == '0' && (start[1] == 'x' || start[1] == 'X')))
        return false;
    std::string rest = lower(trimmed(end));
    if (rest.compare(0, 2, "\xC2\xB0") == 0) // the degree sign
        rest.erase(0, 2);
    if (!rest.empty())
        *plain = false;
    auto is = [&rest](std::initializer_list<const char*> words) {
        for (const char* w : words)
            if (rest == w)
                return true;
        return false;
    };
    const std::string u = unit;
    if (u == "kg") {
        x *= is({"g", "gr", "gram", "grams"})       ? 0.001
             : is({"mg"})                           ? 1e-6
             : is({"lb", "lbs", "pound", "pounds"}) ? 0.45359237
             : is({"oz", "ounce", "ounces"})        ? 0.028349523125
                                                    : 1;
    } else if (u == "l") {
        x *= is({"ml"})                         ? 0.001
             : is({"cl"})                       ? 0.01
             : is({"gal", "gallon", "gallons"}) ? 3.785411784
             : is({"qt", "quart", "quarts"})    ? 0.946352946
             : is({"pt", "pint", "pints"})      ? 0.473176473
                                                : 1;
    } else if (u == "min") {
        x *= is({"h", "hr", "hrs", "hour", "hours", "heure", "heures"}) ? 60
             : is({"d", "day", "days", "j", "jour", "jours"})           ? 1440
             : is({"wk", "week", "weeks"})                              ? 10080
             : is({"s", "sec"})                                         ? 1.0 / 60
                                                                        : 1;
    } else if (u == "sg") {
        if (is({"p", "plato", "brix"}) || (rest.empty() && x > 1.5 && x < 50)) {
            x = 259 / (259 - x); // degrees Plato, the same rule as the estimates
            *plain = false;
        } else if (x >= 900 && x < 1300) {
            x /= 1000; // density × 1000
            *plain = false;
        }
    } else if (u == "srm" || u == "ebc") {
        // Lovibond and SRM are one scale as programs write them; a colour says "EBC" when it is in EBC.
        const bool says_srm = is({"srm", "l", "lovibond"});
        if (says_srm || (u == "srm" && !is({"ebc"})))
            x = kEbcPerSrm * x;
        if (x < 0)
            x = 0;
    } else if (u == "c") {
        x = is({"f"}) ? (x - 32) / 1.8 : is({"k"}) ? x - 273.15 : x;
    }
    *value = x;
    return std::isfinite(x);
}

ForeignFile read_beerxml(const std::string& bytes)
{
    ForeignFile content;
    content.refusal = refusal_of_unread_format(bytes);
    if (!content.refusal.empty()) {
        content.refused = true;
        return content;
    }
    if (is_beerxml_1_1(bytes)) {
        content.refused = true;
        content.refusal =
            "ce fichier suit le brouillon BeerXML 1.1 (espace de noms http://beerxml.com/v1.1), "
            "que Cuvelo ne lit pas : exportez-le en BeerXML 1.0";
        return content;
    }
    NormalisedXml normal = normalise_beerxml(bytes);
    content.steps = normal.steps;
    if (normal.refused || normal.namespaced) {
        content.refused = true;
        content.refusal = normal.refused
                              ? normal.refusal
                              : "ce fichier suit le brouillon BeerXML 1.1 ou 2 (avec espaces de noms), "
                                "que Cuvelo ne lit pas : exportez-le en BeerXML 1.0";
        return content;
    }
    if (normal.text.find("<F_R_NAME>") != std::string::npos) {
        OutsideRecipes beersmith;
        beersmith.beersmith = true;
        content.refused = true;
        content.refusal = refusal_without_recipe(beersmith);
        return content;
    }
    const BrewtargetFamily family = brewtarget_family(bytes);
    const OutsideRecipes outside = read_recipe_trees(normal.text, [&content, family](const RecipeTree& tree) {
        if (tree.recipe)
            content.recipes.push_back(read_recipe(tree, family));
        else
            content.unreadable.push_back("recette n° " + std::to_string(tree.number) + " illisible (" +
                                         tree.error + ")");
    });
    content.recipes_left_out = outside.recipes_left_out;
    if (content.recipes.empty()) {
        content.refused = true;
        content.refusal = content.unreadable.empty()
                              ? refusal_without_recipe(outside)
                              : "aucune recette lisible : " + content.unreadable.front();
    }
    return content;
}

bool read_beerxml_file(const std::string& path, ForeignFile* content, std::string* why)
{
    return read_foreign_file(path, kBeerXmlLargest, read_beerxml, content, why);
}

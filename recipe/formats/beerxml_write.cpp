// recipe/formats/beerxml_write.cpp — the BeerXML writer: the reverse of the import mapping, in the standard's
// record and element order. Numbers are plain decimals in the "C" locale (schemas read xs:decimal, which has
// no exponent), texts are escaped UTF-8, and nothing but the standard's own elements is written.
#include "recipe/formats/beerxml_write.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/keywords.h"
#include "core/line_figures.h"
#include "core/quantity.h"
#include "core/replace_file.h"
#include "core/text.h"
#include "recipe/formats/plain_decimal.h"
#include "recipe/formats/beerxml_volumes.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

namespace
{

// Texts may hold bytes of any origin: they leave as the window shows them, escaped UTF-8 with only the
// characters XML allows.
std::string xml_text(const std::string& text)
{
    const std::string utf8 = display_text(text);
    std::string clean;
    for (const char* p = utf8.c_str(); *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if ((c >= 0x20 && (c < 0x7F || c > 0x9F)) || c == '\t' || c == '\n')
            clean.append(p, static_cast<size_t>(g_utf8_next_char(p) - p));
    }
    gchar* escaped = g_markup_escape_text(clean.c_str(), -1);
    std::string out = escaped;
    g_free(escaped);
    return out;
}

// The bounds that style entries write for "no bound".
constexpr double kOpenMin = 0;
constexpr double kOpenMax = 9999;

class Writer
{
  public:
    explicit Writer(std::vector<std::string>* clamped) : clamped_(clamped)
    {
        out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    }

    void open(const char* tag)
    {
        indent();
        out_ += std::string("<") + tag + ">\n";
        depth_++;
    }

    void close(const char* tag)
    {
        depth_--;
        indent();
        out_ += std::string("</") + tag + ">\n";
    }

    // A record's name: schemas that validate BeerXML want one that is not blank.
    void name(const std::string& value)
    {
        text("NAME", value.find_first_not_of(" \t") == std::string::npos ? "Sans nom" : value);
    }

    void text(const char* tag, const std::string& value)
    {
        indent();
        out_ += std::string("<") + tag + ">" + xml_text(value) + "</" + tag + ">\n";
    }

    // The figure brought within [lo, hi], said when it was not.
    double within(const char* tag, double x, double lo, double hi)
    {
        if (x >= lo && x <= hi)
            return x;
        const double kept = x > hi ? hi : lo;
        if (clamped_)
            clamped_->push_back(subject_ + " : " + tag + " " +
                                (std::isnan(x) ? "indéfini" : plain_decimal(x, 3)) + " ramené à " +
                                plain_decimal(kept, 3));
        return kept;
    }

    // A figure within [lo, hi], as a plain decimal.
    void number(const char* tag, double x, double lo, double hi, int decimals = 4)
    {
        text(tag, plain_decimal(within(tag, x, lo, hi), decimals));
    }

    // A style range: TAG_MIN and TAG_MAX, the texts divided by `per_unit`, within [lo, hi]. The style
    // database's open bounds ("0" and "9999", as the built-in "Pas de Style" has them) stand for no bound at
    // all: they become the format's own bounds without a word, while a bound the brewer typed is said when
    // clamped.
    void range(const char* tag, const std::string& min, const std::string& max, double (*file_unit)(double),
               double lo, double hi)
    {
        const std::string min_tag = std::string(tag) + "_MIN", max_tag = std::string(tag) + "_MAX";
        const double from = text_to_number(min), to = text_to_number(max);
        number(min_tag.c_str(), from == kOpenMin ? lo : file_unit(from), lo, hi);
        number(max_tag.c_str(), to == kOpenMax ? hi : file_unit(to), lo, hi);
    }

    // A note about the export that is no clamped value.
    void say(const std::string& what)
    {
        if (clamped_)
            clamped_->push_back(what);
    }

    void subject(const std::string& what)
    {
        subject_ = what;
    }

    std::string take()
    {
        return std::move(out_);
    }

  private:
    void indent()
    {
        out_.append(static_cast<size_t>(2 * depth_), ' ');
    }

    std::vector<std::string>* clamped_;
    std::string out_;
    std::string subject_;
    int depth_ = 0;
};

constexpr double kMost = 1e9;    // amounts and times: not negative, and no upper bound of their own
constexpr double kSrmMost = 300; // the estimated colour and the style range only
constexpr double kIbuMost = 5000;

// Litres for a liquid, kilograms for anything else (0 without a unit).
double amount_of(const LineFigures& f)
{
    return f.unit == Unit::litre || f.unit == Unit::millilitre ? f.litres : f.kg;
}

double as_written(double x)
{
    return x;
}

const char* style_type(const StyleEntry& s)
{
    const std::string both = folded_display_text(s.category + " " + s.name);
    if (mentions(both, {"lager", "pils", "bock", "märzen", "helles", "dunkel", "schwarz"}))
        return "Lager";
    if (mentions(both, {"weizen", "wheat", "blanche", "weiss", "wit", "blé"}))
        return "Wheat";
    if (mentions(both, {"cidre", "cider"}))
        return "Cider";
    if (mentions(both, {"hydromel", "mead"}))
        return "Mead";
    return "Ale";
}

void write_style(Writer& x, const StyleEntry& s)
{
    x.subject("style « " + s.name + " »");
    x.open("STYLE");
    x.name(s.name);
    x.text("CATEGORY", s.category);
    x.text("VERSION", "1");
    x.text("CATEGORY_NUMBER", "");
    x.text("STYLE_LETTER", "");
    x.text("STYLE_GUIDE", "");
    x.text("TYPE", style_type(s));
    x.range("OG", s.og_min, s.og_max, sg_of_density, 0.99, 1.2);
    x.range("FG", s.fg_min, s.fg_max, sg_of_density, 0.99, 1.2);
    x.range("IBU", s.ibu_min, s.ibu_max, as_written, 0, kIbuMost);
    x.range("COLOR", s.ebc_min, s.ebc_max, srm_of_ebc, 0, kSrmMost);
    if (!s.description.empty())
        x.text("NOTES", s.description);
    x.close("STYLE");
}

// Each step leaves as the use that the import brings back to a step of the same effect: the boil steps boil
// for their minutes, aroma keeps its minutes, a dry hop its days, a hop put in the kettle during the rinse is
// a first wort hop; a mash hop, or one at a step Cuvelo does not know, counts its minutes as a boil without
// taking any wort, which the mash use gives back.
const char* hop_use(Step step)
{
    switch (step) {
    case Step::boil:
    case Step::bittering:
        return "Boil";
    case Step::aroma:
        return "Aroma";
    case Step::fermentation:
        return "Dry Hop";
    case Step::rinse:
        return "First Wort";
    default:
        return "Mash";
    }
}

constexpr double kMinutesPerDay = 1440;

void write_hop(Writer& x, const RecipeLine& l)
{
    const LineFigures f = figures_of(l);
    x.subject("houblon « " + l.designation + " »");
    x.open("HOP");
    x.name(l.designation);
    x.text("VERSION", "1");
    x.number("ALPHA", f.alpha_percent, 0, 100);
    x.number("AMOUNT", amount_of(f), 0, kMost, 6);
    x.text("USE", hop_use(f.step));
    // A dry hop's time column holds days; the format counts minutes.
    const double minutes = f.step == Step::fermentation ? f.minutes * kMinutesPerDay : f.minutes;
    x.number("TIME", minutes, 0, kMost);
    x.text("FORM", f.category == Category::hop_pellet ? "Pellet" : "Leaf");
    x.close("HOP");
}

const char* fermentable_type(Category c)
{
    switch (c) {
    case Category::sugar:
        return "Sugar";
    case Category::liquid_extract:
        return "Extract";
    case Category::powder_extract:
        return "Dry Extract";
    case Category::grain:
    case Category::flakes:
        return "Adjunct";
    default:
        return "Grain";
    }
}

// BeerXML's colour is in degrees Lovibond, which every program reads as SRM. An ingredient keeps its colour
// however dark: only the estimated colour and the style's range have the format's 300 SRM bound. Mashed
// grains say so (IS_MASHED, an element of the strictest peer's schema): a program without it takes grains as
// steeped, at a fraction of their extract.
void write_fermentable(Writer& x, const RecipeLine& l)
{
    x.subject("malt « " + l.designation + " »");
    const LineFigures f = figures_of(l);
    const Category c = f.category;
    x.open("FERMENTABLE");
    x.name(l.designation);
    x.text("VERSION", "1");
    x.text("TYPE", fermentable_type(c));
    x.number("AMOUNT", amount_of(f), 0, kMost, 6);
    x.number("YIELD", f.extract_percent, 0, 100);
    x.number("COLOR", srm_of_ebc(f.colour_ebc), 0, kMost);
    x.text("ADD_AFTER_BOIL", "FALSE");
    x.text("IS_MASHED", is_grain(c) ? "TRUE" : "FALSE");
    x.close("FERMENTABLE");
}

void write_yeast(Writer& x, const RecipeLine& l)
{
    x.subject("levure « " + l.designation + " »");
    const LineFigures f = figures_of(l);
    const bool liquid = f.unit == Unit::litre || f.unit == Unit::millilitre;
    x.open("YEAST");
    x.name(l.designation);
    x.text("VERSION", "1");
    x.text("TYPE", mentions(folded_display_text(l.designation), {"lager", "pils", "bock"}) ? "Lager" : "Ale");
    x.text("FORM", liquid ? "Liquid" : "Dry");
    x.number("AMOUNT", amount_of(f), 0, kMost, 6);
    x.text("AMOUNT_IS_WEIGHT", liquid ? "FALSE" : "TRUE");
    x.number("ATTENUATION", f.attenuation_percent, 0, 100);
    x.close("YEAST");
}

const char* misc_use(Step step)
{
    switch (step) {
    case Step::mash:
    case Step::rinse:
        return "Mash";
    case Step::fermentation:
        return "Primary";
    default:
        return "Boil";
    }
}

void write_misc(Writer& x, const RecipeLine& l)
{
    x.subject("ingrédient « " + l.designation + " »");
    const LineFigures f = figures_of(l);
    x.open("MISC");
    x.name(l.designation);
    x.text("VERSION", "1");
    x.text("TYPE", "Other");
    x.text("USE", misc_use(f.step));
    x.number("TIME", f.minutes, 0, kMost);
    x.number("AMOUNT", amount_of(f), 0, kMost, 6);
    x.text("AMOUNT_IS_WEIGHT", f.unit == Unit::litre || f.unit == Unit::millilitre ? "FALSE" : "TRUE");
    x.close("MISC");
}

// Waters carry no profile in Cuvelo: the required ions are written as zero.
void write_water(Writer& x, const RecipeLine& l)
{
    x.subject("eau « " + l.designation + " »");
    x.open("WATER");
    x.name(l.designation);
    x.text("VERSION", "1");
    x.number("AMOUNT", figures_of(l).amount, 0, kMost);
    for (const char* ion : {"CALCIUM", "BICARBONATE", "SULFATE", "CHLORIDE", "SODIUM", "MAGNESIUM"})
        x.text(ion, "0");
    x.close("WATER");
}

// The brewery as the format's equipment record: the strictest peer refuses a recipe without one, and builds
// its batch from it. Cuvelo's losses become the deadspace, the grain absorption and an evaporation that also
// takes the hops' share, so that no trub loss lowers the density it computes over the batch size.
void write_equipment(Writer& x, const ExportVolumes& v)
{
    x.subject("équipement");
    x.open("EQUIPMENT");
    x.text("NAME", "Brasserie Cuvelo");
    x.text("VERSION", "1");
    x.number("BOIL_SIZE", v.boil_size, 0, kMost);
    x.number("BATCH_SIZE", v.batch_size, 0, kMost);
    x.number("TUN_VOLUME", v.tun_volume, 0, kMost);
    x.text("TUN_WEIGHT", "0"); // Cuvelo keeps no tun: its heat is not counted
    x.text("TUN_SPECIFIC_HEAT", "0.12");
    x.number("TOP_UP_WATER", v.top_up, 0, kMost);
    x.text("TRUB_CHILLER_LOSS", "0");
    x.number("EVAP_RATE", v.evaporation_percent, 0, 100);
    x.number("BOIL_TIME", v.boil_minutes, 0, kMost);
    x.text("CALC_BOIL_VOLUME", "FALSE");
    x.number("LAUTER_DEADSPACE", v.lauter_deadspace, 0, kMost);
    x.text("TOP_UP_KETTLE", "0");
    x.text("HOP_UTILIZATION", "100");
    x.number("REAL_EVAP_RATE", v.evaporation_per_hour, 0, kMost);
    x.number("ABSORPTION", v.absorption, 0, kMost);
    x.close("EQUIPMENT");
}

const char* mash_step_type(MashStepKind kind)
{
    switch (kind) {
    case MashStepKind::direct_heat:
        return "Temperature";
    case MashStepKind::decoction:
        return "Decoction";
    default:
        return "Infusion";
    }
}

// A step's infusion temperature is written where the brew day knows it (above 0 °C), after the step's own
// figures as the format orders them.
void write_mash_step(Writer& x, const MashStep& step, const char* type, double infusion_litres,
                     double infusion_celsius)
{
    x.subject("palier « " + step.name + " »");
    x.open("MASH_STEP");
    x.text("NAME", step.name);
    x.text("VERSION", "1");
    x.text("TYPE", type);
    if (std::string(type) == "Infusion")
        x.number("INFUSE_AMOUNT", infusion_litres, 0, kMost);
    x.number("STEP_TEMP", step.temperature, 0, 150);
    x.number("STEP_TIME", step.minutes, 0, kMost);
    if (std::string(type) == "Infusion" && infusion_litres > 0 && infusion_celsius > 0)
        x.number("INFUSE_TEMP", infusion_celsius, 0, 150, 1);
    x.close("MASH_STEP");
}

// The recipe's mash schedule, else the configuration's rests that last. The mash water is the first step's
// infusion and the rinse water a last infusion (named so that the import knows it from a rest): programs that
// build the boil from the mash find all the water there.
void write_mash(Writer& x, const RecipeReport& w, const ExportVolumes& v)
{
    static const char* const kRests[5] = {"", "Palier protéinique", "Palier maltose", "Palier dextrines",
                                          "Palier de fin d'empâtage"};
    std::vector<MashStep> steps = w.recipe.plan.mash;
    const bool own = !steps.empty();
    for (int i = 1; i <= 4 && !own; i++)
        if (w.settings.rest_minutes[i] > 0)
            steps.push_back(MashStep{kRests[i], w.settings.rest_first[i], w.settings.rest_minutes[i],
                                     steps.empty() ? MashStepKind::infusion : MashStepKind::direct_heat});
    x.subject("empâtage");
    x.open("MASH");
    x.text("NAME", own ? "Empâtage de la recette" : "Paliers de la configuration Cuvelo");
    x.text("VERSION", "1");
    x.number("GRAIN_TEMP", 20, 0, 150);
    x.open("MASH_STEPS");
    for (size_t i = 0; i < steps.size(); i++) {
        // The mash water goes in with the first step; a later infusion's water is not known here.
        const char* type = i == 0 ? "Infusion" : mash_step_type(steps[i].kind);
        write_mash_step(x, steps[i], type, i == 0 ? v.mash_water : 0, i == 0 ? w.strike_celsius : 0);
    }
    const double last = steps.empty() ? 78 : steps.back().temperature;
    write_mash_step(x, MashStep{kRinseStepName, last, 0, MashStepKind::infusion}, "Infusion",
                    steps.empty() ? v.mash_water + v.rinse_water : v.rinse_water,
                    steps.empty() ? 0 : w.sparge_celsius);
    x.close("MASH_STEPS");
    if (w.sparge_celsius > 0)
        x.number("SPARGE_TEMP", w.sparge_celsius, 0, 150, 1);
    x.close("MASH");
}

const char* recipe_type(const Recipe& recipe)
{
    bool grain = false, extract = false;
    for (const RecipeLine& line : recipe.lines) {
        const Category c = category_of(line.category);
        grain = grain || is_grain(c);
        extract = extract || c == Category::liquid_extract || c == Category::powder_extract;
    }
    return grain && extract ? "Partial Mash" : extract ? "Extract" : "All Grain";
}

// The record each line leaves as: a line that the estimates count for nothing (a grain out of the mash, a
// sugar out of the boil, a yeast out of the fermentation) leaves as a miscellaneous ingredient, which counts
// for nothing in every program, and comes back as one.
enum class Record { hop, fermentable, misc, yeast, water };

Record record_of(const RecipeLine& line)
{
    const LineFigures f = brewing_figures_of(line);
    if (is_hop(f.category))
        return Record::hop;
    if (f.category == Category::water)
        return Record::water;
    if (f.category == Category::yeast && f.step == Step::fermentation)
        return Record::yeast;
    if (counts_as_fermentable(f))
        return Record::fermentable;
    return Record::misc;
}

// A line that would count in the format but not in Cuvelo is said, with where it stands.
void say_misc(Writer& x, const RecipeLine& l)
{
    const Category c = category_of(l.category);
    if (is_fermentable(c) || c == Category::yeast)
        x.say("« " + l.designation + " » ne compte pas à l'étape « " + l.step +
              " » : écrit comme ingrédient divers");
}

// The lines of one record kind, written in the recipe's order under their record set.
template <typename Write>
void write_set(Writer& x, const Recipe& recipe, const char* set, Record kind, Write write)
{
    x.open(set);
    for (const RecipeLine& line : recipe.lines)
        if (record_of(line) == kind)
            write(x, line);
    x.close(set);
}

// The recipe's fermentation steps as the format's stages: the first three are the primary to tertiary
// stages, a fourth the conditioning (AGE); the format has no place for more, nor for their names.
void write_fermentation(Writer& x, const std::vector<FermentationStep>& steps)
{
    if (steps.empty())
        return;
    static const char* const kStages[][2] = {{"PRIMARY_AGE", "PRIMARY_TEMP"},
                                             {"SECONDARY_AGE", "SECONDARY_TEMP"},
                                             {"TERTIARY_AGE", "TERTIARY_TEMP"}};
    x.number("FERMENTATION_STAGES", static_cast<double>(std::min<size_t>(steps.size(), 3)), 1, 3, 0);
    for (size_t i = 0; i < steps.size() && i < 4; i++) {
        x.number(i < 3 ? kStages[i][0] : "AGE", steps[i].days, 0, kMost);
        x.number(i < 3 ? kStages[i][1] : "AGE_TEMP", steps[i].temperature, -10, 100, 2);
    }
}

} // namespace

std::string beerxml_document(const RecipeReport& w, std::vector<std::string>* clamped)
{
    Writer x(clamped);
    const Recipe& recipe = w.recipe;
    const Estimates& e = w.estimates;
    const Settings& s = w.settings;
    x.open("RECIPES");
    x.open("RECIPE");
    x.subject("recette");
    x.name(!recipe.title.empty() ? recipe.title : w.file_base_name);
    x.text("VERSION", "1");
    x.text("TYPE", recipe_type(recipe));
    write_style(x, recipe.style);
    const ExportVolumes v = export_volumes(w);
    write_equipment(x, v);
    x.subject("recette");
    x.text("BREWER", "");
    x.number("BATCH_SIZE", v.batch_size, 0, kMost);
    x.number("BOIL_SIZE", v.boil_size, 0, kMost);
    x.number("BOIL_TIME", s.boil_minutes, 0, kMost);
    x.number("EFFICIENCY", s.efficiency * 100, 0, 100);
    write_set(x, recipe, "HOPS", Record::hop, write_hop);
    write_set(x, recipe, "FERMENTABLES", Record::fermentable, write_fermentable);
    write_set(x, recipe, "MISCS", Record::misc, [](Writer& w, const RecipeLine& l) {
        say_misc(w, l);
        write_misc(w, l);
    });
    write_set(x, recipe, "YEASTS", Record::yeast, write_yeast);
    // Top-up water leaves as the equipment's TOP_UP_WATER when the estimates pour it into the fermenter.
    write_set(x, recipe, "WATERS", Record::water, [&v](Writer& w, const RecipeLine& l) {
        if (!(v.top_up > 0 && step_of(l.step) == Step::fermentation))
            write_water(w, l);
    });
    write_mash(x, w, v);
    if (!recipe.plan.notes.empty())
        x.text("NOTES", recipe.plan.notes);
    x.subject("recette");
    write_fermentation(x, recipe.plan.fermentation);
    x.number("CARBONATION", text_to_number(recipe.carbonation), 0, 10);
    // The estimates, in the display elements the standard keeps for them; none when there is no wort.
    if (e.initial_density > 0) {
        x.number("EST_OG", sg_of_density(e.initial_density), 0.99, 1.2);
        x.number("EST_FG", sg_of_density(e.final_density), 0.99, 1.2);
        x.number("EST_COLOR", srm_of_ebc(e.colour_ebc), 0, kSrmMost, 2);
        x.number("IBU", e.bitterness_ibu, 0, kIbuMost, 2);
        x.text("IBU_METHOD", "Tinseth");
        x.number("EST_ABV", e.alcohol, 0, 100, 2);
    }
    x.close("RECIPE");
    x.close("RECIPES");
    return x.take();
}

bool export_beerxml(const std::string& path, const RecipeReport& report, std::vector<std::string>* clamped,
                    std::string* why)
{
    return replace_file(path, beerxml_document(report, clamped), why);
}

// recipe/formats/foreign_recipe.cpp — the mapping from foreign recipe records to Cuvelo lines. Colours arrive
// in EBC, each reader having converted its file's scale. The file's efficiency, boil time, mash and notes
// become the recipe's own plan; its equipment stays out, the brewery's losses being Cuvelo's.
#include "recipe/formats/foreign_recipe.h"

#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/quantity.h"
#include "core/stated_acidity.h"
#include "core/text.h"
#include "core/workspace.h" // kLineCapacity
#include "recipe/formats/foreign_water.h"
#include "refdata/water_profiles.h"

#include <glib.h>
#include <sys/stat.h>
#include <glib/gstdio.h>

#include <cmath>

namespace
{

// A text that a recipe file keeps as it is: no tab or line end, and no comma (the file turns them into
// points), each comma written " -" as brewers write "Goldings - East Kent".
std::string recipe_text(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ',')
            out += " -";
        else if (c == '\t' || c == '\n' || c == '\r')
            out += ' ';
        else
            out += c;
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string lower_utf8(const std::string& text)
{
    gchar* folded = g_utf8_strdown(text.c_str(), -1);
    std::string out = folded ? folded : "";
    g_free(folded);
    return out;
}

// The quantity text of an amount in kilograms (litres for a liquid): kilograms from 1 kg, grams below.
std::string quantity_for(double amount, bool liquid)
{
    if (liquid)
        return quantity_text(amount, Unit::litre, 3);
    if (amount >= 1)
        return quantity_text(amount, Unit::kilogram, 3);
    return quantity_text(grams_of_kg(amount), Unit::gram, 2);
}

std::string figure(double x)
{
    return format_decimals(x, 2);
}

class LineMaker
{
  public:
    explicit LineMaker(const ReferenceData& w) : w_(w) {}

    // A line with the picture and price of the database entry of the same name, else the category's.
    RecipeLine make(const std::string& category, const std::string& name, const std::string& quantity,
                    const std::string& value, const std::string& yield, const std::string& time,
                    const std::string& step) const
    {
        RecipeLine line;
        line.category = category;
        line.designation = recipe_text(name);
        line.quantity = quantity;
        line.value = value;
        line.yield = yield;
        line.time = time;
        line.step = step;
        const IngredientEntry* same = named(line.designation);
        line.picture = same ? same->picture : usual_picture(category);
        line.price = same ? same->price : std::string();
        return line;
    }

    RecipeLine water(const std::string& step, const char* usual_name) const
    {
        for (int i = 1; i <= w_.ingredient_count; i++) {
            const IngredientEntry& e = w_.ingredients[i];
            if (e.category == "EAU" && e.step == step)
                return make_from(e, "0 L");
        }
        return make("EAU", usual_name, "0 L", "0", "0", "0", step);
    }

    // The water line at the step of the database's first water of that profile, else of its first water
    // with the profile's name as value.
    RecipeLine water_of_profile(const std::string& step, const char* usual_name, const WaterProfile& profile,
                                const std::vector<WaterProfile>& profiles) const
    {
        for (int i = 1; i <= w_.ingredient_count; i++) {
            const IngredientEntry& e = w_.ingredients[i];
            if (e.category == "EAU" && e.step == step && find_water_profile(profiles, e.value) == &profile)
                return make_from(e, "0 L");
        }
        RecipeLine line = water(step, usual_name);
        gchar* upper = g_utf8_strup(profile.name.c_str(), -1);
        line.value = upper;
        g_free(upper);
        return line;
    }

    // The picture and price of the database's salt or acid of the same key, when the line has none of its
    // own name.
    void take_keyed(RecipeLine& line) const
    {
        if (named(line.designation))
            return;
        for (int i = 1; i <= w_.ingredient_count; i++)
            if (w_.ingredients[i].category == "AUTRE" &&
                additive_of_key(w_.ingredients[i].value) == additive_of_key(line.value)) {
                line.picture = w_.ingredients[i].picture;
                line.price = w_.ingredients[i].price;
                return;
            }
    }

    const IngredientEntry* named(const std::string& designation) const
    {
        if (designation.empty())
            return nullptr;
        for (int i = 1; i <= w_.ingredient_count; i++)
            if (g_ascii_strcasecmp(w_.ingredients[i].designation.c_str(), designation.c_str()) == 0)
                return &w_.ingredients[i];
        return nullptr;
    }

  private:
    RecipeLine make_from(const IngredientEntry& e, const std::string& quantity) const
    {
        RecipeLine line = recipe_line_of(e);
        line.quantity = quantity;
        return line;
    }

    std::string usual_picture(const std::string& category) const
    {
        for (int i = 1; i <= w_.ingredient_count; i++)
            if (w_.ingredients[i].category == category)
                return w_.ingredients[i].picture;
        static const char* const kUsual[][2] = {{"EAU", "eau"},
                                                {"MALT", "malt1"},
                                                {"MALTFROMENT", "maltfroment"},
                                                {"MALTSPECIAL", "malt3"},
                                                {"GRAIN", "malt4"},
                                                {"FLOCON", "flocon"},
                                                {"HOUBLONCONE", "houbloncone"},
                                                {"HOUBLONPELLET", "houblonpellet"},
                                                {"SUCRE", "sucre"},
                                                {"EXTRAITPOUDRE", "extraitpoudre"},
                                                {"EXTRAITLIQUIDE", "extraitliquide"},
                                                {"AUTRE", "autre"},
                                                {"LEVURE", "levure"}};
        for (const auto& usual : kUsual)
            if (category == usual[0])
                return usual[1];
        return "autre";
    }

    const ReferenceData& w_;
};

// Grain → MALT, MALTFROMENT (wheat) or MALTSPECIAL (crystal, roasted, above 50 EBC); Adjunct → FLOCON
// (flaked) or GRAIN; the others by their type.
const char* category_of_fermentable(const ForeignFermentable& f)
{
    const std::string name = lower_utf8(f.name);
    if (f.type == "Sugar")
        return "SUCRE";
    if (f.type == "Extract")
        return "EXTRAITLIQUIDE";
    if (f.type == "Dry Extract")
        return "EXTRAITPOUDRE";
    if (f.type == "Adjunct")
        return mentions(name, {"flake", "flocon"}) ? "FLOCON" : "GRAIN";
    if (mentions(name, {"crystal", "caramel", "cara", "roast", "torréfi", "chocolat", "black"}) ||
        f.colour_ebc > 50)
        return "MALTSPECIAL";
    if (mentions(name, {"wheat", "froment", "blé", "weizen", "weiss", "weiß"}))
        return "MALTFROMENT";
    return "MALT";
}

bool is_mashed(const char* category)
{
    const std::string c = category;
    return c == "MALT" || c == "MALTFROMENT" || c == "MALTSPECIAL" || c == "FLOCON" || c == "GRAIN";
}

constexpr double kMinutesPerDay = 1440;

// Each use keeps its time at the step that means it in Cuvelo: Boil boils for its minutes, Aroma (whirlpools
// included) keeps its minutes, a Dry Hop its days (the time column of a fermentation hop), a First Wort hop
// is put in the kettle during the rinse, a Mash hop stays in the mash. What each counts is the estimates'
// rule for its step.
RecipeLine hop_line(const ForeignHop& h, const LineMaker& maker)
{
    const char* category = h.form == "Pellet" ? "HOUBLONPELLET" : "HOUBLONCONE";
    std::string step = "EBULLITION";
    double time = h.time;
    if (h.use == "Aroma") {
        step = "AROMATISATION";
    } else if (h.use == "Dry Hop") {
        step = "FERMENTATION";
        // The format counts minutes; a few writers put days there, as no one dry hops for under an hour.
        time = h.time < 60 ? h.time : h.time / kMinutesPerDay;
    } else if (h.use == "Mash") {
        step = "EMPATAGE";
    } else if (h.use == "First Wort") {
        step = "RINCAGE";
    }
    return maker.make(category, h.name, quantity_for(h.amount, false), figure(h.alpha), "0", figure(time),
                      step);
}

const char* misc_step(const std::string& use)
{
    if (use == "Mash")
        return "EMPATAGE";
    if (use == "Sparge")
        return "RINCAGE";
    if (use == "Boil")
        return "EBULLITION";
    return "FERMENTATION";
}

std::string count_of(size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n > 1 ? many : one);
}

// A name of the file as a message quotes it: bounded, and shown as any text is.
std::string quoted(const std::string& name)
{
    return "« " + bounded_display_text(name, kMaxNameCharacters) + " »";
}

// The file's style when the style database knows its name, else one built from the record's ranges.
StyleEntry style_of(const ForeignStyle& s, const ReferenceData& w)
{
    if (!s.present)
        return w.styles[1];
    const std::string name = recipe_text(s.name);
    for (int i = 2; i <= w.style_count; i++)
        if (!name.empty() && g_ascii_strcasecmp(w.styles[i].name.c_str(), name.c_str()) == 0)
            return w.styles[i];
    StyleEntry style;
    style.category = s.category.empty() ? "Styles BeerXML" : recipe_text(s.category);
    style.name = name.empty() ? "Style du fichier" : name;
    style.og_min = figure(density_of_sg(s.og_min));
    style.og_max = figure(density_of_sg(s.og_max));
    style.fg_min = figure(density_of_sg(s.fg_min));
    style.fg_max = figure(density_of_sg(s.fg_max));
    style.ebc_min = figure(s.ebc_min);
    style.ebc_max = figure(s.ebc_max);
    style.ibu_min = figure(s.ibu_min);
    style.ibu_max = figure(s.ibu_max);
    style.picture = w.styles[1].picture;
    style.description = s.notes.empty() ? "Style lu dans un fichier BeerXML" : recipe_text(s.notes);
    return style;
}

void add_lost(const ForeignRecipe& r, ImportedRecipe& out)
{
    out.lost.insert(out.lost.end(), r.left_out.begin(), r.left_out.end());
    for (const std::string& water : r.waters)
        out.lost.push_back("le profil d'eau" + (water.empty() ? std::string() : " " + quoted(water)));
    if (r.notes && r.notes_text.empty())
        out.lost.push_back("les notes de dégustation");
    if (!r.equipment.empty())
        out.lost.push_back("l'équipement " + quoted(r.equipment));
}

// The file's efficiency, boil time, mash rests and notes become the recipe's own: its estimates are the ones
// its writer brewed for, whatever the brewer's configuration.
BrewingPlan plan_of(const ForeignRecipe& r)
{
    BrewingPlan plan;
    if (!std::isnan(r.stated.efficiency) && r.stated.efficiency > 0)
        plan.efficiency = std::round(r.stated.efficiency * 100) / 100;
    if (r.boil_time >= 0)
        plan.boil_minutes = std::round(r.boil_time * 100) / 100;
    plan.mash = r.mash;
    for (MashStep& step : plan.mash)
        step.name = recipe_text(step.name);
    plan.notes = r.notes_text;
    plan.fermentation = r.fermentation;
    for (FermentationStep& step : plan.fermentation)
        step.name = recipe_text(step.name);
    return plan;
}

// --- Water: grains' DI pH, salts and acids, waters' profiles.

// A grain's value: its colour, with the DI pH of its database entry when that states one (the file's is then
// said to be left out), else the file's.
std::string grain_value(const ForeignFermentable& f, const LineMaker& maker, ImportedRecipe& out)
{
    const std::string colour = figure(f.colour_ebc);
    const IngredientEntry* same = maker.named(recipe_text(f.name));
    const StatedAcidity base = same ? stated_acidity(same->value) : StatedAcidity{};
    if (base.di_ph > 0) {
        if (!std::isnan(f.di_ph))
            out.lost.push_back("le pH en eau distillée de " + quoted(f.name) + " (" + figure(f.di_ph) +
                               " : celui de la base des ingrédients est gardé)");
        std::string value = with_stated_di_ph(colour, base.di_ph);
        if (base.buffering < 0)
            value += " TAMPON " + format_decimals(-base.buffering, 1);
        return value;
    }
    if (std::isnan(f.di_ph))
        return colour;
    const std::string value = with_stated_di_ph(colour, f.di_ph);
    if (value == colour)
        out.lost.push_back("le pH en eau distillée de " + quoted(f.name) + " (" + figure(f.di_ph) +
                           " : hors de 3 à 8)");
    return value;
}

// A miscellaneous ingredient as a salt or acid line, when its name says it is one: true when it was taken
// as one (added to `lines`, or refused and said so).
bool add_additive_line(const ForeignMisc& m, const LineMaker& maker, std::vector<RecipeLine>& lines,
                       ImportedRecipe& out)
{
    const Additive a = additive_of_name(m.name);
    if (a == Additive::none)
        return false;
    const AdditiveTexts t = additive_texts(a, m.name, m.amount, m.is_weight, m.unit);
    if (t.refused) {
        out.lost.push_back(quoted(m.name) + " (" + t.why + ")");
        return true;
    }
    RecipeLine line =
        maker.make("AUTRE", m.name, t.quantity, t.value, t.yield, figure(m.time), misc_step(m.use));
    maker.take_keyed(line);
    lines.push_back(line);
    return true;
}

// The mash and rinse water lines: the file's first water at the mash, its second (else its first) at the
// rinse, each as the database's water of the bundled profile its ions match. A water that matches none
// keeps the database's usual water and is named in the message.
void add_water_lines(const ForeignRecipe& r, const LineMaker& maker,
                     const std::vector<WaterProfile>& profiles, RecipeLine& mash, RecipeLine& rinse,
                     std::vector<std::string>& read, ImportedRecipe& out)
{
    const std::vector<ForeignWater>& waters = r.water_ions;
    for (size_t k = 0; k < waters.size(); k++) {
        const ForeignWater& w = waters[k];
        if (k >= 2) {
            out.lost.push_back("l'eau " + quoted(w.name) + " (deux eaux seulement : empâtage et rinçage)");
            continue;
        }
        const WaterProfile* p = matching_profile(w.ions, profiles);
        if (!p) {
            out.lost.push_back("l'eau " + quoted(w.name) + " (" + ions_summary(w.ions) +
                               ") : aucun profil de la base ne lui correspond, l'eau de la base est gardée");
            continue;
        }
        read.push_back("l'eau " + quoted(w.name) + " au profil " + p->name);
        if (k == 0)
            mash = maker.water_of_profile("EMPATAGE", "Eau d'empâtage", *p, profiles);
        if (k == 1 || waters.size() == 1)
            rinse = maker.water_of_profile("RINCAGE", "Eau de rinçage", *p, profiles);
    }
}

// The water poured into the fermenter after the boil: the rinse water's, the same tap filling both.
RecipeLine top_up_line(const RecipeLine& rinse_water, double litres)
{
    RecipeLine line = rinse_water;
    line.designation = "Eau d'appoint";
    line.quantity = quantity_for(litres, true);
    line.step = "FERMENTATION";
    return line;
}

} // namespace

void add_correction(std::vector<std::string>& list, size_t& more, std::string what)
{
    if (list.size() < kMostCorrections)
        list.push_back(std::move(what));
    else
        more++;
}

bool read_foreign_file(const std::string& path, size_t largest, ForeignFile (*reader)(const std::string&),
                       ForeignFile* content, std::string* why)
{
    GStatBuf info;
    const bool known = g_stat(path.c_str(), &info) == 0;
    if (known && !S_ISREG(info.st_mode)) {
        *why = "ce n'est pas un fichier ordinaire"; // reading a FIFO or a device would never end
        return false;
    }
    if (known && static_cast<guint64>(info.st_size) > largest) {
        *content = reader(std::string(largest + 1, ' '));
        return true;
    }
    gchar* bytes = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(path.c_str(), &bytes, &length, &error)) {
        *why = error ? error->message : "lecture impossible";
        g_clear_error(&error);
        return false;
    }
    const std::string file(bytes, length);
    g_free(bytes); // one copy of a large file is enough
    *content = reader(file);
    return true;
}

std::string refusal_of_unread_format(const std::string& bytes)
{
    size_t p = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (p < bytes.size() && g_ascii_isspace(bytes[p]))
        p++;
    if (bytes.compare(0, 16, std::string("SQLite format 3\0", 16)) == 0)
        return "ce fichier est une base SQLite (celle de Kleiner Brauhelfer, par exemple), pas une recette "
               "BeerXML";
    if (p < bytes.size() && (bytes[p] == '{' || bytes[p] == '[')) {
        if (bytes.find("\"beerjson\"") != std::string::npos)
            return "ce fichier est au format BeerJSON, pas BeerXML : ouvrez-le comme recette BeerJSON";
        return "ce fichier est au format JSON d'un autre programme (Brewfather, par exemple), pas une "
               "recette "
               "BeerXML";
    }
    return std::string();
}

ImportedRecipe import_foreign_recipe(const ForeignRecipe& r, const ReferenceData& reference,
                                     const std::vector<WaterProfile>* profiles)
{
    ImportedRecipe out;
    const LineMaker maker(reference);
    Recipe& recipe = out.recipe;
    recipe.title = recipe_text(r.name);
    recipe.style = style_of(r.style, reference);
    recipe.carbonation = r.carbonation >= 0 ? number_to_text(std::round(r.carbonation * 100) / 100) + " VOL"
                                            : std::string("2.5 VOL");
    recipe.forced = ForcedVolume{r.batch_size > 0, r.batch_size};
    recipe.plan = plan_of(r);
    out.stated = r.stated;
    out.corrected = r.corrections;
    out.more_corrected = r.more_corrections;

    std::vector<RecipeLine> mashed, boiled, hops, others, yeasts;
    for (const ForeignFermentable& f : r.fermentables) {
        const char* category = category_of_fermentable(f);
        const std::string value = is_mashed(category) ? grain_value(f, maker, out) : figure(f.colour_ebc);
        RecipeLine line = maker.make(category, f.name, quantity_for(f.amount, false), value, figure(f.yield),
                                     "0", is_mashed(category) ? "EMPATAGE" : "EBULLITION");
        (is_mashed(category) ? mashed : boiled).push_back(line);
    }
    for (const ForeignHop& h : r.hops)
        hops.push_back(hop_line(h, maker));
    for (const ForeignMisc& m : r.miscs)
        if (!add_additive_line(m, maker, others, out))
            others.push_back(maker.make("AUTRE", m.name, quantity_for(m.amount, !m.is_weight), "0", "0",
                                        figure(m.time), misc_step(m.use)));
    for (const ForeignYeast& y : r.yeasts) {
        double attenuation = y.attenuation;
        if (attenuation < 0) {
            attenuation = 75;
            add_correction(out.corrected, out.more_corrected,
                           "levure " + quoted(y.name) + " : atténuation absente, 75 % pris par défaut");
        }
        yeasts.push_back(maker.make("LEVURE", y.name, quantity_for(y.amount, !y.is_weight), "0",
                                    figure(attenuation), "0", "FERMENTATION"));
    }

    // Brewing order: mash water, grains, rinse water, boil, fermentation.
    std::vector<RecipeLine>& lines = recipe.lines;
    RecipeLine mash_water = maker.water("EMPATAGE", "Eau d'empâtage");
    RecipeLine rinse_water = maker.water("RINCAGE", "Eau de rinçage");
    std::vector<std::string> waters_read;
    add_water_lines(r, maker, profiles ? *profiles : water_profiles(), mash_water, rinse_water, waters_read,
                    out);
    lines.push_back(mash_water);
    lines.insert(lines.end(), mashed.begin(), mashed.end());
    lines.push_back(rinse_water);
    for (const auto* group : {&boiled, &hops, &others})
        lines.insert(lines.end(), group->begin(), group->end());
    if (r.top_up_water > 0)
        lines.push_back(top_up_line(rinse_water, r.top_up_water));
    lines.insert(lines.end(), yeasts.begin(), yeasts.end());
    if (lines.size() > static_cast<size_t>(kLineCapacity)) {
        out.lost.push_back(std::to_string(lines.size() - kLineCapacity) + " ligne(s) au-delà de " +
                           std::to_string(kLineCapacity));
        lines.resize(kLineCapacity);
    }

    const struct {
        size_t n;
        const char *one, *many;
    } kinds[] = {{r.fermentables.size(), "malt ou sucre", "malts et sucres"},
                 {r.hops.size(), "houblon", "houblons"},
                 {r.yeasts.size(), "levure", "levures"},
                 {r.miscs.size(), "autre ingrédient", "autres ingrédients"},
                 {r.mash.size(), "palier d'empâtage", "paliers d'empâtage"},
                 {r.fermentation.size(), "étape de fermentation", "étapes de fermentation"}};
    for (const auto& kind : kinds)
        if (kind.n > 0)
            out.read.push_back(count_of(kind.n, kind.one, kind.many));
    if (out.read.empty())
        out.read.push_back("aucun ingrédient");
    out.read.insert(out.read.end(), waters_read.begin(), waters_read.end());
    add_lost(r, out);
    return out;
}

namespace
{

// At most `most` items, then how many more there are ("… et 12 autres").
std::string joined(const std::vector<std::string>& items, const char* separator, size_t most, size_t more = 0)
{
    std::string out;
    for (size_t i = 0; i < items.size() && i < most; i++)
        out += (i ? separator : "") + items[i];
    const size_t others = (items.size() > most ? items.size() - most : 0) + more;
    if (others > 0)
        out +=
            separator + std::string("… et ") + std::to_string(others) + (others > 1 ? " autres" : " autre");
    return out;
}

std::string stated_line(const char* what, double stated, double estimated, const char* unit)
{
    const std::string file = std::isnan(stated) ? std::string("non indiqué") : figure(stated) + unit;
    return std::string(what) + " : " + file + " ; Cuvelo : " + figure(estimated) + unit + "\n";
}

} // namespace

std::string import_message(const ImportedRecipe& recipe, const ForeignFile& file, const Estimates& e,
                           double efficiency_percent)
{
    const std::vector<std::string>& steps = file.steps;
    // A recipe without a name is said so rather than shown as empty quotes.
    const std::string name =
        recipe.recipe.title.empty() ? std::string("sans nom") : quoted(recipe.recipe.title);
    std::string m = "Recette " + name + " lue dans un fichier " + file.format + " : " +
                    joined(recipe.read, ", ", 8) +
                    ".\nEau d'empâtage et de rinçage calculées pour un volume final forcé de " +
                    figure(recipe.recipe.forced.litres) + " L.\n";
    if (!recipe.lost.empty())
        m += "\nNon repris : " + joined(recipe.lost, ", ", 8) + ".\n";
    if (!recipe.corrected.empty() || !steps.empty()) {
        std::vector<std::string> all = steps;
        all.insert(all.end(), recipe.corrected.begin(), recipe.corrected.end());
        m += "\nCorrigé :\n  " + joined(all, "\n  ", kMostCorrections, recipe.more_corrected) + "\n";
    }
    const StatedFigures& s = recipe.stated;
    const double og = std::isnan(s.og) ? NAN : density_of_sg(s.og);
    const double fg = std::isnan(s.fg) ? NAN : density_of_sg(s.fg);
    m += "\nCe qu'annonce le fichier, à côté des estimations de Cuvelo :\n";
    m += stated_line("Densité initiale", og, e.initial_density, "");
    m += stated_line("Densité finale", fg, e.final_density, "");
    m += stated_line("Couleur", s.colour_ebc, e.colour_ebc, " EBC");
    m += stated_line("Amertume", s.ibu, e.bitterness_ibu, " IBU");
    m += stated_line("Alcool", s.abv, e.alcohol, " %");
    m += stated_line("Rendement", s.efficiency, efficiency_percent, " %");
    if (!file.unreadable.empty())
        m += "\nAutres recettes du fichier ignorées :\n  " + joined(file.unreadable, "\n  ", 10) + "\n";
    if (file.recipes_left_out > 0)
        m += "\nLe fichier contient " + std::to_string(file.recipes_left_out) +
             " recette(s) de plus, au-delà des " + std::to_string(kMostRecipes) +
             " premières, qui ne sont pas lues.\n";
    return m;
}

std::string foreign_recipe_label(const ForeignFile& content, size_t index)
{
    const std::string name = index < content.recipes.size() ? recipe_text(content.recipes[index].name) : "";
    return name.empty() ? "Recette n° " + std::to_string(index + 1)
                        : bounded_display_text(name, kMaxNameCharacters);
}

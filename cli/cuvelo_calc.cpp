// cli/cuvelo_calc.cpp — cuvelo-calc: reads a recipe file, evaluates it and prints its estimates, headless.
#include "calc/breakdown.h"
#include "calc/evaluate.h"
#include "calc/format.h"
#include "calc/plain_number.h"
#include "calc/scale.h"
#include "calc/targets.h"
#include "calc/water_text.h"
#include "core/brewing_units.h"
#include "core/data_folders.h"
#include "core/picture.h"
#include "core/system_reason.h"
#include "core/text.h"
#include "core/workspace.h"
#include "recipe/formats/beerjson_write.h"
#include "recipe/formats/beerxml_write.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/recipe_format.h"
#include "recipe/list_edit.h"
#include "refdata/configuration.h"
#include "refdata/ingredients.h"
#include "refdata/styles.h"
#include "report/brew_sheet.h"
#include "report/html_report.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

static const char kUsage[] =
    "Usage : cuvelo-calc [--bases DIR] [--tsv] [--explain] [--merge-sort] [--save OUT.cvl] "
    "[--report OUT.html] RECIPE.cvl\n"
    "        cuvelo-calc [options] [--recipe N] [--list] [--export-beerxml OUT.xml] RECETTE.xml\n"
    "        cuvelo-calc [options] [--export-beerjson OUT.json] RECETTE.json\n"
    "Calcule les estimations d'une recette CUVELO (.cvl), BeerXML (.xml) ou BeerJSON (.json), reconnue à son "
    "contenu, et les "
    "affiche.\n"
    "  --bases DIR        dossier de configuration.txt (par défaut ./bases, sinon\n"
    "                     ~/.local/share/cuvelo/bases)\n"
    "  --tsv              une estimation par ligne : clé, tabulation, valeur\n"
    "  --explain          ajoute la part de chaque ligne (densité, couleur, amertume)\n"
    "                     et les réglages utilisés\n"
    "  --merge-sort       regroupe les ingrédients identiques et trie la recette\n"
    "  --save OUT.cvl     enregistre la recette telle qu'elle est après le calcul\n"
    "  --report OUT.html  écrit le rapport HTML de la recette (sans navigateur)\n"
    "  --brew-sheet OUT.html  écrit la feuille de brassage imprimable de la recette\n"
    "  --export-beerxml OUT.xml  écrit la recette au format BeerXML 1.0\n"
    "  --export-beerjson OUT.json  écrit la recette au format BeerJSON 1.0\n"
    "  --recipe N         prend la N-ième recette d'un fichier BeerXML (1 par défaut)\n"
    "  --list             affiche le numéro et le nom de chaque recette du fichier\n"
    "  --scale-volume L   adapte toutes les quantités à un volume final de L litres\n"
    "                     (de 0.5 à 10000) ; impossible, rien ne change et le statut vaut 2\n"
    "  --target LISTE     ajuste les quantités pour viser une densité (og=1055), une\n"
    "                     couleur (ebc=20) et une amertume (ibu=35), toutes ou certaines ;\n"
    "                     hors d'atteinte, rien ne change et le statut vaut 3 ;\n"
    "                     ph=5.4 dose l'acide (ou le malt acide) de l'empâtage\n"
    "  --target-water NOM dose les sels de l'empâtage pour approcher le profil d'eau NOM\n"
    "  --help             affiche cette aide\n"
    "  --                 fin des options (pour une recette dont le nom commence par -)\n";

// Exit statuses: 0 done, 1 the recipe, the report or the results could not be written, 2 a usage or input
// error, a volume the recipe cannot be brought to included, 3 a target out of reach (nothing changed,
// nothing written).
enum { EXIT_DONE = 0, EXIT_NOT_SAVED = 1, EXIT_USAGE = 2, EXIT_OUT_OF_REACH = 3 };

struct Options {
    std::string bases; // "" when not given: found as the desktop program finds it
    bool tsv = false;
    bool explain = false;
    bool merge_sort = false;
    bool help = false;
    std::string save_path;
    std::string report_path;
    std::string brew_sheet_path;
    std::string beerxml_path;
    std::string beerjson_path;
    std::string recipe_number = "1";
    bool list = false;
    std::string recipe_path;
    std::string scale_volume; // litres, "" when not asked
    std::string targets;      // "og=…,ebc=…,ibu=…", "" when not asked
    std::string target_ph;    // the mash pH asked by "--target ph=…", "" when not asked
    std::string target_water; // the name of a bundled water profile, "" when not asked
};

// Takes the "ph=…" item out of a --target list, whose other items the density, colour and bitterness
// solver reads; gives its value ("" when there is none).
static std::string take_ph_target(std::string& list)
{
    std::string rest, ph;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string item = list.substr(start, end - start);
        const size_t blank = item.find_first_not_of(' ');
        if (blank != std::string::npos &&
            (item.compare(blank, 3, "ph=") == 0 || item.compare(blank, 3, "PH=") == 0))
            ph = item.substr(blank + 3);
        else if (!item.empty())
            rest += (rest.empty() ? "" : ",") + item;
        start = end + 1;
    }
    list = rest;
    return ph;
}

static int usage_error(const std::string& message)
{
    std::fprintf(stderr, "cuvelo-calc : %s (voir cuvelo-calc --help)\n", message.c_str());
    return EXIT_USAGE;
}

// Fills `options` from the command line; gives EXIT_DONE, or EXIT_USAGE once the error is printed.
static int parse_arguments(int argc, char** argv, Options& options)
{
    bool have_recipe = false;
    bool options_ended = false; // after "--", a name that starts with "-" is a file name
    for (int i = 1; i < argc; i++) {
        const std::string argument = argv[i];
        std::string* value = nullptr;
        const bool option = !options_ended && !argument.empty() && argument[0] == '-';
        if (option && argument == "--") {
            options_ended = true;
        } else if (option && argument == "--help") {
            options.help = true;
            return EXIT_DONE;
        } else if (option && argument == "--tsv") {
            options.tsv = true;
        } else if (option && argument == "--explain") {
            options.explain = true;
        } else if (option && argument == "--merge-sort") {
            options.merge_sort = true;
        } else if (option && argument == "--bases") {
            value = &options.bases;
        } else if (option && argument == "--save") {
            value = &options.save_path;
        } else if (option && argument == "--report") {
            value = &options.report_path;
        } else if (option && argument == "--brew-sheet") {
            value = &options.brew_sheet_path;
        } else if (option && argument == "--export-beerxml") {
            value = &options.beerxml_path;
        } else if (option && argument == "--export-beerjson") {
            value = &options.beerjson_path;
        } else if (option && argument == "--recipe") {
            value = &options.recipe_number;
        } else if (option && argument == "--list") {
            options.list = true;
        } else if (option && argument == "--scale-volume") {
            value = &options.scale_volume;
        } else if (option && argument == "--target") {
            value = &options.targets;
        } else if (option && argument == "--target-water") {
            value = &options.target_water;
        } else if (option) {
            return usage_error("option inconnue : " + argument);
        } else if (have_recipe) {
            return usage_error("un seul fichier recette est attendu, « " + argument + " » est de trop");
        } else {
            options.recipe_path = argument;
            have_recipe = true;
        }
        if (value) {
            if (i + 1 >= argc || std::string(argv[i + 1]).empty())
                return usage_error("l'option " + argument + " attend une valeur");
            *value = argv[++i];
        }
    }
    if (!have_recipe)
        return usage_error("aucun fichier recette indiqué");
    const std::string& n = options.recipe_number;
    if (n.find_first_not_of("0123456789") != std::string::npos || n.size() > 6 || std::atoi(n.c_str()) < 1)
        return usage_error("--recipe attend un numéro de recette à partir de 1, pas « " + n + " »");
    std::string why;
    Targets targets;
    options.target_ph = take_ph_target(options.targets);
    double ph = 0;
    if (!options.target_ph.empty() && (!read_plain_number(options.target_ph, &ph) || !(ph > 3.5 && ph < 7.5)))
        return usage_error("--target ph= attend un pH entre 3.5 et 7.5, pas « " + options.target_ph + " »");
    if (!options.targets.empty() && !parse_targets(options.targets, targets, &why))
        return usage_error(why);
    if (!options.scale_volume.empty()) {
        double litres = 0;
        const std::string given = "pas « " + options.scale_volume + " »";
        if (!read_plain_number(options.scale_volume, &litres))
            return usage_error("--scale-volume attend un nombre décimal de litres (point ou virgule), " +
                               given);
        if (!(litres >= kSmallestScaledVolume && litres <= kLargestScaledVolume))
            return usage_error("--scale-volume attend un volume entre " +
                               format_decimals(kSmallestScaledVolume, 2) + " et " +
                               format_decimals(kLargestScaledVolume, 2) + " litres, " + given);
    }
    return EXIT_DONE;
}

// The tab-separated estimates, in a fixed order, for scripts.
static void print_tsv()
{
    const Estimates& e = ws.estimates;
    const double cost = recipe_cost_on_screen();
    const BrewDay day = brew_day_on_screen();
    const struct {
        const char* key;
        double value;
    } rows[] = {
        {"final_volume", e.final_volume},
        {"mash_water", e.mash_water},
        {"rinse_water", e.rinse_water},
        {"malt_kg", e.malt_kg},
        {"hop_kg", e.hop_kg},
        {"initial_density", e.initial_density},
        {"final_density", e.final_density},
        {"alcohol", e.alcohol},
        {"colour_ebc", e.colour_ebc},
        {"bitterness_ibu", e.bitterness_ibu},
        {"cost", cost},
        {"sugar_per_litre", e.sugar_per_litre},
        {"extract_per_litre", e.extract_per_litre},
        // brew day
        {"strike_litres", day.mash.strike_litres},
        {"strike_temperature", day.mash.strike_temperature},
        {"pre_boil_litres", day.volumes.pre_boil_litres},
        {"pre_boil_density", day.volumes.pre_boil_density},
        {"post_boil_litres", day.volumes.post_boil_litres},
        {"fermenter_litres", day.volumes.fermenter_litres},
        // The water and the mash pH: 0 when there is no grain or no water of known profile.
        {"mash_ph", e.mash_ph},
        {"mash_ca", e.mash_ions.ca},
        {"mash_mg", e.mash_ions.mg},
        {"mash_na", e.mash_ions.na},
        {"mash_so4", e.mash_ions.so4},
        {"mash_cl", e.mash_ions.cl},
        {"mash_hco3", e.mash_ions.hco3},
        {"so4_cl_ratio", e.so4_cl_ratio},
        {"residual_alkalinity", e.residual_alkalinity},
    };
    for (const auto& row : rows)
        std::printf("%s\t%s\n", row.key, format_decimals(row.value, 2).c_str());
}

// Each line's share of the density points, the colour and the bitterness shown, then the settings used.
static void print_breakdown()
{
    const ForcedVolume forced{ws.volume_forced == 1, ws.forced_volume};
    const Breakdown b = breakdown(&ws.lines[1], ws.line_count, settings_on_screen(), forced);
    auto f2 = [](double x) { return format_decimals(x, 2); };
    for (size_t k = 0; k < b.lines.size(); k++) {
        const BreakdownLine& l = b.lines[k];
        std::printf("%zu\t%s\t%s\t%s\t%s\n", k + 1, l.designation.c_str(), f2(l.gravity).c_str(),
                    f2(l.colour).c_str(), f2(l.ibu).c_str());
    }
    for (const BreakdownSetting& s : b.settings)
        std::printf("%s\t%s\n", s.key, f2(s.value).c_str());
    std::printf("colour_model\t%s\n", b.colour_model == ColourModel::morey ? "morey" : "linear");
    std::printf("colour_scale_base\t%s\n", f2(b.colour_base).c_str());
    for (const std::string& text :
         water_breakdown_lines(water_chemistry_on_screen(), &ws.lines[1], static_cast<size_t>(ws.line_count)))
        std::printf("%s\n", text.c_str());
}

// A short French summary, with the units the main window shows.
static void print_summary(const std::string& priming)
{
    const Estimates& e = ws.estimates;
    auto f2 = [](double x) { return format_decimals(x, 2); };
    std::printf("Recette : %s\n", ws.title.empty() ? ws.file_name.c_str() : ws.title.c_str());
    std::printf("Style : %s\n", ws.style.name.c_str());
    std::printf("Volume final : %s L%s\n", f2(e.final_volume).c_str(),
                ws.volume_forced == 1 ? " (forcé)" : "");
    std::printf("Eau d'empâtage : %s L\n", f2(e.mash_water).c_str());
    std::printf("Eau de rinçage : %s L\n", f2(e.rinse_water).c_str());
    if (e.top_up_water > 0)
        std::printf("Eau d'appoint (au fermenteur) : %s L\n", f2(e.top_up_water).c_str());
    std::printf("Malt : %s KG\n", f2(e.malt_kg).c_str());
    std::printf("Houblon : %s G\n", f2(grams_of_kg(e.hop_kg)).c_str());
    std::printf("Densité initiale : %s\n", f2(e.initial_density).c_str());
    std::printf("Densité finale : %s\n", f2(e.final_density).c_str());
    std::printf("Alcool : %s %%Vol.\n", f2(e.alcohol).c_str());
    std::printf("Couleur : %s EBC\n", f2(e.colour_ebc).c_str());
    std::printf("Amertume : %s IBU\n", f2(e.bitterness_ibu).c_str());
    std::printf("Coût : %s\n", f2(recipe_cost_on_screen()).c_str());
    for (const std::string& text : water_summary_lines(e))
        std::printf("%s\n", text.c_str());
    const std::string measured = measured_ph_text(ws.plan.measured_ph, e);
    if (!measured.empty())
        std::printf("%s\n", measured.c_str());
    // The priming message separates its lines with lone CRs, made for a dialog; a terminal wants LFs.
    std::string lines = priming;
    for (char& c : lines)
        if (c == '\r')
            c = '\n';
    std::printf("Pour une carbonatation de %s :\n%s\n", ws.carbonation.c_str(), lines.c_str());
}

// Another program's file: lists its recipes, or makes the chosen one the recipe, its account on stderr.
static int open_foreign(const Options& options, const OpenedFile& file)
{
    const ForeignFile& content = file.foreign;
    if (!file.read) {
        std::fprintf(stderr, "cuvelo-calc : impossible de lire « %s » : %s\n", options.recipe_path.c_str(),
                     file.why.c_str());
        return EXIT_USAGE;
    }
    if (content.refused) {
        std::fprintf(stderr, "cuvelo-calc : %s : %s\n", options.recipe_path.c_str(), content.refusal.c_str());
        return EXIT_USAGE;
    }
    if (options.list) {
        for (size_t i = 0; i < content.recipes.size(); i++)
            std::printf("%zu\t%s\n", i + 1, foreign_recipe_label(content, i).c_str());
        if (content.recipes_left_out > 0)
            std::fprintf(stderr,
                         "cuvelo-calc : %s : %zu recette(s) de plus, au-delà des %zu premières, non lue(s)\n",
                         options.recipe_path.c_str(), content.recipes_left_out, kMostRecipes);
        return EXIT_DONE;
    }
    const size_t number = static_cast<size_t>(std::atoi(options.recipe_number.c_str()));
    if (number > content.recipes.size()) {
        std::fprintf(stderr, "cuvelo-calc : « %s » ne contient que %zu recette(s)\n",
                     options.recipe_path.c_str(), content.recipes.size());
        return EXIT_USAGE;
    }
    const ImportedRecipe recipe = import_foreign_recipe(content.recipes[number - 1], reference_data());
    open_imported_recipe(recipe);
    evaluate_recipe();
    std::fprintf(
        stderr, "%s",
        import_message(recipe, content, ws.estimates, 100 * settings_on_screen().efficiency).c_str());
    return EXIT_DONE;
}

// Scales the recipe, then solves it for the targets: EXIT_DONE, or with the reason on stderr EXIT_USAGE when
// the recipe cannot be scaled and EXIT_OUT_OF_REACH when a target is out of reach (the recipe then stays as
// it was read).
static int work_backwards(const Options& options)
{
    const Recipe as_read = recipe_on_screen();
    RecipeChange change;
    if (!options.scale_volume.empty()) {
        double litres = 0;
        read_plain_number(options.scale_volume, &litres);
        evaluate_recipe();
        change = scale_to_volume(recipe_on_screen(), settings_on_screen(), litres);
        if (!change.done) {
            std::fprintf(stderr, "cuvelo-calc : %s\n", change.message.c_str());
            return EXIT_USAGE;
        }
    }
    if (!options.targets.empty()) {
        Targets targets;
        parse_targets(options.targets, targets, nullptr);
        const Recipe recipe = change.done ? change.recipe : recipe_on_screen();
        change = solve_targets(recipe, settings_on_screen(), targets, ingredient_database());
        if (!change.done) {
            std::string message = change.message;
            for (char& c : message)
                if (c == '\r')
                    c = ' ';
            std::fprintf(stderr, "cuvelo-calc : %s\n", message.c_str());
            return EXIT_OUT_OF_REACH;
        }
    }
    apply_recipe_change(change);
    // The water first, since its salts move the pH that the acid then sets.
    if (!options.target_water.empty() || !options.target_ph.empty()) {
        evaluate_recipe();
        for (int step = 0; step < 2; step++) {
            RecipeChange water;
            if (step == 0 && !options.target_water.empty())
                water = water_profile_change_on_screen(options.target_water);
            else if (step == 1 && !options.target_ph.empty())
                water = mash_ph_change_on_screen(text_to_number(options.target_ph));
            else
                continue;
            if (!water.done) {
                put_recipe_on_screen(as_read);
                std::fprintf(stderr, "cuvelo-calc : %s\n", water.message.c_str());
                return EXIT_OUT_OF_REACH;
            }
            apply_whole_recipe_change(water);
            evaluate_recipe();
            std::fprintf(stderr, "cuvelo-calc : %s\n", water.message.c_str());
        }
    }
    return EXIT_DONE;
}

static int run(int argc, char** argv)
{
    Options options;
    int status = parse_arguments(argc, argv, options);
    if (status != EXIT_DONE)
        return status;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return EXIT_DONE;
    }

    reset_workspace();
    set_picture_decoding(false); // nothing is shown: a picture named by a recipe is never read
    if (options.bases.empty()) {
        const DataSearch data = set_up_data_folders();
        if (!data.found)
            std::fprintf(stderr, "cuvelo-calc : %s\n", data_not_found_message(data).c_str());
    } else {
        DataFolders folders = data_folders();
        folders.bases = options.bases;
        use_data_folders(folders);
    }
    const std::string configuration_warning = load_configuration();
    load_styles();
    set_recipe_start_values();
    std::string why;
    OpenedFile file = open_any_recipe_file(options.recipe_path, recipe_fields_on_screen());
    if (file.format != RecipeFormat::cvl) {
        // An imported line takes its picture and price from the database entry of the same name, as in the
        // window: without the database the cost would differ from the one the window shows.
        load_ingredients();
        status = open_foreign(options, file);
        if (status != EXIT_DONE || options.list)
            return status;
    } else if (!file.read) {
        std::fprintf(stderr, "cuvelo-calc : impossible de lire la recette « %s » : %s\n",
                     options.recipe_path.c_str(), file.why.c_str());
        return EXIT_USAGE;
    } else {
        put_file_recipe_on_screen(std::move(file.recipe), options.recipe_path);
        if (options.list) {
            std::printf("1\t%s\n", ws.title.c_str());
            return EXIT_DONE;
        }
        if (options.recipe_number != "1") {
            std::fprintf(stderr, "cuvelo-calc : « %s » ne contient qu'une recette\n",
                         options.recipe_path.c_str());
            return EXIT_USAGE;
        }
    }
    // Not an error (the program itself runs without it), but every estimate then ignores the losses.
    if (!configuration_warning.empty())
        std::fprintf(stderr, "cuvelo-calc : %s\n", configuration_warning.c_str());

    if (options.merge_sort)
        merge_and_sort();
    // A target out of reach may name a grain of the database to add.
    if ((!options.targets.empty() || !options.target_ph.empty()) && ws.ingredient_count == 0)
        load_ingredients();
    status = work_backwards(options);
    evaluate_recipe();
    const std::string priming = priming_text_on_screen();

    // A recipe that did not reach what was asked is not written as if it had.
    const bool write = status == EXIT_DONE;
    if (write && !options.save_path.empty() && !save_recipe(options.save_path, &why)) {
        std::fprintf(stderr, "cuvelo-calc : impossible d'enregistrer la recette « %s » : %s\n",
                     options.save_path.c_str(), why.c_str());
        status = EXIT_NOT_SAVED;
    }
    if (write && !options.beerxml_path.empty()) {
        std::vector<std::string> clamped;
        std::string why;
        if (!export_beerxml(options.beerxml_path, recipe_report_on_screen(), &clamped, &why)) {
            std::fprintf(stderr, "cuvelo-calc : impossible d'écrire « %s » : %s\n",
                         options.beerxml_path.c_str(), why.c_str());
            status = EXIT_NOT_SAVED;
        }
        for (const std::string& note : clamped)
            std::fprintf(stderr, "cuvelo-calc : BeerXML : %s\n", note.c_str());
    }
    if (write && !options.beerjson_path.empty()) {
        std::string why;
        if (!export_beerjson(options.beerjson_path, recipe_report_on_screen(), &why)) {
            std::fprintf(stderr, "cuvelo-calc : impossible d'écrire « %s » : %s\n",
                         options.beerjson_path.c_str(), why.c_str());
            status = EXIT_NOT_SAVED;
        }
    }
    if (write && !options.report_path.empty()) {
        ws.file_base_name =
            path_base_name(ws.file_name); // the page names the recipe file as the window title does
        if (!write_html_report_file(options.report_path, recipe_report_on_screen(), &why)) {
            std::fprintf(stderr, "cuvelo-calc : impossible d'écrire le rapport « %s » : %s\n",
                         options.report_path.c_str(), why.c_str());
            status = EXIT_NOT_SAVED;
        }
    }
    if (write && !options.brew_sheet_path.empty()) {
        if (!write_brew_sheet_file(options.brew_sheet_path, recipe_report_on_screen(), &why)) {
            std::fprintf(stderr, "cuvelo-calc : impossible d'écrire la feuille de brassage « %s » : %s\n",
                         options.brew_sheet_path.c_str(), why.c_str());
            status = EXIT_NOT_SAVED;
        }
    }

    if (options.tsv)
        print_tsv();
    else
        print_summary(priming);
    if (options.explain)
        print_breakdown();
    return status;
}

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    int status = run(argc, argv);
    // Output that never reached its file (a full disk, a closed pipe) is a failure, not a success.
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    const int error = errno;
    if (std::fclose(stdout) != 0 || !flushed) {
        std::fprintf(stderr, "cuvelo-calc : impossible d'écrire les résultats : %s\n",
                     system_reason(flushed ? errno : error).c_str());
        if (status == EXIT_DONE)
            status = EXIT_NOT_SAVED;
    }
    return status;
}

// calc/targets.cpp — the targets as the brewer writes them, and why one is out of reach, in French.
#include "calc/targets.h"

#include "calc/grain_kind.h"
#include "calc/plain_number.h"
#include "core/text.h"

#include <cmath>

namespace
{

std::string f2(double x)
{
    return format_decimals(x, 2);
}

std::string label(Aim which, double value)
{
    switch (which) {
    case Aim::density:
        return "Densité initiale " + f2(value);
    case Aim::colour:
        return "Couleur " + f2(value) + " EBC";
    default:
        return "Amertume " + f2(value) + " IBU";
    }
}

std::string reason_text(const Miss& m)
{
    const bool hops = m.which == Aim::bitterness;
    const std::string line = "« " + m.line + " »";
    switch (m.reason) {
    case MissReason::no_fermentable:
        return "la recette n'a ni grain à l'empâtage ni sucre ou extrait à l'ébullition";
    case MissReason::water_drunk:
        return hops ? "plus de houblon boirait l'eau de la recette"
                    : "plus de grain boirait l'eau de la recette";
    case MissReason::lighter_than_water:
        return "un moût est plus dense que l'eau";
    case MissReason::least_weighable:
        return hops ? "même avec le moins de houblon que l'on puisse peser, l'amertume reste plus haute"
                    : "même avec le moins de grain que l'on puisse peser, la densité reste plus haute";
    case MissReason::no_darker_grain:
        return "aucun grain de l'empâtage n'est plus foncé que les autres";
    case MissReason::density_not_held:
        return "la densité ne se tient pas en changeant " + (m.line.empty() ? "le grain" : line);
    case MissReason::usual_shares:
        return "les grains plus foncés de la recette ont déjà leur part habituelle de l'empâtage (" +
               f2(100 * usual_share(GrainKind::crystal)) + " % de " + kind_name(GrainKind::crystal) + ", " +
               f2(100 * usual_share(GrainKind::roasted)) + " % de " + kind_name(GrainKind::roasted) + ")";
    case MissReason::darker_alone:
        return "même les grains les plus foncés seuls, dont " + line + ", ne donnent pas plus";
    case MissReason::lighter_alone:
        return "les autres grains donnent déjà cette couleur, même presque sans " + line;
    case MissReason::no_hop:
        return "la recette n'a pas de houblon qui donne de l'amertume";
    case MissReason::weighed_to_nothing:
        return line + " ne pèserait plus rien une fois arrondi";
    default:
        return "les pesées ne tombent pas assez juste";
    }
}

Aim aim_named(const std::string& name, bool* known)
{
    *known = true;
    if (name == "OG")
        return Aim::density;
    if (name == "EBC")
        return Aim::colour;
    *known = name == "IBU";
    return Aim::bitterness;
}

// The items of a list: a semicolon always ends one, a comma only when a name follows it (a comma between
// digits is a decimal comma).
std::vector<std::string> target_items(const std::string& text)
{
    std::vector<std::string> items(1);
    for (size_t i = 0; i < text.size(); i++) {
        const char c = text[i];
        const size_t next = text.find_first_not_of(' ', i + 1);
        const bool name_follows = next == std::string::npos || !(text[next] >= '0' && text[next] <= '9');
        if (c == ';' || (c == ',' && name_follows))
            items.emplace_back();
        else
            items.back() += c;
    }
    return items;
}

} // namespace

std::string miss_text(const Miss& miss)
{
    std::string text = label(miss.which, miss.target) + " hors d'atteinte : " + reason_text(miss);
    if (!miss.to_add.empty())
        text += " ; ajoutez par exemple « " + miss.to_add + " »";
    return text + ".\rValeur la plus proche possible : " + f2(miss.nearest) + ".";
}

std::string target_value_problem(Aim which, double value)
{
    if (!std::isfinite(value))
        return "ce n'est pas un nombre";
    switch (which) {
    case Aim::density:
        if (value <= 0)
            return "une densité initiale n'est jamais négative ni nulle : écrivez-la 1055 ou 1.055";
        if (value < 900 || value > 2000)
            return "une densité initiale s'écrit 1055 ou 1.055, pas " + f2(value);
        return "";
    case Aim::colour:
        if (value < 0)
            return "une couleur n'est jamais négative";
        if (value > 10000)
            return "aucune bière n'atteint " + f2(value) +
                   " EBC (les grains les plus foncés font environ 1500 EBC)";
        return "";
    default:
        if (value < 0)
            return "une amertume n'est jamais négative";
        if (value > 9999)
            return "l'amertume ne s'estime pas au-delà de 9999 IBU";
        return "";
    }
}

double density_thousandths(double value)
{
    return value > 0 && value < 2 ? value * 1000 : value;
}

bool parse_targets(const std::string& text, Targets& targets, std::string* why)
{
    Targets read;
    for (const std::string& raw : target_items(text)) {
        const size_t first = raw.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        const std::string item = raw.substr(first, raw.find_last_not_of(' ') - first + 1);
        const size_t equals = item.find('=');
        std::string name = upper_ascii(item.substr(0, equals));
        name.erase(name.find_last_not_of(' ') + 1);
        bool known = false;
        const Aim which = aim_named(name, &known);
        if (!known) {
            if (why)
                *why = "cible inconnue « " + item + " » : og, ebc ou ibu";
            return false;
        }
        double value = 0;
        if (equals == std::string::npos || !read_plain_number(item.substr(equals + 1), &value)) {
            if (why)
                *why = "la cible « " + item + " » attend un nombre décimal (point ou virgule), par exemple " +
                       (which == Aim::density  ? "og=1055"
                        : which == Aim::colour ? "ebc=20"
                                               : "ibu=35");
            return false;
        }
        if (which == Aim::density)
            value = density_thousandths(value);
        const std::string problem = target_value_problem(which, value);
        if (!problem.empty()) {
            if (why)
                *why = "la cible « " + item + " » ne se vise pas : " + problem;
            return false;
        }
        if (which == Aim::density) {
            read.og_on = true;
            read.og = value;
        } else if (which == Aim::colour) {
            read.ebc_on = true;
            read.ebc = value;
        } else {
            read.ibu_on = true;
            read.ibu = value;
        }
    }
    if (!read.og_on && !read.ebc_on && !read.ibu_on) {
        if (why)
            *why = "aucune cible : og=…, ebc=… ou ibu=…";
        return false;
    }
    targets = read;
    return true;
}

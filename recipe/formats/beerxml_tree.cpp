// recipe/formats/beerxml_tree.cpp — the text is fed to GMarkup in pieces that each start at a "<RECIPE" tag.
// When GMarkup stops on an error, the recipe it was in keeps what was read and reading starts again, with a
// new context, at the next piece: each piece is fed at most twice, so the whole read stays linear. Only
// recipes are kept as trees, one at a time, within the caps of the header; the rest of the file is only
// counted.
#include "recipe/formats/beerxml_tree.h"

#include "recipe/formats/beerxml_text.h"

#include <glib.h>

#include <algorithm>
#include <cstring>

const char* const kRecordTags[kRecordKinds] = {"HOP", "FERMENTABLE", "YEAST", "MISC", "WATER", "MASH_STEP"};
const char* const kCensusTags[kCensusKinds] = {"HOP",   "FERMENTABLE", "YEAST",     "MISC",
                                               "WATER", "STYLE",       "EQUIPMENT", "MASH"};

namespace
{

// GMarkup keeps every open element: nesting this deep is no BeerXML, and reading that part stops.
constexpr int kDeepest = 256;

// What an element inside a recipe is: a record (its RecordKind), a holder of records or fields (a record set,
// or a record read once), or a field, whose text is read and whose nested elements are not.
constexpr int kField = -1;
constexpr int kHolder = -2;

int kind_of(const char* name)
{
    static const struct {
        const char* name;
        int kind;
    } kKnown[] = {{"HOP", kHopRecord},     {"FERMENTABLE", kFermentableRecord},
                  {"YEAST", kYeastRecord}, {"MISC", kMiscRecord},
                  {"WATER", kWaterRecord}, {"MASH_STEP", kMashStepRecord},
                  {"HOPS", kHolder},       {"FERMENTABLES", kHolder},
                  {"YEASTS", kHolder},     {"MISCS", kHolder},
                  {"WATERS", kHolder},     {"MASH_STEPS", kHolder},
                  {"STYLE", kHolder},      {"EQUIPMENT", kHolder},
                  {"MASH", kHolder}};
    // The first letter sets most fields (NAME, AMOUNT, TIME...) apart at once.
    for (const auto& known : kKnown)
        if (known.name[0] == name[0] && std::strcmp(known.name, name) == 0)
            return known.kind;
    return kField;
}

struct Reader {
    explicit Reader(const std::function<void(const RecipeTree&)>& t) : take(t) {}

    const std::function<void(const RecipeTree&)>& take;
    OutsideRecipes outside;
    std::vector<XmlNode> stack; // the recipe being read and its open elements; empty outside recipes
    std::vector<char> holders;  // for each element of `stack`: whether it keeps its child elements
    RecipeTree tree;            // the counts of the recipe being read
    size_t elements = 0;        // elements kept for that recipe
    size_t records[kRecordKinds] = {};
    int skipped = 0; // open elements whose content is not kept
    int depth = 0;   // open elements, the root included
    size_t piece = 0;
    size_t recipe_piece = 0; // the piece where the recipe being read started
    bool too_deep = false;
    bool full = false; // a recipe beyond kMostRecipes starts
};

void count_outside(Reader& r, const char* name)
{
    OutsideRecipes& o = r.outside;
    for (int i = 0; i < kCensusKinds; i++)
        if (std::strcmp(name, kCensusTags[i]) == 0)
            o.counts[i]++;
    if (std::strcmp(name, "F_R_NAME") == 0 || std::strcmp(name, "SELECTIONS") == 0)
        o.beersmith = true;
    // Depth 2: right under the root that normalising adds.
    if (r.depth == 2 && std::strcmp(name, "HTML") == 0)
        o.html = true;
    if (r.depth == 2 && (std::strcmp(name, "BEER_XML") == 0 || std::strcmp(name, "BEERXML") == 0))
        o.draft = true;
}

void stop(GError** error)
{
    g_set_error_literal(error, G_MARKUP_ERROR, G_MARKUP_ERROR_INVALID_CONTENT, "");
}

void start_recipe(Reader& r)
{
    r.stack.push_back(XmlNode{"RECIPE", std::string(), {}});
    r.holders.assign(1, 1);
    r.tree = RecipeTree();
    r.tree.number = r.piece;
    r.elements = 1;
    std::fill(std::begin(r.records), std::end(r.records), 0);
    r.recipe_piece = r.piece;
}

// Keeps an element met inside the recipe: a record within its kind's cap, any element within the recipe's
// cap, and only under an element that keeps its children. False when it is not kept.
bool keep_in_recipe(Reader& r, const char* name)
{
    if (!r.holders.back())
        return false;
    const int kind = kind_of(name);
    if (kind >= 0 && r.records[kind] >= kMostRecords) {
        r.tree.left_out[kind]++;
        return false;
    }
    if (r.elements >= kMostElements) {
        r.tree.elements_left_out++;
        return false;
    }
    if (kind >= 0)
        r.records[kind]++;
    r.elements++;
    r.stack.push_back(XmlNode{name, std::string(), {}});
    r.holders.push_back(kind == kField ? 0 : 1);
    return true;
}

void on_start(GMarkupParseContext*, const gchar* name, const gchar**, const gchar**, gpointer data,
              GError** error)
{
    Reader& r = *static_cast<Reader*>(data);
    if (++r.depth > kDeepest) {
        r.too_deep = true;
        stop(error);
        return;
    }
    if (r.skipped > 0) {
        r.skipped++;
        return;
    }
    const bool recipe = std::strcmp(name, "RECIPE") == 0;
    if (r.stack.empty()) {
        if (!recipe) {
            count_outside(r, name);
        } else if (r.piece > kMostRecipes) {
            r.full = true;
            stop(error);
        } else {
            start_recipe(r);
        }
        return;
    }
    if (recipe) { // a recipe inside the one being read: that one was never closed
        stop(error);
        return;
    }
    if (!keep_in_recipe(r, name))
        r.skipped = 1;
}

void close_top(Reader& r)
{
    XmlNode node = std::move(r.stack.back());
    r.stack.pop_back();
    r.holders.pop_back();
    r.stack.back().children.push_back(std::move(node));
}

// Hands over the recipe being read, its open elements closed, with `error` ("" when it was read whole).
void hand_over(Reader& r, const std::string& error)
{
    while (r.stack.size() > 1)
        close_top(r);
    r.tree.recipe = &r.stack.front();
    r.tree.error = error;
    r.take(r.tree);
    r.stack.clear();
    r.holders.clear();
}

void on_end(GMarkupParseContext*, const gchar*, gpointer data, GError**)
{
    Reader& r = *static_cast<Reader*>(data);
    r.depth--;
    if (r.skipped > 0)
        r.skipped--;
    else if (r.stack.size() > 1)
        close_top(r);
    else if (r.stack.size() == 1)
        hand_over(r, std::string());
}

void on_text(GMarkupParseContext*, const gchar* text, gsize length, gpointer data, GError**)
{
    Reader& r = *static_cast<Reader*>(data);
    // The text of an element that holds others is only the blanks between them.
    if (r.skipped == 0 && !r.stack.empty() && !r.holders.back())
        r.stack.back().text.append(text, length);
}

const GMarkupParser kParser = {on_start, on_end, on_text, nullptr, nullptr};

// Where each recipe starts: the pieces that the text is fed in.
std::vector<size_t> piece_starts(const std::string& text)
{
    std::vector<size_t> starts{0};
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin; end - p > 8; p++) {
        p = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p - 8)));
        if (!p)
            break;
        if (p[1] == 'R' && std::memcmp(p + 1, "RECIPE", 6) == 0 &&
            (p[7] == '>' || p[7] == '/' || g_ascii_isspace(p[7])))
            starts.push_back(static_cast<size_t>(p - begin));
    }
    return starts;
}

class Feeder
{
  public:
    Feeder(const std::string& text, Reader& reader) : text_(text), r_(reader), starts_(piece_starts(text))
    {
        starts_.push_back(text.size());
        lines_.push_back(1);
        for (size_t i = 1; i < starts_.size(); i++)
            lines_.push_back(lines_.back() + static_cast<int>(std::count(text.begin() + starts_[i - 1],
                                                                         text.begin() + starts_[i], '\n')));
    }

    ~Feeder()
    {
        if (context_)
            g_markup_parse_context_free(context_);
    }

    void run()
    {
        const size_t pieces = starts_.size() - 1;
        size_t j = 0;
        open_context(0, false);
        while (j < pieces) {
            if (j > kMostRecipes && r_.stack.empty()) {
                r_.outside.recipes_left_out = pieces - j;
                return;
            }
            r_.piece = j;
            GError* failure = nullptr;
            const bool read =
                g_markup_parse_context_parse(context_, text_.data() + starts_[j],
                                             static_cast<gssize>(starts_[j + 1] - starts_[j]), &failure) &&
                (j + 1 < pieces || g_markup_parse_context_end_parse(context_, &failure));
            g_clear_error(&failure);
            if (read) {
                j++;
                continue;
            }
            if (r_.full) {
                r_.outside.recipes_left_out = pieces - j;
                return;
            }
            j = recover(j);
            if (j < pieces)
                open_context(j, true);
        }
        if (!r_.stack.empty())
            hand_over(r_, "XML abîmé à la fin du fichier");
    }

  private:
    void open_context(size_t piece, bool restart)
    {
        if (context_)
            g_markup_parse_context_free(context_);
        context_ = g_markup_parse_context_new(&kParser, G_MARKUP_TREAT_CDATA_AS_TEXT, &r_, nullptr);
        base_line_ = lines_[piece];
        fresh_ = piece;
        r_.stack.clear();
        r_.holders.clear();
        r_.skipped = 0;
        r_.depth = 0;
        r_.too_deep = false;
        if (restart) {
            const std::string root = std::string("<") + kBeerXmlRoot + ">";
            g_markup_parse_context_parse(context_, root.data(), static_cast<gssize>(root.size()), nullptr);
            r_.depth = 1;
        }
    }

    // After an error in piece j: the recipe being read keeps what was read, and the piece to go on with.
    size_t recover(size_t j)
    {
        gint line = 1;
        g_markup_parse_context_get_position(context_, &line, nullptr);
        const std::string error = "XML abîmé ligne " + std::to_string(base_line_ + line - 1) +
                                  (r_.too_deep ? " (plus de 256 niveaux d'éléments)" : "");
        if (!r_.stack.empty()) {
            // A recipe begun in an earlier piece: this piece may well be a whole recipe of its own.
            const size_t next = r_.recipe_piece < j ? j : j + 1;
            hand_over(r_, error);
            return next;
        }
        if (j > 0 && r_.recipe_piece != j && fresh_ != j) {
            // The error may lie in what came before this recipe: it is read once more on its own.
            return j;
        }
        if (j > 0 && r_.recipe_piece != j) {
            RecipeTree unreadable;
            unreadable.number = j;
            unreadable.error = error;
            r_.take(unreadable);
        }
        return j + 1;
    }

    const std::string& text_;
    Reader& r_;
    std::vector<size_t> starts_; // of each piece, then the text's end
    std::vector<int> lines_;     // the line each piece starts on
    GMarkupParseContext* context_ = nullptr;
    int base_line_ = 1;
    size_t fresh_ = 0; // the last piece a new context started with
};

} // namespace

OutsideRecipes read_recipe_trees(const std::string& text, const std::function<void(const RecipeTree&)>& take)
{
    Reader reader(take);
    Feeder(text, reader).run();
    return reader.outside;
}

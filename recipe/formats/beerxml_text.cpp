// recipe/formats/beerxml_text.cpp — the normalising pass before GMarkup: whatever another program wrote, the
// text that comes out is UTF-8 XML with one root and no entity GMarkup does not know. GMarkup reads no DTD,
// so entity expansion and external entities cannot happen however the file was made.
#include "recipe/formats/beerxml_text.h"

#include "core/display_text.h"
#include "core/text.h"

#include <glib.h>

#include <algorithm>
#include <cstring>

namespace
{

// The named entities of HTML that recipe sites leave in their files; 160 to 255 follow Latin-1's order.
const char* const kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
    "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
    "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
    "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
    "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
    "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedCharacter {
    const char* name;
    gunichar code;
};
const NamedCharacter kOtherNames[] = {
    {"OElig", 338},  {"oelig", 339},   {"Scaron", 352},  {"scaron", 353}, {"Yuml", 376},    {"fnof", 402},
    {"circ", 710},   {"tilde", 732},   {"ensp", 8194},   {"emsp", 8195},  {"thinsp", 8201}, {"ndash", 8211},
    {"mdash", 8212}, {"lsquo", 8216},  {"rsquo", 8217},  {"sbquo", 8218}, {"ldquo", 8220},  {"rdquo", 8221},
    {"bdquo", 8222}, {"dagger", 8224}, {"Dagger", 8225}, {"bull", 8226},  {"hellip", 8230}, {"permil", 8240},
    {"prime", 8242}, {"lsaquo", 8249}, {"rsaquo", 8250}, {"euro", 8364},  {"trade", 8482},  {"larr", 8592},
    {"rarr", 8594},  {"minus", 8722},  {"asymp", 8776},  {"ne", 8800},    {"le", 8804},     {"ge", 8805},
    {"alpha", 945},  {"beta", 946},    {"mu", 956},      {"deg", 176}};

void append_unichar(std::string& out, gunichar c)
{
    char buffer[6];
    out.append(buffer, static_cast<size_t>(g_unichar_to_utf8(c, buffer)));
}

gunichar html_entity(const std::string& name)
{
    for (int i = 0; i < 96; i++)
        if (name == kLatin1Names[i])
            return static_cast<gunichar>(160 + i);
    for (const NamedCharacter& named : kOtherNames)
        if (name == named.name)
            return named.code;
    return 0;
}

bool is_xml_entity(const std::string& name)
{
    return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
}

// A character XML 1.0 allows in a document.
bool allowed_character(gunichar c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    if (c >= 0x7F && c <= 0x9F)
        return false;
    return c <= 0xD7FF || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::string lower_ascii(std::string text)
{
    for (char& c : text)
        c = g_ascii_tolower(c);
    return text;
}

// The encoding named by the XML declaration at the start, lower-cased; "" when there is none.
std::string declared_encoding(const std::string& text)
{
    if (text.compare(0, 5, "<?xml") != 0)
        return std::string();
    const size_t end = text.find("?>");
    const std::string declaration = text.substr(0, end == std::string::npos ? 200 : end);
    const size_t key = declaration.find("encoding");
    if (key == std::string::npos)
        return std::string();
    size_t quote = declaration.find_first_of("\"'", key);
    if (quote == std::string::npos)
        return std::string();
    const size_t close = declaration.find(declaration[quote], quote + 1);
    if (close == std::string::npos)
        return std::string();
    return lower_ascii(declaration.substr(quote + 1, close - quote - 1));
}

bool is_utf8_name(const std::string& encoding)
{
    return encoding.empty() || encoding == "utf-8" || encoding == "utf8";
}

// Latin-1 files are Windows-1252 in practice: the quotes and dashes of word processors sit in 0x80-0x9F.
bool is_windows1252_name(const std::string& encoding)
{
    return encoding == "iso-8859-1" || encoding == "iso8859-1" || encoding == "latin1" ||
           encoding == "latin-1" || encoding == "windows-1252" || encoding == "cp1252" ||
           encoding == "us-ascii" || encoding == "ascii";
}

bool has_high_bytes(const std::string& bytes)
{
    for (unsigned char c : bytes)
        if (c >= 0x80)
            return true;
    return false;
}

// Names of Unicode forms that only a byte order mark could make true: without one, such a declaration is
// a writer's mistake (the file would be full of NUL bytes otherwise).
bool is_unicode_name(const std::string& encoding)
{
    for (const char* prefix :
         {"utf-16", "utf16", "utf-32", "utf32", "ucs-2", "ucs2", "ucs-4", "ucs4", "unicode"})
        if (encoding.compare(0, std::strlen(prefix), prefix) == 0)
            return true;
    return false;
}

// Step 2: the text as UTF-8. Valid UTF-8 stays UTF-8 whatever the declaration names: programs declare a
// character set they do not write, and text that happens to be valid UTF-8 in another one is rare. Other
// text is converted from its declared character set when that is neither UTF-8 nor Latin-1 and the
// conversion works; otherwise its valid UTF-8 sequences stay and only the other bytes are read as
// Windows-1252, so a file that mixes the two keeps both.
std::string to_utf8(const std::string& bytes, std::vector<std::string>& steps)
{
    const std::string encoding = declared_encoding(bytes);
    const std::string named = bounded_display_text(encoding, 40);
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr)) {
        if (!is_utf8_name(encoding) && has_high_bytes(bytes))
            steps.push_back("texte lu en UTF-8, malgré la déclaration « " + named + " », car il en est");
        return bytes;
    }
    if (!is_utf8_name(encoding) && !is_windows1252_name(encoding) && !is_unicode_name(encoding) &&
        encoding.size() <= 40) {
        gsize written = 0;
        gchar* converted = g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8",
                                     encoding.c_str(), nullptr, &written, nullptr);
        if (converted) {
            std::string out(converted, written);
            g_free(converted);
            steps.push_back("texte converti de " + named + " en UTF-8");
            return out;
        }
    }
    size_t converted = 0;
    std::string out = utf8_text(bytes, &converted);
    if (is_windows1252_name(encoding))
        steps.push_back(std::to_string(converted) + " octet(s) converti(s) de " + named + " en UTF-8");
    else
        steps.push_back(std::to_string(converted) +
                        " octet(s) invalide(s) en UTF-8 lu(s) comme Windows-1252" +
                        (is_utf8_name(encoding) ? std::string() : " (déclaration « " + named + " »)"));
    return out;
}

// Step 3: control characters other than tab and line ends leave; so do those XML forbids.
std::string drop_control_characters(const std::string& text, std::vector<std::string>& steps)
{
    std::string out;
    out.reserve(text.size());
    size_t dropped = 0;
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); p < end;) {
        // Runs of printable ASCII, most of any file, are copied whole.
        const char* run = p;
        while (run < end && ((*run >= 0x20 && *run < 0x7F) || *run == '\n' || *run == '\t' || *run == '\r'))
            run++;
        if (run > p) {
            out.append(p, static_cast<size_t>(run - p));
            p = run;
            continue;
        }
        if (static_cast<unsigned char>(*p) < 0x80) { // another control character, a NUL too
            dropped++;
            p++;
            continue;
        }
        const gunichar c = g_utf8_get_char(p);
        const char* next = g_utf8_next_char(p);
        if (allowed_character(c))
            out.append(p, static_cast<size_t>(next - p));
        else
            dropped++;
        p = next;
    }
    if (dropped > 0)
        steps.push_back(std::to_string(dropped) + " caractère(s) de contrôle retiré(s)");
    size_t hidden = 0;
    out = without_hidden_characters(out, &hidden);
    if (hidden > 0)
        steps.push_back(std::to_string(hidden) +
                        " caractère(s) invisible(s) ou inversant le sens du texte retiré(s)");
    return out;
}

bool name_start(char c)
{
    return g_ascii_isalpha(c) || c == '_' || c == ':';
}

bool name_char(char c)
{
    return g_ascii_isalnum(c) || c == '_' || c == ':' || c == '-' || c == '.';
}

// The scanner of step 4 onwards: one pass over UTF-8 text, markup kept, the rest made safe for GMarkup.
class Scanner
{
  public:
    Scanner(const std::string& text, NormalisedXml& result) : in_(text), result_(result)
    {
        out_.reserve(text.size() + 64);
        out_.append("<").append(kBeerXmlRoot).append(">");
    }

    void run()
    {
        const size_t size = in_.size();
        while (pos_ < size && !result_.refused) {
            while (pos_ < size && in_[pos_] != '<' && in_[pos_] != '&')
                pos_++;
            if (pos_ < size && in_[pos_] == '<')
                markup();
            else if (pos_ < size)
                entity();
        }
        flush();
    }

    std::string take()
    {
        return std::move(out_);
    }

    size_t html_entities = 0, unknown_entities = 0, bare_ampersands = 0, stray_brackets = 0;
    size_t instructions = 0, doctypes = 0, lower_case_tags = 0, unclosed = 0;

  private:
    bool at(const char* literal) const
    {
        return in_.compare(pos_, std::strlen(literal), literal) == 0;
    }

    // What was read unchanged since the last change is copied in one piece, now.
    void flush()
    {
        out_.append(in_, kept_, pos_ - kept_);
        kept_ = pos_;
    }

    // The input from here to `to` becomes `text`.
    void replace(size_t to, const std::string& text)
    {
        flush();
        out_ += text;
        pos_ = kept_ = to;
    }

    // Kept up to and with `end`; an unterminated construct takes the rest of the file and is closed.
    void keep_through(const char* end)
    {
        const size_t stop = in_.find(end, pos_);
        if (stop == std::string::npos) {
            pos_ = in_.size();
            replace(pos_, end);
            unclosed++;
            return;
        }
        pos_ = stop + std::strlen(end);
    }

    void skip_through(const char* end)
    {
        const size_t stop = in_.find(end, pos_);
        replace(stop == std::string::npos ? in_.size() : stop + std::strlen(end), std::string());
    }

    void markup()
    {
        const char next = pos_ + 1 < in_.size() ? in_[pos_ + 1] : '\0';
        // Tags first: they are nearly all of the markup.
        if (name_start(next) || next == '/') {
            tag();
        } else if (next == '!' && at("<!--")) {
            keep_through("-->");
        } else if (next == '!' && at("<![CDATA[")) {
            keep_through("]]>");
        } else if (next == '?') {
            // The declaration is routine; any other instruction is worth naming.
            if (!at("<?xml ") && !at("<?xml?") && !at("<?xml\t") && !at("<?xml\n") && !at("<?xml\r"))
                instructions++;
            skip_through("?>");
        } else if (next == '!' && (at("<!DOCTYPE") || at("<!doctype"))) {
            doctype();
        } else {
            stray_brackets++;
            replace(pos_ + 1, "&lt;");
        }
    }

    // A DOCTYPE leaves; one with an internal subset that declares entities makes the file refused.
    void doctype()
    {
        size_t p = pos_;
        int depth = 0;
        for (; p < in_.size(); p++) {
            if (in_[p] == '[')
                depth++;
            else if (in_[p] == ']')
                depth--;
            else if (in_[p] == '>' && depth <= 0)
                break;
        }
        const std::string doctype = in_.substr(pos_, p - pos_);
        if (doctype.find("<!ENTITY") != std::string::npos || doctype.find("<!entity") != std::string::npos) {
            result_.refused = true;
            result_.refusal = "ce fichier déclare ses propres entités XML (DOCTYPE), ce qu'aucun fichier "
                              "BeerXML ne fait : il n'est pas lu";
            return;
        }
        doctypes++;
        replace(p < in_.size() ? p + 1 : p, std::string());
    }

    // A start or end tag: its name upper-cased, the rest kept with quoted values whole.
    void tag()
    {
        const size_t size = in_.size();
        const size_t name = pos_ + (in_[pos_ + 1] == '/' ? 2 : 1);
        size_t end = name;
        bool changed = false;
        while (end < size && name_char(in_[end])) {
            changed = changed || g_ascii_islower(in_[end]);
            result_.namespaced = result_.namespaced || in_[end] == ':';
            end++;
        }
        if (changed) {
            lower_case_tags++;
            pos_ = name;
            replace(end, upper_ascii(in_.substr(name, end - name)));
        }
        // The rest of the tag: up to the first ">" outside quotes.
        char quote = 0;
        for (pos_ = end; pos_ < size; pos_++) {
            const char c = in_[pos_];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                pos_++;
                return;
            }
        }
        replace(size, quote ? std::string(1, quote) + ">" : ">");
        unclosed++;
    }

    void entity()
    {
        size_t p = pos_ + 1;
        if (p < in_.size() && in_[p] == '#') {
            numeric_reference();
            return;
        }
        while (p < in_.size() && p - pos_ <= 32 && g_ascii_isalnum(in_[p]))
            p++;
        if (p >= in_.size() || in_[p] != ';' || p == pos_ + 1) {
            bare_ampersands++;
            replace(pos_ + 1, "&amp;");
            return;
        }
        const std::string name = in_.substr(pos_ + 1, p - pos_ - 1);
        if (is_xml_entity(name)) {
            pos_ = p + 1;
        } else if (const gunichar c = html_entity(name)) {
            html_entities++;
            std::string character;
            append_unichar(character, c);
            replace(p + 1, character);
        } else {
            unknown_entities++;
            replace(p + 1, "&amp;" + name + ";");
        }
    }

    // "&#233;" or "&#xE9;" becomes its character; one XML forbids, or no number at all, is text.
    void numeric_reference()
    {
        size_t p = pos_ + 2;
        const bool hex = p < in_.size() && (in_[p] == 'x' || in_[p] == 'X');
        if (hex)
            p++;
        const size_t digits = p;
        guint64 code = 0;
        while (p < in_.size() && p - digits < 8 &&
               (hex ? g_ascii_isxdigit(in_[p]) : g_ascii_isdigit(in_[p]))) {
            code = code * (hex ? 16 : 10) + static_cast<guint64>(g_ascii_xdigit_value(in_[p]));
            p++;
        }
        if (p == digits || p >= in_.size() || in_[p] != ';') {
            bare_ampersands++;
            replace(pos_ + 1, "&amp;");
            return;
        }
        const gunichar c = static_cast<gunichar>(code);
        std::string character;
        if (c == '<')
            character = "&lt;";
        else if (c == '&')
            character = "&amp;";
        else if (allowed_character(c))
            append_unichar(character, c);
        else
            unknown_entities++;
        replace(p + 1, character);
    }

    const std::string& in_;
    NormalisedXml& result_;
    std::string out_;
    size_t pos_ = 0;
    size_t kept_ = 0; // the input from here to pos_ is copied unchanged at the next flush
};

void note(std::vector<std::string>& steps, size_t count, const char* what)
{
    if (count > 0)
        steps.push_back(std::to_string(count) + " " + what);
}

} // namespace

bool looks_like_xml(const std::string& bytes)
{
    size_t p = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (p < bytes.size() && g_ascii_isspace(bytes[p]))
        p++;
    return p < bytes.size() && bytes[p] == '<';
}

NormalisedXml normalise_beerxml(const std::string& bytes)
{
    NormalisedXml result;
    if (bytes.size() > kBeerXmlLargest) {
        result.refused = true;
        result.refusal = "ce fichier dépasse 16 Mo, bien plus que tout fichier de recettes : il n'est pas lu";
        return result;
    }
    std::string text = bytes;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
        result.steps.push_back("marque d'ordre des octets (BOM) retirée");
    } else if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0) {
        const char* from = text[0] == '\xFF' ? "UTF-16LE" : "UTF-16BE";
        gsize written = 0;
        gchar* converted = g_convert(text.data() + 2, static_cast<gssize>(text.size() - 2), "UTF-8", from,
                                     nullptr, &written, nullptr);
        text = converted ? std::string(converted, written) : std::string();
        g_free(converted);
        result.steps.push_back("texte converti de UTF-16 en UTF-8");
        // The declaration still names UTF-16; what follows is UTF-8 now.
        const size_t end = text.compare(0, 5, "<?xml") == 0 ? text.find("?>") : std::string::npos;
        if (end != std::string::npos)
            text.erase(0, end + 2);
    }
    // NUL bytes first: they would make UTF-8 text look like another character set.
    const size_t nuls = static_cast<size_t>(std::count(text.begin(), text.end(), '\0'));
    if (nuls > 0) {
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        result.steps.push_back(std::to_string(nuls) + " octet(s) nul(s) retiré(s)");
    }
    text = to_utf8(text, result.steps);
    text = drop_control_characters(text, result.steps);

    Scanner scanner(text, result);
    scanner.run();
    if (result.refused)
        return result;
    note(result.steps, scanner.instructions, "instruction(s) de traitement retirée(s)");
    note(result.steps, scanner.doctypes, "déclaration DOCTYPE retirée");
    note(result.steps, scanner.html_entities, "entité(s) HTML remplacée(s) par leur caractère");
    note(result.steps, scanner.unknown_entities, "entité(s) inconnue(s) gardée(s) comme texte");
    note(result.steps, scanner.bare_ampersands, "« & » isolé(s) gardé(s) comme texte");
    note(result.steps, scanner.stray_brackets, "« < » isolé(s) gardé(s) comme texte");
    note(result.steps, scanner.lower_case_tags, "balise(s) écrite(s) en minuscules lue(s) en capitales");
    note(result.steps, scanner.unclosed, "balise(s) ou commentaire(s) non fermé(s) à la fin du fichier");
    result.text = scanner.take();
    result.text += std::string("</") + kBeerXmlRoot + ">";
    return result;
}

// bench/beerxml_files.h — BeerXML files made to cost the reader the most time or memory per byte, each of a
// chosen size: the benchmark times them, bench/beerxml_files.cpp writes them for the memory figures.
#pragma once

#include <string>
#include <vector>

struct HostileFile {
    const char* name;
    const char* what;
    std::string head, unit, tail; // the file is head, then unit as many times as fit, then tail
};

inline std::vector<HostileFile> hostile_files()
{
    std::string hops256, hops8;
    for (int i = 0; i < 256; i++)
        hops256 += "<HOP><NAME>a</NAME></HOP>";
    for (int i = 0; i < 8; i++)
        hops8 += "<HOP><NAME>a</NAME></HOP>";
    return {
        {"broken_then_recipes", "one broken tag, then <RECIPE> starts",
         "<RECIPES><RECIPE><NAME>a</NAME><BROKEN x=></RECIPE>\n", "<RECIPE>\n", ""},
        {"unreadable_recipes", "start tags GMarkup refuses", "", "<RECIPE x=1>", ""},
        {"empty_recipes", "<RECIPE/>", "", "<RECIPE/>", ""},
        {"empty_hops", "<HOP/> in one recipe", "<RECIPE>", "<HOP/>", "</RECIPE>"},
        {"named_hops", "recipes of 256 named hops, each with four corrections", "<RECIPES>",
         "<RECIPE>" + hops256 + "</RECIPE>", "</RECIPES>"},
        {"few_hops", "recipes of 8 named hops: as many corrections as they keep", "<RECIPES>",
         "<RECIPE>" + hops8 + "</RECIPE>", "</RECIPES>"},
        {"elements", "<X/> in one recipe", "<RECIPE>", "<X/>", "</RECIPE>"},
        {"nesting", "<A> without end in one recipe", "<RECIPE>", "<A>", "</RECIPE>"},
        {"long_name", "one name", "<RECIPE><NAME>", "x", "</NAME></RECIPE>"},
        {"stray_brackets", "\"<\" that becomes \"&lt;\"", "<RECIPE><NAME>", "<", "</NAME></RECIPE>"},
        {"ampersands", "\"&\" that becomes \"&amp;\"", "<RECIPE><NAME>", "&", "</NAME></RECIPE>"},
        {"attributes", "attributes of one tag", "<RECIPE", " a=\"\"", "/>"},
        {"latin1", "Latin-1 text to convert",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><RECIPE><NOTES>", "Bi\xe8re d'\xe9t\xe9 ",
         "</NOTES></RECIPE>"},
    };
}

// The file of about `bytes` bytes.
inline std::string hostile_file(const HostileFile& f, size_t bytes)
{
    std::string file = f.head;
    const size_t room = bytes > f.head.size() + f.tail.size() ? bytes - f.head.size() - f.tail.size() : 0;
    file.reserve(bytes);
    for (size_t i = 0; i < room / f.unit.size(); i++)
        file += f.unit;
    return file + f.tail;
}

// recipe/formats/beerxml_text.h — turns the bytes of a BeerXML file as other programs write it into text
// GMarkup reads.
#pragma once

#include <string>
#include <vector>

constexpr size_t kBeerXmlLargest = 16 * 1024 * 1024;

// The tag that wraps the whole normalised text, since real files hold several top-level records.
constexpr const char* kBeerXmlRoot = "CUVELO_BEERXML";

struct NormalisedXml {
    bool refused = false;
    std::string refusal;            // French, set when refused
    std::string text;               // UTF-8, one root, upper-case tag names, known entities only
    std::vector<std::string> steps; // French, one per step that changed something
    bool namespaced = false;        // a tag name holds a prefix (the 1.1/2 drafts)
};

// The normalising pass: size limit, BOM, character set, control and hidden characters, declaration,
// processing instructions and DOCTYPE (refused when it declares entities), HTML entities, stray "<" and "&",
// tag case, one root. Each step that changed something is named in `steps`.
NormalisedXml normalise_beerxml(const std::string& bytes);

// True when the first byte after a BOM and blanks is "<": the content decides, not the extension.
bool looks_like_xml(const std::string& bytes);

// calc/priming.h — sugar or malt extract per litre for the wanted carbonation.
#pragma once

#include <string>

// Sets sugar_per_litre and extract_per_litre from the carbonation and gives the message
// (lines separated by a lone CR), or "Impossible !".
std::string priming_text();

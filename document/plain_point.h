// The fast way through a numeric wave's points as Save writes them: "<Point>", "<T>" number
// "</T>", "<Y>" number "</Y>", "</Point>", with nothing but text without tags between the tags.
// Such a point is read in one pass, to the same values the general element search would give;
// anything else (attributes, other elements, another order, a text wave's "<S>") is left to that
// search.
#pragma once

#include <cstddef>

// Reads the point that starts at text (after text without tags, if any). Returns the characters
// read, up to just past "</Point>", or 0 when the point is not laid out plainly; t and y are then
// untouched. The text is NUL-terminated; reading stops at the NUL.
std::size_t ReadPlainPoint(const char16_t* text, double& t, double& y);

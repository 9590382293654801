#pragma once

#include <string_view>

class TElement;

// A new element of the kind that the named command component inserts ("Anweisung",
// "BIfAnweisung2", ...), with its text for a new element; null for any other name.
TElement* NewElementFor(std::string_view component);

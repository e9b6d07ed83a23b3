#pragma once

#include "io/DotLexer.h"

#include <string>
#include <string_view>

// The name a label gives a node or a cluster. A plain label's escapes are
// read: \n, \l and \r (line ends) are removed, \N stands for the ID, and any
// other \x gives x. An HTML label gives its text without the tags (a <br>
// is a blank), entities decoded, runs of blanks folded into one and none at
// either end. Empty when nothing is left.
std::string labelName(DotText label, std::string_view id);

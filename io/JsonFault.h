#pragma once

#include <string>
#include <string_view>

// The reason in a JSON parser's message, "[json.exception.parse_error.101]
// parse error at line 1, column 2: syntax error while parsing value - ...;
// last read: '...'": the part after the place (which our errors give as
// line and column themselves), with the token read last shortened.
std::string jsonFaultReason(std::string_view message, std::string_view lastRead);

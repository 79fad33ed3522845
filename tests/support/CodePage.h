#pragma once

#include <string>

// UTF-8 text as code page 932 bytes, converted by the system, so that
// expected texts do not depend on the library's own byte tables.
std::string Cp932(const char* utf8);

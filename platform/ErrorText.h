#pragma once

#include <string>

// An errno value in words, as the system says it ("No space left on device"); empty for 0.
// The one place in the platform layer where an error number becomes text.
std::string errorInWords(int errorNumber);

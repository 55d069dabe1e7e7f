// The normalisation driver: one fixed road from written text to spoken text.
#pragma once

#include <string>
#include <string_view>

#include "options.h"
#include "result.h"

namespace kalvesta::pipeline {

Result<std::string> normalize_with(std::string_view text, std::string_view language,
                                   const Options& options);

}  // namespace kalvesta::pipeline

#include "shared.h"
namespace kalvesta::shared {
const regex::Regex* shared_pattern(std::string_view) { return nullptr; }
std::optional<std::string> shared_spoken(std::string_view, std::string_view, std::string_view) { return std::nullopt; }
std::string normalize_measurements(std::string_view text, std::string_view) { return std::string(text); }
}  // namespace kalvesta::shared

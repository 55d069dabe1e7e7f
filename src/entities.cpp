#include "entities.h"
namespace kalvesta::entities {
std::string_view tag_text(EntityKind) { return "URL"; }
EntityKind entity_kind_from_tag(std::string_view) { return EntityKind::URL; }
std::string placeholder(const Entity&) { return {}; }
Extraction extract_gated(std::string_view text, const Options&) { return {std::string(text), {}}; }
Extraction extract(std::string_view text) { return {std::string(text), {}}; }
std::string restore_gated(std::string_view text, const std::vector<Entity>&, std::string_view, const Options&) { return std::string(text); }
std::string convert_to_spoken(const Entity& e, std::string_view) { return e.text; }
Result<std::string> speak_entity(EntityKind, std::string_view text, std::string_view) { return Result<std::string>::ok(std::string(text)); }
std::string squash_spaces(std::string_view text) { return std::string(text); }
std::string spoken_url(std::string_view text, std::string_view) { return std::string(text); }
std::string spoken_email(std::string_view text, std::string_view) { return std::string(text); }
}  // namespace kalvesta::entities

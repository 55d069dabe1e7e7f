// Entities: extraction into placeholders, restoration as spoken text, and
// the spellers of each kind.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "result.h"

namespace kalvesta::entities {

// Each kind's tag, pattern, speller and option key stand in one row (entities.cpp).
enum class EntityKind : std::uint8_t {
  URL, EMAIL, PHONE, VERSION, CURRENCY, DATE, TIME, TEMPERATURE,
  ADDRESS_SLASH, FRACTION, X_KALI, IC, HARI_BULAN, HIJRI,
};

std::string_view tag_text(EntityKind kind);
EntityKind entity_kind_from_tag(std::string_view tag);  // unknown -> URL

struct Entity {
  std::string text;
  std::uint64_t id = 0;
  EntityKind kind = EntityKind::URL;
  // When the match swallowed placeholders that extraction itself had put
  // there (an e-mail address inside a web address): the match as the caller
  // wrote it, read at restoration instead of `text`. Empty otherwise.
  std::string written = {};
};

struct Extraction {
  std::string text;               // with placeholders
  std::vector<Entity> entities;   // extraction order
};

// "<<<" tag "_" id ">>>"
std::string placeholder(const Entity& entity);
// Whether `text` is the placeholder of one of `entities` (in extraction
// order, so their ids rise).
bool is_placeholder_of(std::string_view text, const std::vector<Entity>& entities);

// With `fresh_ids`, ids that placeholder-shaped text of the caller's already
// uses are skipped, so that no placeholder of ours equals caller text.
Extraction extract_gated(std::string_view text, const Options& options, bool fresh_ids = false);
Extraction extract(std::string_view text);
std::string restore_gated(std::string_view text, const std::vector<Entity>& entities,
                          std::string_view lang, const Options& options);
// The same for a text handed over, kept as it is when nothing is cut or restored.
Extraction extract_gated(std::string&& text, const Options& options, bool fresh_ids = false);
std::string restore_gated(std::string&& text, const std::vector<Entity>& entities, std::string_view lang,
                          const Options& options);

// The restoration walk with the replacement supplied by the caller: entities
// from the last to the first, each replacing the first occurrence of its
// placeholder still in the text. `replacement` is asked only for entities
// whose placeholder is found, in that order.
std::string restore_with(std::string_view text, const std::vector<Entity>& entities,
                         const std::function<std::string(const Entity&)>& replacement);

std::string convert_to_spoken(const Entity& entity, std::string_view lang);
Result<std::string> speak_entity(EntityKind kind, std::string_view text, std::string_view language);
std::string squash_spaces(std::string_view text);
std::string spoken_url(std::string_view text, std::string_view lang);
std::string spoken_email(std::string_view text, std::string_view lang);

// The kind spellers; `lang` is a normalised registered code.
std::string spoken_date(std::string_view text, std::string_view lang);
std::string spoken_time(std::string_view text, std::string_view lang);
std::string spoken_currency(std::string_view text, std::string_view lang);
std::string spoken_version(std::string_view text, std::string_view lang);
std::string spoken_address_slash(std::string_view text, std::string_view lang);
// PHONE and IC: every ASCII digit as the pack's word, nothing else.
std::string spoken_digits(std::string_view text, std::string_view lang);

// For tests: whether a kind's quick check lets the text through to the
// kind's pattern, and whether that pattern finds a match in it; where the
// kind tries its pattern (nothing: everywhere), and every place a match of
// the pattern can start; whether an amount may carry a scale suffix.
namespace detail {
bool may_hold(EntityKind kind, std::string_view text);
bool pattern_finds(EntityKind kind, std::string_view text);
std::optional<std::vector<std::size_t>> match_starts(EntityKind kind, std::string_view text);
std::vector<std::size_t> pattern_starts(EntityKind kind, std::string_view text);
bool may_hold_scale(std::string_view text);
// Extraction that finds the digit runs again after every cut.
Extraction extract_rescanning(std::string_view text);
}  // namespace detail

}  // namespace kalvesta::entities

#include "pron.h"
namespace kalvesta {
std::vector<PronunciationPair> Options::resolve_pronunciations(std::string_view) const { return {}; }
}
namespace kalvesta::pron {
std::vector<PronunciationPair> builtin_for(std::string_view) { return {}; }
std::string apply(std::string_view text, const std::vector<PronunciationPair>&) { return std::string(text); }
}  // namespace kalvesta::pron

#include "regex.h"
#include "result.h"
namespace kalvesta::regex {
struct Regex::Impl {};
bool Captures::matched(std::size_t) const { return false; }
std::string_view Captures::group(std::size_t) const { return {}; }
std::size_t Captures::start(std::size_t) const { return 0; }
std::size_t Captures::end(std::size_t) const { return 0; }
bool Captures::matched(std::string_view) const { return false; }
std::string_view Captures::group(std::string_view) const { return {}; }
Regex::Regex(std::string_view pattern) : pattern_(pattern) {}
Regex::~Regex() = default;
std::unique_ptr<Regex> Regex::try_compile(std::string_view pattern) { return std::make_unique<Regex>(pattern); }
std::size_t Regex::group_count() const { return 0; }
int Regex::group_index(std::string_view) const { return -1; }
bool Regex::is_match(std::string_view) const { return false; }
bool Regex::find_at(std::string_view, std::size_t, Captures&) const { return false; }
std::optional<Captures> Regex::captures(std::string_view) const { return std::nullopt; }
std::string Regex::replace_all_template(std::string_view text, std::string_view) const { return std::string(text); }
void Regex::expand(const Captures&, std::string_view, std::string&) const {}
std::string escape(std::string_view text) { return std::string(text); }
namespace detail { std::size_t char_len_at(std::string_view, std::size_t) { return 1; } }
}  // namespace kalvesta::regex

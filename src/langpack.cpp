#include "langpack.h"
#include "result.h"
namespace kalvesta::langpack {
std::string LanguagePack::speak_digit(char32_t) const { return {}; }
bool is_supported(std::string_view code) { return code == "ms" || code == "en" || code == "id" || code == "zh" || code == "zh_my"; }
const LanguagePack* try_get_pack(std::string_view) { return nullptr; }
const LanguagePack& get_pack(std::string_view code) { throw InternalFailure("unsupported language: " + std::string(code)); }
std::vector<std::string> supported_languages() { return {"en", "id", "ms", "zh", "zh_my"}; }
}  // namespace kalvesta::langpack

// The splitter on any text with both separators: no crash, no empty token from
// blanks alone on the command line, and never more tokens than characters.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto words = TraiteCommande(text, " ");
  if (words.size() > size) std::abort();
  for (const std::string& w : words)
    if (w.empty() || w.find(' ') != std::string::npos) std::abort();
  const auto fields = TraiteCommande(text, ",");
  if (fields.size() > size) std::abort();
  for (const std::string& f : fields)
    if (f.find(',') != std::string::npos) std::abort();
  return 0;
}

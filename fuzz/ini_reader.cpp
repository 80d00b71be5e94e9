// Arbitrary bytes as an INI file, then a read and a write on it. Beyond not
// crashing, the document must give back the bytes it was read from (whatever
// its line ends: LF, CRLF, lone CR), a value written must read back, also
// after the written file is parsed again, a write to the section with the
// empty name never makes a "[]" header, and a default comes back as a part
// of itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_parse.h"
#include "quillon/ascii.h"

using quillon::profile::CleanDefault;
using quillon::profile::CleanValue;
using quillon::profile::IniDocument;
using quillon::profile::IsWritable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(24);
  const std::string key = input.ConsumeRandomLengthString(24);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  IniDocument doc(bytes);
  if (doc.Serialize() != bytes) std::abort();
  (void)doc.Find(section, key);
  const std::string_view def = CleanDefault(value);
  const bool allSpaces = !value.empty() && value.find_first_not_of(' ') == std::string::npos;
  if (def.size() > value.size() || (allSpaces && def != " ")) std::abort();
  const auto headers = [](const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = text.find("[]"); at != std::string::npos; at = text.find("[]", at + 1)) ++n;
    return n;
  };
  const bool emptySection = quillon::ascii::TrimBlanks(section).empty();

  if (!IsWritable(section, key, value)) return 0;
  doc.Set(section, key, value);
  const std::string_view expected = CleanValue(value);
  if (doc.Find(section, key) != expected) std::abort();
  const IniDocument again(doc.Serialize());
  if (again.Find(section, key) != expected) std::abort();
  if (emptySection && headers(doc.Serialize()) > headers(bytes) + headers(key) + headers(value)) std::abort();
  return 0;
}

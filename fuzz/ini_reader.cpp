// Arbitrary bytes as an INI file, then a read and a write on it. Beyond not
// crashing, the document must give back the bytes it was read from, and a
// value written must read back, also after the written file is parsed again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_parse.h"

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

  if (!IsWritable(section, key, value)) return 0;
  doc.Set(section, key, value);
  const std::string_view expected = CleanValue(value);
  if (doc.Find(section, key) != expected) std::abort();
  const IniDocument again(doc.Serialize());
  if (again.Find(section, key) != expected) std::abort();
  return 0;
}

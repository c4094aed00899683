// conflang.sys: the start-up's language choice from the file's content (the marker between
// the first two '$' of the first 50 characters).
#include "common/cp1252.h"
#include "fuzzsupport.h"
#include "lang/languages.h"

using namespace orvex;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString content = fromCp1252(fuzz::inputBytes(data, size));
  const StartupLanguage choice = chooseStartupLanguage(true, content);
  const Language* language = languageForMarker(choice.marker);
  expect(language && language->base == choice.base, "the choice is always one of the five");
  expect(choice.matched || choice.rewriteFile, "an unknown marker gets the file rewritten");
  // What the start-up writes back must be read as the same language next time.
  const StartupLanguage again = chooseStartupLanguage(true, languageFileContent(choice.marker));
  expect(again.matched && again.marker == choice.marker, "the rewritten file is sound");
  return 0;
}

// textos.sys: each language block of the file as LoadTexts reads it (the item reader with
// quotes, commas and every kind of line end), the first whole block spread over the tables
// and captions, and the message for a block that is too short.
#include "common/cp1252.h"
#include "fuzzsupport.h"
#include "lang/languages.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"

#include <tuple>
#include <utility>

using namespace orvex;
using fuzz::expect;

namespace {

const QString kProgramDir = QStringLiteral("/orvex/");

void checkBlock(const TextBlock& block, int base) {
  if (block.status != TextBlock::Status::Ok) {
    expect(block.items.isEmpty() && block.itemsFound < block.itemsNeeded,
           "a short block keeps no items and counts fewer than it needs");
    textBlockFailurePrompt(block, base);
    return;
  }
  expect(block.items.size() == kItemsUsedPerBlock, "a whole block has 268 items");
  expect(block.extra.size() < qsizetype(std::tuple_size_v<decltype(TextTables::extra)>),
         "the extra items fit their table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString content = fromCp1252(fuzz::inputBytes(data, size));
  bool distributed = false;
  for (const Language& language : languages()) {
    const TextBlock block = parseTextBlock(content, language.base, kProgramDir + "textos.sys");
    checkBlock(block, language.base);
    if (block.status == TextBlock::Status::Ok && !std::exchange(distributed, true))
      distributeTextItems(block.items, block.extra, kProgramDir);
  }
  return 0;
}

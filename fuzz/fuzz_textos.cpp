// textos.sys: each language block of the file as LoadTexts reads it from the program folder
// (the size limit, a missing and an unreadable file: fuzzsupport.h, placeInputFile; the item
// reader with quotes, commas and every kind of line end), the first whole block spread over
// the tables and captions, and the message for a block that cannot be read.
#include "common/textfile.h"
#include "fuzzsupport.h"
#include "lang/languages.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"

#include <tuple>
#include <utility>

using namespace orvex;
using fuzz::expect;
using fuzz::FileShape;

namespace {

TextBlock::Status expectedFailure(FileShape shape) {
  switch (shape) {
    case FileShape::Missing: return TextBlock::Status::Missing;
    case FileShape::Unreadable: return TextBlock::Status::Unreadable;
    default: return TextBlock::Status::TooLarge;
  }
}

void checkBlock(const TextBlock& block, int base, FileShape shape) {
  expect(block.path.endsWith("textos.sys"), "the block names its file");
  if (fuzz::cannotBeRead(shape))
    expect(block.status == expectedFailure(shape), "a file that cannot be read is told as such");
  if (block.status == TextBlock::Status::TooLarge)
    expect(block.size > kTextTableLimit, "too large means past the limit");
  if (block.status == TextBlock::Status::Unreadable)
    expect(!block.error.isEmpty(), "unreadable says the system's reason");
  if (block.status == TextBlock::Status::TooShort)
    expect(block.items.isEmpty() && block.itemsFound < block.itemsNeeded,
           "a short block keeps no items and counts fewer than it needs");
  if (block.status != TextBlock::Status::Ok) {
    expect(textBlockFailurePrompt(block, base).contains("textos.sys"), "the message names it");
    return;
  }
  expect(block.items.size() == kItemsUsedPerBlock, "a whole block has 268 items");
  expect(block.extra.size() < qsizetype(std::tuple_size_v<decltype(TextTables::extra)>),
         "the extra items fit their table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString& dir = fuzz::scratchDir();
  const FileShape shape =
      fuzz::placeInputFile(dir + "textos.sys", fuzz::inputBytes(data, size), kTextTableLimit);
  bool distributed = false;
  for (const Language& language : languages()) {
    const TextBlock block = readTextBlock(dir, language.base);
    checkBlock(block, language.base, shape);
    if (block.status == TextBlock::Status::Ok && !std::exchange(distributed, true))
      distributeTextItems(block.items, block.extra, dir);
    if (shape == FileShape::AtLimit) break;  // a whole MiB: one language is enough
  }
  return 0;
}

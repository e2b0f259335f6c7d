// Feeds arbitrary text to the store's parser and checks what it makes of it: a store it
// accepts is written out in a form that reads back the same, and a text it refuses leaves
// nothing behind. With a first byte of 0x01 the rest is a list of changes instead, each a
// key, a name and a text separated by 0x00 bytes: the tree they make is written out, read
// back, and must hold the last text set for every key and name, whatever their case.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/errors.h"
#include "runtime/key_store.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "store fuzzer: %s\n", what);
    std::abort();
  }
}

// The levels of a key path as the store sees it: empty levels dropped, letters folded.
std::string ModelKey(std::string_view key, int& depth) {
  std::string out;
  depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= key.size(); ++i) {
    if (i < key.size() && key[i] != '\\') continue;
    if (i > start) {
      if (!out.empty()) out += '\\';
      out += tk::FoldCase(key.substr(start, i - start));
      ++depth;
    }
    start = i + 1;
  }
  return out;
}

void ParseText(std::string_view input) {
  tk::StoreTree tree;
  if (!tk::StoreTree::Parse(input, tree)) {
    Check(tree.empty(), "a refused text left keys behind");
    return;
  }
  const std::string text = tree.Serialize();
  // Each key line makes at most as many keys as it has levels.
  Check(text.size() <= (tk::StoreTree::kMaxKeyDepth + 1) * (input.size() + 16),
        "the written store grew out of proportion");
  tk::StoreTree again;
  Check(tk::StoreTree::Parse(text, again), "a store that was read cannot be read once written");
  Check(again.Serialize() == text, "a store read back is not the one written");
}

void ApplyChanges(std::string_view input) {
  std::vector<std::string_view> fields;
  for (size_t start = 0; start <= input.size() && fields.size() < 3000;) {
    size_t end = input.find('\0', start);
    if (end == std::string_view::npos) end = input.size();
    fields.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  tk::StoreTree tree;
  std::map<std::pair<std::string, std::string>, std::string> model;  // by folded key, name
  int deepest = 0;
  for (size_t i = 0; i + 2 < fields.size(); i += 3) {
    int depth = 0;
    const std::string key = ModelKey(fields[i], depth);
    try {
      tree.SetValue(fields[i], fields[i + 1], fields[i + 2]);
    } catch (const tk::RuntimeError& e) {
      Check(key.empty() && e.number() == tk::kInvalidProcedureCall, "a value refused");
      continue;
    }
    Check(!key.empty(), "a value set at the root");
    deepest = std::max(deepest, depth);
    model[{key, tk::FoldCase(fields[i + 1])}] = std::string(fields[i + 2]);
  }
  const std::string text = tree.Serialize();
  tk::StoreTree again;
  const bool read = tk::StoreTree::Parse(text, again);
  Check(read == (deepest <= tk::StoreTree::kMaxKeyDepth), "the depth limit misjudged");
  if (!read) return;
  Check(again == tree, "a written store reads back different");
  for (const auto& [at, data] : model)
    Check(again.GetValue(at.first, at.second) == data, "a value was lost or changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (!input.empty() && input[0] == '\x01')
    ApplyChanges(input.substr(1));
  else
    ParseText(input);
  return 0;
}

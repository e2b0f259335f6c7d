// The store's tree of keys and values, and its text form.
#include <algorithm>
#include <unordered_map>

#include "runtime/errors.h"
#include "runtime/key_store.h"

namespace tk {
namespace {

constexpr std::string_view kHeader = "toolkit-store 1";

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool Unescape(std::string_view s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == s.size()) return false;
    switch (s[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return parts;
    start = tab + 1;
  }
}

}  // namespace

std::string FoldCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string StoreTree::Normalize(std::string_view key) {
  // Collapse repeated separators and drop them at the ends.
  std::string out;
  for (char c : key) {
    if (c == '\\') {
      if (!out.empty() && out.back() != '\\') out += c;
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::optional<std::string> StoreTree::GetValue(std::string_view key, std::string_view name) const {
  auto it = keys_.find(FoldCase(Normalize(key)));
  if (it == keys_.end()) return std::nullopt;
  const std::string folded = FoldCase(name);
  for (const auto& v : it->second.values)
    if (FoldCase(v.name) == folded) return v.data;
  return std::nullopt;
}

bool StoreTree::KeyExists(std::string_view key) const {
  return keys_.count(FoldCase(Normalize(key))) != 0;
}

std::vector<std::string> StoreTree::SubKeys(std::string_view key) const {
  const std::string prefix = FoldCase(Normalize(key)) + "\\";
  std::vector<std::string> out;
  for (const auto& [folded, k] : keys_) {
    if (folded.compare(0, prefix.size(), prefix) != 0) continue;
    if (folded.find('\\', prefix.size()) != std::string::npos) continue;
    out.push_back(k.path.substr(prefix.size()));
  }
  return out;
}

std::vector<StoreTree::Value> StoreTree::Values(std::string_view key) const {
  auto it = keys_.find(FoldCase(Normalize(key)));
  return it == keys_.end() ? std::vector<Value>{} : it->second.values;
}

void StoreTree::CreateKey(std::string_view key) {
  const std::string path = Normalize(key);
  // Every level above the key exists too, as in a registry.
  for (size_t pos = 0;;) {
    size_t sep = path.find('\\', pos);
    std::string level = path.substr(0, sep);
    if (!level.empty()) keys_.try_emplace(FoldCase(level), Key{level, {}});
    if (sep == std::string::npos) break;
    pos = sep + 1;
  }
}

void StoreTree::SetValue(std::string_view key, std::string_view name, std::string_view data) {
  const std::string path = Normalize(key);
  // The root holds keys only: a value there could not be written out.
  if (path.empty()) Raise(kInvalidProcedureCall, "Invalid procedure call or argument: no key");
  CreateKey(path);
  auto& values = keys_.at(FoldCase(path)).values;
  const std::string folded = FoldCase(name);
  for (auto& v : values) {
    if (FoldCase(v.name) == folded) {
      v.data = std::string(data);
      return;
    }
  }
  values.push_back({std::string(name), std::string(data)});
}

bool StoreTree::DeleteValue(std::string_view key, std::string_view name) {
  auto it = keys_.find(FoldCase(Normalize(key)));
  if (it == keys_.end()) return false;
  auto& values = it->second.values;
  const std::string folded = FoldCase(name);
  for (auto v = values.begin(); v != values.end(); ++v) {
    if (FoldCase(v->name) == folded) {
      values.erase(v);
      return true;
    }
  }
  return false;
}

bool StoreTree::DeleteTree(std::string_view key) {
  const std::string folded = FoldCase(Normalize(key));
  if (folded.empty()) return false;
  bool any = keys_.erase(folded) != 0;
  const std::string prefix = folded + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
    it = keys_.erase(it);
    any = true;
  }
  return any;
}

bool StoreTree::operator==(const StoreTree& other) const {
  return Serialize() == other.Serialize();
}

std::string StoreTree::Serialize() const {
  // A key without values is left out when the next key written lies below it and starts
  // with its path as spelled: reading that line makes it again, spelled the same. So a
  // store read from a text whose keys come without their parents is written back no
  // longer than it was read.
  std::vector<const Key*> written;
  written.reserve(keys_.size());
  for (auto it = keys_.rbegin(); it != keys_.rend(); ++it) {
    const Key& k = it->second;
    const std::string* next = written.empty() ? nullptr : &written.back()->path;
    const bool implied = k.values.empty() && next && next->size() > k.path.size() &&
                         (*next)[k.path.size()] == '\\' &&
                         next->compare(0, k.path.size(), k.path) == 0;
    if (!implied) written.push_back(&k);
  }
  std::string out(kHeader);
  out += '\n';
  size_t lines = 0;
  for (auto it = written.rbegin(); it != written.rend(); ++it) {
    const Key& k = **it;
    out += "K\t" + Escape(k.path) + "\n";
    ++lines;
    for (const auto& v : k.values) {
      out += "V\t" + Escape(v.name) + "\t" + Escape(v.data) + "\n";
      ++lines;
    }
  }
  out += "E\t" + std::to_string(lines) + "\n";
  return out;
}

bool StoreTree::Parse(std::string_view text, StoreTree& out) {
  out = StoreTree();
  StoreTree tree;  // handed out only when the whole text is good
  if (text.empty() || text.back() != '\n') return false;  // every line ends with a newline
  size_t pos = 0;
  const auto next_line = [&] {
    const size_t nl = text.find('\n', pos);
    const std::string_view line = text.substr(pos, nl - pos);
    pos = nl + 1;
    return line;
  };
  if (next_line() != kHeader) return false;
  // The values read so far of each key, by folded name: a name met again replaces its
  // value, in time that does not grow with the number of values or the key's length.
  Key* current = nullptr;
  std::unordered_map<const Key*, std::unordered_map<std::string, size_t>> names;
  size_t records = 0;
  std::string a, b;
  while (pos < text.size()) {
    const std::string_view line = next_line();
    const auto parts = SplitTabs(line);
    if (pos == text.size()) {  // the last line closes the store with the number of records
      if (parts.size() != 2 || parts[0] != "E" || parts[1] != std::to_string(records)) return false;
      out = std::move(tree);
      return true;
    }
    if (parts[0] == "K" && parts.size() == 2) {
      if (!Unescape(parts[1], a) || a.empty() || Normalize(a) != a) return false;
      if (std::count(a.begin(), a.end(), '\\') >= kMaxKeyDepth) return false;
      tree.CreateKey(a);
      current = &tree.keys_.at(FoldCase(a));
    } else if (parts[0] == "V" && parts.size() == 3 && current) {
      if (!Unescape(parts[1], a) || !Unescape(parts[2], b)) return false;
      auto [at, fresh] = names[current].try_emplace(FoldCase(a), current->values.size());
      if (fresh)
        current->values.push_back({a, b});
      else
        current->values[at->second].data = b;
    } else {
      return false;
    }
    ++records;
  }
  return false;  // the header alone
}

}  // namespace tk

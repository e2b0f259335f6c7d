// The byte form of a type library: "KTLB", a format version, then every field in order,
// integers little-endian, strings and lists prefixed by their 32-bit length.
#include <cstring>

#include "com/type_library.h"

namespace com::typelib {

namespace {

constexpr char kMagic[4] = {'K', 'T', 'L', 'B'};
constexpr std::uint16_t kFormat = 1;

class Writer {
 public:
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) {
    for (int i = 0; i < 2; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Str(const std::string& s) {
    U32(static_cast<std::uint32_t>(s.size()));
    out_.insert(out_.end(), s.begin(), s.end());
  }
  void Guid(const GUID& g) {
    const auto b = ToBytes(g);
    out_.insert(out_.end(), b.begin(), b.end());
  }
  void Type(const TypeRef& t) {
    U16(t.vt);
    Str(t.name);
  }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

// Every read checks the bytes left; after the first failure every read fails.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
  bool ok() const { return ok_; }
  bool at_end() const { return pos_ == in_.size(); }

  std::uint8_t U8() {
    if (!Need(1)) return 0;
    return in_[pos_++];
  }
  std::uint16_t U16() {
    std::uint16_t v = U8();
    return static_cast<std::uint16_t>(v | U8() << 8);
  }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(U8()) << (8 * i);
    return v;
  }
  std::string Str() {
    const std::uint32_t n = U32();
    if (!Need(n)) return {};
    std::string s(reinterpret_cast<const char*>(in_.data() + pos_), n);
    pos_ += n;
    return s;
  }
  GUID Guid() {
    if (!Need(16)) return {};
    GUID g = FromBytes(in_.data() + pos_);
    pos_ += 16;
    return g;
  }
  TypeRef Type() {
    TypeRef t;
    t.vt = U16();
    t.name = Str();
    return t;
  }
  // A list length, refused when the bytes left cannot hold that many items.
  std::uint32_t Count(size_t min_item_size) {
    const std::uint32_t n = U32();
    if (ok_ && n > (in_.size() - pos_) / min_item_size) ok_ = false;
    return ok_ ? n : 0;
  }
  void Fail() { ok_ = false; }

 private:
  bool Need(size_t n) {
    if (!ok_ || in_.size() - pos_ < n) ok_ = false;
    return ok_;
  }
  std::span<const std::uint8_t> in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

template <class E>
bool ReadEnum(Reader& r, E& out, std::uint8_t last) {
  const std::uint8_t v = r.U8();
  if (v > last) {
    r.Fail();
    return false;
  }
  out = static_cast<E>(v);
  return true;
}

}  // namespace

const TypeInfo* Library::Find(std::string_view type_name) const {
  for (const TypeInfo& t : types)
    if (t.name == type_name) return &t;
  return nullptr;
}

std::vector<std::uint8_t> Serialize(const Library& lib) {
  Writer w;
  for (char c : kMagic) w.U8(static_cast<std::uint8_t>(c));
  w.U16(kFormat);
  w.Str(lib.name);
  w.Guid(lib.libid);
  w.U16(lib.major);
  w.U16(lib.minor);
  w.U32(lib.lcid);
  w.U8(static_cast<std::uint8_t>(lib.syskind));
  w.U16(lib.flags);
  w.Str(lib.help);
  w.Str(lib.help_file);
  w.U32(lib.help_context);
  w.U32(static_cast<std::uint32_t>(lib.imports.size()));
  for (const ImportedLib& i : lib.imports) {
    w.Str(i.name);
    w.Guid(i.libid);
    w.U16(i.major);
    w.U16(i.minor);
  }
  w.U32(static_cast<std::uint32_t>(lib.types.size()));
  for (const TypeInfo& t : lib.types) {
    w.U8(static_cast<std::uint8_t>(t.kind));
    w.Str(t.name);
    w.Guid(t.guid);
    w.U16(t.major);
    w.U16(t.minor);
    w.U16(t.flags);
    w.Str(t.help);
    w.Str(t.base);
    w.U32(t.size);
    w.U32(static_cast<std::uint32_t>(t.funcs.size()));
    for (const Func& f : t.funcs) {
      w.U32(static_cast<std::uint32_t>(f.id));
      w.U8(static_cast<std::uint8_t>(f.kind));
      w.Str(f.name);
      w.Type(f.result);
      w.U16(f.flags);
      w.U32(static_cast<std::uint32_t>(f.params.size()));
      for (const Param& p : f.params) {
        w.Str(p.name);
        w.Type(p.type);
        w.U16(p.flags);
      }
    }
    w.U32(static_cast<std::uint32_t>(t.vars.size()));
    for (const Var& v : t.vars) {
      w.Str(v.name);
      w.Type(v.type);
      w.U32(static_cast<std::uint32_t>(v.value_or_offset));
    }
    w.U32(static_cast<std::uint32_t>(t.impls.size()));
    for (const ImplType& i : t.impls) {
      w.Str(i.name);
      w.Guid(i.iid);
      w.U16(i.flags);
    }
  }
  return w.Take();
}

std::optional<Library> Deserialize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), kMagic, 4) != 0) return std::nullopt;
  Reader r(bytes.subspan(4));
  if (r.U16() != kFormat) return std::nullopt;
  Library lib;
  lib.name = r.Str();
  lib.libid = r.Guid();
  lib.major = r.U16();
  lib.minor = r.U16();
  lib.lcid = r.U32();
  ReadEnum(r, lib.syskind, static_cast<std::uint8_t>(SysKind::Sys64));
  lib.flags = r.U16();
  lib.help = r.Str();
  lib.help_file = r.Str();
  lib.help_context = r.U32();
  for (std::uint32_t n = r.Count(24); n-- && r.ok();) {
    ImportedLib i;
    i.name = r.Str();
    i.libid = r.Guid();
    i.major = r.U16();
    i.minor = r.U16();
    lib.imports.push_back(std::move(i));
  }
  for (std::uint32_t n = r.Count(40); n-- && r.ok();) {
    TypeInfo t;
    ReadEnum(r, t.kind, static_cast<std::uint8_t>(TypeKind::Alias));
    t.name = r.Str();
    t.guid = r.Guid();
    t.major = r.U16();
    t.minor = r.U16();
    t.flags = r.U16();
    t.help = r.Str();
    t.base = r.Str();
    t.size = r.U32();
    for (std::uint32_t nf = r.Count(17); nf-- && r.ok();) {
      Func f;
      f.id = static_cast<DISPID>(r.U32());
      const std::uint8_t kind = r.U8();
      if (kind != 1 && kind != 2 && kind != 4 && kind != 8) r.Fail();
      f.kind = static_cast<InvokeKind>(kind);
      f.name = r.Str();
      f.result = r.Type();
      f.flags = r.U16();
      for (std::uint32_t np = r.Count(12); np-- && r.ok();) {
        Param p;
        p.name = r.Str();
        p.type = r.Type();
        p.flags = r.U16();
        f.params.push_back(std::move(p));
      }
      t.funcs.push_back(std::move(f));
    }
    for (std::uint32_t nv = r.Count(14); nv-- && r.ok();) {
      Var v;
      v.name = r.Str();
      v.type = r.Type();
      v.value_or_offset = static_cast<std::int32_t>(r.U32());
      t.vars.push_back(std::move(v));
    }
    for (std::uint32_t ni = r.Count(22); ni-- && r.ok();) {
      ImplType i;
      i.name = r.Str();
      i.iid = r.Guid();
      i.flags = r.U16();
      t.impls.push_back(std::move(i));
    }
    lib.types.push_back(std::move(t));
  }
  if (!r.ok() || !r.at_end()) return std::nullopt;
  return lib;
}

}  // namespace com::typelib

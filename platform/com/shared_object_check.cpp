#include "com/shared_object_check.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/text_file.h"

namespace com {

namespace {

using Ehdr = ElfW(Ehdr);
using Phdr = ElfW(Phdr);
using Shdr = ElfW(Shdr);

struct Identity {
  unsigned char elf_class;
  unsigned char data;  // encoding
  std::uint16_t machine;
};

#if defined(__x86_64__)
constexpr std::uint16_t kBuiltForMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr std::uint16_t kBuiltForMachine = EM_AARCH64;
#else
constexpr std::uint16_t kBuiltForMachine = EM_NONE;  // not compared
#endif

// The identity of the running code: the header of the object this function lies in, as
// the loader mapped it; else what this code was built for.
Identity ReadOwnIdentity() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&ReadOwnIdentity), &info) && info.dli_fbase) {
    const auto* own = static_cast<const Ehdr*>(info.dli_fbase);
    if (std::memcmp(own->e_ident, ELFMAG, SELFMAG) == 0)
      return {own->e_ident[EI_CLASS], own->e_ident[EI_DATA], own->e_machine};
  }
  return {sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32,
          __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB, kBuiltForMachine};
}

const Identity& OwnIdentity() {
  static const Identity own = ReadOwnIdentity();
  return own;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads up to `size` bytes at `offset`: how many the file held there.
std::size_t ReadAt(int fd, std::uint64_t offset, void* out, std::size_t size) {
  auto* p = static_cast<char*>(out);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, p + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

// Whether [offset, offset + size) lies within the file, without overflow.
bool Within(std::uint64_t offset, std::uint64_t size, std::uint64_t file_size) {
  return offset <= file_size && size <= file_size - offset;
}

// Whether the bytes of `inner` in the file lie within those of `outer`.
bool Contains(const Phdr& outer, const Phdr& inner) {
  return inner.p_offset >= outer.p_offset &&
         Within(inner.p_offset - outer.p_offset, inner.p_filesz, outer.p_filesz);
}

std::string CutShort(const std::string& what, std::uint64_t offset, std::uint64_t size,
                     std::uint64_t file_size) {
  const std::string end =
      offset > UINT64_MAX - size ? "beyond any file" : "byte " + std::to_string(offset + size);
  return "the file is cut short at byte " + std::to_string(file_size) + ", before the end of " +
         what + " (" + end + ")";
}

std::optional<std::string> HeaderProblem(const Ehdr& h) {
  const Identity& own = OwnIdentity();
  if (own.machine != EM_NONE && h.e_machine != own.machine)
    return "it is built for another machine (" + std::to_string(h.e_machine) +
           "; this program runs on " + std::to_string(own.machine) + ")";
  if (h.e_ident[EI_VERSION] != EV_CURRENT || h.e_version != EV_CURRENT)
    return std::string("its format version is unknown");
  if (h.e_type != ET_DYN)
    return "it is not a shared object (file type " + std::to_string(h.e_type) + ")";
  if (h.e_phnum == 0 || h.e_phentsize != sizeof(Phdr))
    return std::string("it has no program headers of this machine's size");
  if (h.e_shnum != 0 && h.e_shentsize != sizeof(Shdr))
    return std::string("its section headers are not of this machine's size");
  return std::nullopt;
}

std::optional<std::string> SegmentsProblem(const std::vector<Phdr>& segments,
                                           std::uint64_t file_size) {
  bool any_load = false;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Phdr& p = segments[i];
    if (!Within(p.p_offset, p.p_filesz, file_size))
      return CutShort("segment " + std::to_string(i), p.p_offset, p.p_filesz, file_size);
    if (p.p_type == PT_LOAD) {
      any_load = true;
      if (p.p_filesz > p.p_memsz)
        return "segment " + std::to_string(i) + " holds more bytes in the file than in memory";
    }
  }
  if (!any_load) return std::string("it has no segment to load");
  // The loader reads the dynamic section through the mapping of a loaded segment.
  for (const Phdr& d : segments) {
    if (d.p_type != PT_DYNAMIC) continue;
    bool mapped = false;
    for (const Phdr& p : segments) mapped = mapped || (p.p_type == PT_LOAD && Contains(p, d));
    if (!mapped) return std::string("its dynamic section lies outside its loaded segments");
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> SharedObjectProblem(const std::string& file) {
  const Descriptor fd(tk::OpenRegularFile(file));
  if (fd.get() < 0)
    return std::string(errno == EINVAL ? "it is not a regular file" : std::strerror(errno));
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return std::string(std::strerror(errno));
  const auto file_size = static_cast<std::uint64_t>(st.st_size);

  // The identification first: it says how the rest of the header is laid out.
  Ehdr h{};
  const std::size_t got = ReadAt(fd.get(), 0, &h, sizeof h);
  if (got < SELFMAG || std::memcmp(h.e_ident, ELFMAG, SELFMAG) != 0)
    return std::string("it is not a shared object: it has no ELF header");
  if (got < EI_NIDENT) return CutShort("its header", 0, sizeof h, file_size);
  const Identity& own = OwnIdentity();
  if (h.e_ident[EI_CLASS] != own.elf_class || h.e_ident[EI_DATA] != own.data)
    return "it is built for another machine (class " + std::to_string(h.e_ident[EI_CLASS]) +
           ", data encoding " + std::to_string(h.e_ident[EI_DATA]) + "; this program's are " +
           std::to_string(own.elf_class) + " and " + std::to_string(own.data) + ")";
  if (got < sizeof h) return CutShort("its header", 0, sizeof h, file_size);
  if (auto problem = HeaderProblem(h)) return problem;

  const std::uint64_t table = std::uint64_t{h.e_phnum} * sizeof(Phdr);
  if (!Within(h.e_phoff, table, file_size))
    return CutShort("its program headers", h.e_phoff, table, file_size);
  std::vector<Phdr> segments(h.e_phnum);
  if (ReadAt(fd.get(), h.e_phoff, segments.data(), table) < table)
    return CutShort("its program headers", h.e_phoff, table, file_size);
  if (auto problem = SegmentsProblem(segments, file_size)) return problem;

  const std::uint64_t sections = std::uint64_t{h.e_shnum} * sizeof(Shdr);
  if (h.e_shnum != 0 && !Within(h.e_shoff, sections, file_size))
    return CutShort("its section headers", h.e_shoff, sections, file_size);
  return std::nullopt;
}

}  // namespace com

#pragma once

#include <elf.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

// The whole file at path (empty when it cannot be read).
inline std::vector<char> ReadElfImage(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Calls visit(entries, count, strings) for every section of the given type in an ELF64 image: its entries as
// Entry records and the string table it links to.
template <class Entry, class Visit>
void ForEachElfSection(const std::vector<char>& image, uint32_t type, Visit visit)
{
  if (image.size() < sizeof(Elf64_Ehdr))
    return;
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(image.data());
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(image.data() + header->e_shoff);
  for (int i = 0; i < header->e_shnum; ++i)
  {
    if (sections[i].sh_type != type)
      continue;
    const char* strings = image.data() + sections[sections[i].sh_link].sh_offset;
    const auto* entries = reinterpret_cast<const Entry*>(image.data() + sections[i].sh_offset);
    visit(entries, sections[i].sh_size / sizeof(Entry), strings);
  }
}

// The names of the defined, visible symbols in the dynamic symbol table of an ELF shared object.
inline std::set<std::string> ExportedNames(const std::string& path)
{
  std::set<std::string> names;
  ForEachElfSection<Elf64_Sym>(ReadElfImage(path), SHT_DYNSYM,
                               [&names](const Elf64_Sym* symbols, size_t count, const char* strings) {
    for (size_t s = 1; s < count; ++s)
    {
      const bool defined = symbols[s].st_shndx != SHN_UNDEF;
      const bool visible = ELF64_ST_BIND(symbols[s].st_info) != STB_LOCAL && ELF64_ST_VISIBILITY(symbols[s].st_other) == STV_DEFAULT;
      if (defined && visible)
        names.insert(strings + symbols[s].st_name);
    }
  });
  return names;
}

// The libraries an ELF shared object names as needed, and its run paths (DT_RPATH and DT_RUNPATH), in order.
struct ElfDependencies
{
  std::vector<std::string> needed;
  std::vector<std::string> runPaths;
};

inline ElfDependencies DynamicDependencies(const std::string& path)
{
  ElfDependencies dependencies;
  ForEachElfSection<Elf64_Dyn>(ReadElfImage(path), SHT_DYNAMIC,
                               [&dependencies](const Elf64_Dyn* entries, size_t count, const char* strings) {
    for (size_t e = 0; e < count && entries[e].d_tag != DT_NULL; ++e)
    {
      if (entries[e].d_tag == DT_NEEDED)
        dependencies.needed.emplace_back(strings + entries[e].d_un.d_val);
      else if (entries[e].d_tag == DT_RPATH || entries[e].d_tag == DT_RUNPATH)
        dependencies.runPaths.emplace_back(strings + entries[e].d_un.d_val);
    }
  });
  return dependencies;
}

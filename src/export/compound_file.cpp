#include "export/compound_file.h"

#include <cstdint>
#include <vector>

#include "model/values.h"

namespace rb::report {
namespace {

constexpr std::size_t kSector = 512;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kMiniStreamCutoff = 4096;
constexpr std::size_t kHeaderFatEntries = 109;

void put16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}
void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One 128-byte directory entry.
std::string directoryEntry(std::u16string_view name, std::uint8_t type, std::uint32_t child, std::uint32_t start,
                           std::uint32_t size) {
  std::string entry(128, '\0');
  for (std::size_t i = 0; i < name.size(); ++i) put16(entry, 2 * i, static_cast<std::uint16_t>(name[i]));
  put16(entry, 64, static_cast<std::uint16_t>(type == 0 ? 0 : 2 * (name.size() + 1)));
  entry[66] = static_cast<char>(type);
  entry[67] = 1;  // black in the red-black tree
  put32(entry, 68, kNoStream);
  put32(entry, 72, kNoStream);
  put32(entry, 76, child);
  put32(entry, 116, start);
  put32(entry, 120, size);
  return entry;
}

}  // namespace

std::string compoundFileWithStream(std::string_view name, std::string content) {
  if (content.size() < kMiniStreamCutoff) content.resize(kMiniStreamCutoff, '\0');
  const std::size_t streamSectors = (content.size() + kSector - 1) / kSector;
  content.resize(streamSectors * kSector, '\0');
  const std::size_t directorySectors = 1;
  std::size_t fatSectors = 1;
  while (fatSectors * (kSector / 4) < streamSectors + directorySectors + fatSectors) ++fatSectors;
  if (fatSectors > kHeaderFatEntries) throw Error("The workbook is too large to be written as an .xls file.");

  const std::uint32_t directoryStart = static_cast<std::uint32_t>(streamSectors);
  const std::uint32_t fatStart = directoryStart + static_cast<std::uint32_t>(directorySectors);

  std::string header(kSector, '\0');
  const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  for (std::size_t i = 0; i < sizeof signature; ++i) header[i] = static_cast<char>(signature[i]);
  put16(header, 24, 0x003E);  // minor version
  put16(header, 26, 0x0003);  // major version 3: 512-byte sectors
  put16(header, 28, 0xFFFE);  // little-endian
  put16(header, 30, 9);       // sector size 2^9
  put16(header, 32, 6);       // mini sector size 2^6
  put32(header, 44, static_cast<std::uint32_t>(fatSectors));
  put32(header, 48, directoryStart);
  put32(header, 56, static_cast<std::uint32_t>(kMiniStreamCutoff));
  put32(header, 60, kEndOfChain);  // no mini FAT
  put32(header, 68, kEndOfChain);  // no further FAT sector list
  for (std::size_t i = 0; i < kHeaderFatEntries; ++i)
    put32(header, 76 + 4 * i, i < fatSectors ? fatStart + static_cast<std::uint32_t>(i) : kFreeSector);

  std::string directory;
  std::u16string streamName(name.begin(), name.end());
  directory += directoryEntry(u"Root Entry", 5, 1, kEndOfChain, 0);
  directory += directoryEntry(streamName, 2, kNoStream, 0, static_cast<std::uint32_t>(content.size()));
  directory += directoryEntry(u"", 0, kNoStream, 0, 0);
  directory += directoryEntry(u"", 0, kNoStream, 0, 0);

  std::string fat(fatSectors * kSector, '\0');
  std::vector<std::uint32_t> entries(fatSectors * (kSector / 4), kFreeSector);
  for (std::size_t i = 0; i < streamSectors; ++i)
    entries[i] = i + 1 < streamSectors ? static_cast<std::uint32_t>(i + 1) : kEndOfChain;
  entries[directoryStart] = kEndOfChain;
  for (std::size_t i = 0; i < fatSectors; ++i) entries[fatStart + i] = kFatSector;
  for (std::size_t i = 0; i < entries.size(); ++i) put32(fat, 4 * i, entries[i]);

  return header + content + directory + fat;
}

}  // namespace rb::report

#include "jar_manifest.h"

#include <zip.h>

#include <array>
#include <memory>

#include "refusal.h"

namespace quillet::midlet {
namespace {

struct ArchiveCloser {
  // Opened read-only, so nothing is written back.
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

// libzip's own words for why it stopped, for the end of a reason.
std::string Because(const char* libzipText) { return std::string(" (") + libzipText + ")"; }

Result<Archive> OpenArchive(std::span<const std::uint8_t> bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) {
    // On success the archive owns the source; without one it is still ours.
    if (source != nullptr) zip_source_free(source);
    std::string reason = "it is not a readable Java archive" + Because(zip_error_strerror(&error));
    zip_error_fini(&error);
    return Refusal(std::move(reason));
  }
  zip_error_fini(&error);
  return Archive(archive);
}

std::string TooLarge(std::size_t limit) {
  return std::string("its ") + kManifestPath + " unpacks to more than " + std::to_string(limit / 1024) +
         " KiB, more than a manifest may be";
}

}  // namespace

bool LooksLikeArchive(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4 || bytes[0] != 'P' || bytes[1] != 'K') return false;
  return (bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6);
}

Result<std::string> ReadJarManifest(std::span<const std::uint8_t> archiveBytes, std::size_t limit) {
  Result<Archive> archive = OpenArchive(archiveBytes);
  if (!archive) return archive.error();
  zip_t* zip = archive->get();
  const zip_int64_t index = zip_name_locate(zip, kManifestPath, ZIP_FL_NOCASE);
  if (index < 0)
    return Refusal(std::string("it holds no ") + kManifestPath + ", so it is no Java application");
  const auto entryIndex = static_cast<zip_uint64_t>(index);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip, entryIndex, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0 &&
      stat.size > limit) {
    return Refusal(TooLarge(limit));
  }
  const Entry entry(zip_fopen_index(zip, entryIndex, 0));
  if (!entry)
    return Refusal(std::string("its ") + kManifestPath + " cannot be unpacked" + Because(zip_strerror(zip)));
  // The size in the archive may lie, so unpacking stops one chunk past the limit whatever
  // it said: a small archive cannot make us fill memory.
  std::string manifest;
  std::array<char, 16 * 1024> chunk;
  for (;;) {
    const zip_int64_t got = zip_fread(entry.get(), chunk.data(), chunk.size());
    if (got < 0) {
      return Refusal(std::string("its ") + kManifestPath + " is damaged" +
                     Because(zip_file_strerror(entry.get())));
    }
    if (got == 0) break;
    manifest.append(chunk.data(), static_cast<std::size_t>(got));
    if (manifest.size() > limit) return Refusal(TooLarge(limit));
  }
  return manifest;
}

}  // namespace quillet::midlet

#include "java_archive.h"

#include <zip.h>

#include <cstdio>
#include <stdexcept>

namespace quillet::test {

std::vector<std::uint8_t> BuildArchive(const std::vector<ArchiveEntry>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (buffer == nullptr) throw std::runtime_error("libzip: no buffer");
  zip_source_keep(buffer);  // the archive's close would free it; the bytes are read after
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error(zip_error_strerror(&error));
  for (const ArchiveEntry& entry : entries) {
    zip_source_t* content = zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
    const zip_int64_t index = content == nullptr ? -1 : zip_file_add(archive, entry.name.c_str(), content, 0);
    if (index < 0) throw std::runtime_error(zip_strerror(archive));
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             entry.deflated ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
  }
  if (zip_close(archive) != 0) throw std::runtime_error(zip_strerror(archive));
  std::vector<std::uint8_t> bytes;
  if (zip_source_open(buffer) == 0) {
    zip_source_seek(buffer, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
  }
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

}  // namespace quillet::test

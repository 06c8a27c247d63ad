#include "support/zip_archive.h"

#include <zip.h>

#include <stdexcept>

namespace zelbor::testing {

std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& files) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot start a zip archive");
  for (const auto& [name, content] : files) {
    zip_source_t* file = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (zip_file_add(archive, name.c_str(), file, ZIP_FL_OVERWRITE) < 0) {
      throw std::runtime_error("cannot add " + name);
    }
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot finish a zip archive");
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(buffer);
  zip_source_seek(buffer, 0, SEEK_SET);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  zip_source_read(buffer, bytes.data(), bytes.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

std::string zipEntry(const std::string& archive, const std::string& name) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (zip == nullptr) throw std::runtime_error("not a zip archive");
  std::string content;
  zip_stat_t stat;
  if (zip_stat(zip, name.c_str(), 0, &stat) == 0) {
    content.resize(stat.size);
    zip_file_t* file = zip_fopen(zip, name.c_str(), 0);
    zip_fread(file, content.data(), content.size());
    zip_fclose(file);
  }
  zip_discard(zip);
  return content;
}

}  // namespace zelbor::testing

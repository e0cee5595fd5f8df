#include "sandbox/update_package.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace sandbox {

namespace {

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

[[noreturn]] void Fail(std::string_view what) {
  throw std::runtime_error("update package: " + std::string(what));
}

void AddFile(zip_t* archive, const char* name, const std::string& content) {
  // The archive copies nothing: the buffer must live until zip_close, which the caller ensures.
  zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
  if (source == nullptr) {
    Fail("cannot add a file");
  }
  if (zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
    zip_source_free(source);
    Fail("cannot add a file");
  }
}

std::string ReadAll(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      zip_source_open(source) != 0) {
    Fail("cannot read the archive");
  }
  std::string bytes(stat.size, '\0');
  const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
  zip_source_close(source);
  if (read != static_cast<zip_int64_t>(stat.size)) {
    Fail("short read of the archive");
  }
  return bytes;
}

}  // namespace

std::string BuildUpdatePackage(std::string_view version, std::string_view notice) {
  const std::string readme = "托管客户端 " + std::string(version) + "\r\n\r\n" +
                             std::string(notice) +
                             "\r\n\r\n解压后运行其中的安装程序即可完成更新。\r\n";
  const std::string versionFile = std::string(version) + "\r\n";

  zip_error_t error;
  zip_error_init(&error);
  Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_error_fini(&error);
  if (!buffer) {
    Fail("cannot create a buffer");
  }
  zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, nullptr);
  if (archive == nullptr) {
    Fail("cannot open the archive");
  }
  zip_source_keep(buffer.get());  // the archive's close must leave the bytes to us
  try {
    AddFile(archive, "更新说明.txt", readme);
    AddFile(archive, "version.txt", versionFile);
  } catch (...) {
    zip_discard(archive);
    throw;
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    Fail("cannot finish the archive");
  }
  return ReadAll(buffer.get());
}

}  // namespace sandbox

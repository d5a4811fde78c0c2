#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/text_util.h"
#include "model/values.h"

namespace rb {

namespace {

Error createError(const std::string& path, int error) {
  return Error(format("Cannot create file \"%s\": %s", path.c_str(), std::strerror(error)));
}

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  if (fs::is_directory(target)) throw createError(path, EISDIR);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw createError(path, errno);

  // Keep the permissions of the file being replaced, else the usual ones.
  struct stat existing {};
  const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : (0666 & ~currentUmask());

  auto fail = [&](int error) {
    ::close(fd);
    ::unlink(pattern.c_str());
    throw createError(path, error);
  };
  if (::fchmod(fd, mode) != 0) fail(errno);
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(pattern.c_str());
    throw createError(path, error);
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(pattern.c_str());
    throw createError(path, error);
  }
}

std::string readWholeFile(const std::string& path) {
  if (std::filesystem::is_directory(path))
    throw Error(format("Cannot open file \"%s\": %s", path.c_str(), std::strerror(EISDIR)));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(format("Cannot open file \"%s\": %s", path.c_str(), std::strerror(errno)));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw Error(format("Cannot read file \"%s\"", path.c_str()));
  return content.str();
}

}  // namespace rb

#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

std::string ErrnoText(int code) { return std::strerror(code); }

// The file a save should replace: a link is followed so that the link survives.
std::string SaveTarget(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    std::filesystem::path real = std::filesystem::canonical(path, ec);
    if (!ec) return real.string();
  }
  return path;
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, const std::uint8_t* p, std::size_t size, int& err) {
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable. A failure here cannot undo the save, so it is
// not reported.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& error) {
  if (path.empty()) {
    error = "no file name";
    return false;
  }
  const std::string target = SaveTarget(path);
  std::filesystem::path targetPath(target);
  std::string folder = targetPath.parent_path().string();
  if (folder.empty()) folder = ".";
  std::string name = targetPath.filename().string();
  if (name.empty()) {
    error = "not a file name";
    return false;
  }

  // The rename could replace a file the user may not write; refuse as writing in
  // place would.
  if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) {
    error = ErrnoText(errno);
    return false;
  }

  std::string tempName = folder + "/." + name + ".XXXXXX";
  std::vector<char> templ(tempName.begin(), tempName.end());
  templ.push_back('\0');
  int fd = mkstemp(templ.data());
  if (fd < 0) {
    error = ErrnoText(errno);
    return false;
  }
  const std::string temp(templ.data());

  struct stat old {};
  mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();

  int err = 0;
  bool ok = fchmod(fd, mode) == 0 || (err = errno, false);
  ok = ok && WriteAll(fd, static_cast<const std::uint8_t*>(data), size, err);
  ok = ok && (fsync(fd) == 0 || (err = errno, false));
  if (close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  ok = ok && (rename(temp.c_str(), target.c_str()) == 0 || (err = errno, false));
  if (!ok) {
    unlink(temp.c_str());
    error = ErrnoText(err);
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                    std::vector<std::uint8_t>& bytes, std::string& error) {
  bytes.clear();
  // Non-blocking, so that a named pipe without a writer cannot hang the program.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = ErrnoText(errno);
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? ErrnoText(EISDIR) : "not a regular file";
    close(fd);
    return false;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  bytes.resize(maxBytes);
  std::size_t got = 0;
  while (got < maxBytes) {
    ssize_t n = read(fd, bytes.data() + got, maxBytes - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = ErrnoText(errno);
      close(fd);
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  close(fd);
  bytes.resize(got);
  return true;
}
